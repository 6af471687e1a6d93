# Shared by the MinGW-w64 toolchain files, which set MINGW_TRIPLET and
# MINGW_SUBSYSTEM_VERSION. The win32 thread model: nothing here uses
# std::thread, so no threading runtime is linked at all.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static, so the exe runs with nothing beside Windows' own DLLs;
# stripped, since the exe is what users download; no link time stamp, so the
# same sources always give the same bytes; and marked for the oldest Windows
# it runs on.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp \
-Wl,--major-subsystem-version,5,--minor-subsystem-version,${MINGW_SUBSYSTEM_VERSION} \
-Wl,--major-os-version,5,--minor-os-version,${MINGW_SUBSYSTEM_VERSION}")
