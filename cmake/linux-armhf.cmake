# Cross build for 32-bit ARMv7 hard-float Linux (Raspberry Pi OS 32-bit).
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(CROSS_TRIPLET arm-linux-gnueabihf)
set(CROSS_QEMU qemu-arm)
set(RELEASE_ARCH armhf)
set(RELEASE_KERNEL 3.2)
set(RELEASE_SYSTEM_NOTE "Raspberry Pi OS 32-bit on a Pi 2 or later (not Pi 1 or Zero):\n\
dpkg --print-architecture says armhf, even where uname -m says aarch64")
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
