# Shared by the Linux cross toolchain files, which set CMAKE_SYSTEM_PROCESSOR,
# CROSS_TRIPLET (Debian's cross compiler prefix), CROSS_QEMU (the qemu-user
# program for the target), RELEASE_ARCH (the release archive's name part),
# RELEASE_KERNEL (the oldest Linux its static program runs on, as glibc's
# ABI note in it says) and RELEASE_SYSTEM_NOTE (the system the archive's
# README.txt names).
# Every test command that starts a program of this tree runs it under
# qemu-user: the static release program without any sysroot (none may come
# from QEMU_LD_PREFIX either), so a program that needed the target's C
# library would not start; a dynamic one (CROSS_SYSROOT_EMULATOR) finds the
# target's glibc in Debian's cross sysroot.
set(CMAKE_SYSTEM_NAME Linux)
# The Debian package's program's size limit, above the native 64 KiB: 64-bit
# ARM aligns its segments to 64 KiB pages.
set(NATIVE_SIZE_BUDGET 98304)

set(CMAKE_C_COMPILER ${CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${CROSS_TRIPLET}-g++)
set(CROSS_SYSROOT /usr/${CROSS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH ${CROSS_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

find_program(CROSS_QEMU_PATH ${CROSS_QEMU})
if(CROSS_QEMU_PATH)
  set(CMAKE_CROSSCOMPILING_EMULATOR env -u QEMU_LD_PREFIX ${CROSS_QEMU_PATH})
  set(CROSS_SYSROOT_EMULATOR ${CROSS_QEMU_PATH} -L ${CROSS_SYSROOT})
endif()
