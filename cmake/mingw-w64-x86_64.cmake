# Cross build for 64-bit Windows (XP x64 and later) with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(MINGW_SUBSYSTEM_VERSION 2)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
