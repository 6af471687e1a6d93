# A tree first configured before its compiler was installed keeps that failed
# probe in its cache: the host's archiver and empty build-type flags (no -Os),
# which later configures do not correct. Building it would give other bytes
# than a fresh tree, so it stops here; scripts/configure.sh starts such a
# tree afresh.
string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
set(build_type_flags "${CMAKE_CXX_FLAGS_${build_type}}")
# A cross compiler <triplet>-g++ comes with <triplet>-ar.
get_filename_component(compiler_name "${CMAKE_CXX_COMPILER}" NAME)
get_filename_component(archiver_name "${CMAKE_AR}" NAME)
set(archiver_fits TRUE)
if(CMAKE_CROSSCOMPILING AND compiler_name MATCHES "^(.*-)g\\+\\+")
  string(FIND "${archiver_name}" "${CMAKE_MATCH_1}" prefix_at)
  if(NOT prefix_at EQUAL 0)
    set(archiver_fits FALSE)
  endif()
endif()
if((build_type AND NOT build_type_flags) OR NOT archiver_fits)
  message(FATAL_ERROR
    "This build tree kept a failed compiler probe (it was configured before ${compiler_name} "
    "was installed): its archiver is ${CMAKE_AR}, its ${CMAKE_BUILD_TYPE} flags '${build_type_flags}'. "
    "Configure it afresh: cmake --preset <preset> --fresh (or delete ${CMAKE_BINARY_DIR}).")
endif()
