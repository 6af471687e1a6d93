# The sources keep the layout of .clang-format. Versions of clang-format lay
# a few constructs out differently (`T x {};` or `T x{};`), so the sources
# stay with what clang-format 14 (Debian 12) and 19 (Debian 13) agree on, and
# only those two check them: another version could fail a correct file, so
# with it the check is skipped, saying why.
set(FORMAT_CHECK_VERSIONS 14 19)
find_program(CLANG_FORMAT NAMES clang-format clang-format-19 clang-format-14)
if(CLANG_FORMAT)
  execute_process(COMMAND ${CLANG_FORMAT} --version OUTPUT_VARIABLE format_version)
  string(REGEX MATCH "version ([0-9]+)" format_version "${format_version}")
  set(format_major "${CMAKE_MATCH_1}")
endif()

if(NOT CLANG_FORMAT)
  set(format_skip "clang-format not found")
elseif(NOT format_major IN_LIST FORMAT_CHECK_VERSIONS)
  set(format_skip "clang-format ${format_major} is not one the sources are checked with (14, 19)")
endif()

if(format_skip)
  add_skipped_test(clang-format "${format_skip}")
  skip_suite("layout check" "${format_skip}")
else()
  file(GLOB_RECURSE FORMATTED_SOURCES CONFIGURE_DEPENDS
       ${CMAKE_SOURCE_DIR}/zade-config/*.cpp ${CMAKE_SOURCE_DIR}/zade-config/*.h
       ${CMAKE_SOURCE_DIR}/obd-setup/*.cpp ${CMAKE_SOURCE_DIR}/obd-setup/*.h
       ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h
       ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h)
  add_test(NAME clang-format COMMAND ${CLANG_FORMAT} --dry-run --Werror ${FORMATTED_SOURCES})
endif()
