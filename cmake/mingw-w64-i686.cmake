# Cross build for 32-bit Windows (XP SP3 and later) with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
set(MINGW_SUBSYSTEM_VERSION 1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
