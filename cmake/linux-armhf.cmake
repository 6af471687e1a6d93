# Cross build for 32-bit ARMv7 hard-float Linux (Raspberry Pi OS 32-bit).
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(CROSS_TRIPLET arm-linux-gnueabihf)
set(CROSS_QEMU qemu-arm)
set(RELEASE_ARCH armhf)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
