# Cross build for 64-bit ARM Linux (Raspberry Pi OS 64-bit: Pi 3, 4 and 5).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CROSS_TRIPLET aarch64-linux-gnu)
set(CROSS_QEMU qemu-aarch64)
set(RELEASE_ARCH arm64)
# glibc builds 64-bit ARM programs for Linux 3.7, the first to run them.
set(RELEASE_KERNEL 3.7)
set(RELEASE_SYSTEM_NOTE
    "Raspberry Pi OS 64-bit (Pi 3, 4, 5, Zero 2 W): dpkg --print-architecture\nsays arm64")
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
