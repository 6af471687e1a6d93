# Suites this machine cannot run: their tests are registered as skipped (so
# ctest's summary lists them as not run, never as passed), and each suite is
# named with its reason in skipped-suites.txt of the build tree, which the
# test command's summary reads.
file(REMOVE ${CMAKE_BINARY_DIR}/skipped-suites.txt)

set(SKIPPED_TEST_STATUS 77)

# skip_suite(SUITE REASON)
function(skip_suite suite reason)
  file(APPEND ${CMAKE_BINARY_DIR}/skipped-suites.txt "${suite}: ${reason}\n")
endfunction()

# add_skipped_test(NAME REASON): a test that only reports why it is skipped.
function(add_skipped_test name reason)
  # A reason may hold semicolons (apt's, the kernel's), which would split it.
  string(REPLACE ";" "$<SEMICOLON>" reason "${reason}")
  add_test(NAME ${name} COMMAND sh -c "echo \"skipped: $1\"; exit $0" ${SKIPPED_TEST_STATUS}
                                "${reason}")
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE ${SKIPPED_TEST_STATUS})
endfunction()

# cannot_isolate(VAR): sets VAR to why the tests may not run programs in a
# root of their own here (scripts/can-isolate), or to nothing where they may.
function(cannot_isolate var)
  execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/can-isolate OUTPUT_VARIABLE reason
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(${var} "${reason}" PARENT_SCOPE)
endfunction()
