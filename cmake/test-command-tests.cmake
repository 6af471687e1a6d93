# The test command itself, on a copy of the checkout, with apt pointed at an
# archive mid-sync of the test's own. It installs as the test command does:
# as root, and only what is missing, so it needs what the test command has
# installed already.
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND bash -c [[source scripts/packages.sh && missing_packages "${TEST_PACKAGES[@]}"]]
                WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE missing
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REPLACE "\n" " " missing "${missing}")
if(NOT uid STREQUAL 0)
  set(mid_sync_skip "needs root, as the test command has without a terminal")
elseif(missing)
  set(mid_sync_skip "needs the test command's packages, which lack ${missing}")
endif()
if(mid_sync_skip)
  skip_suite("mid-sync test of the test command" "${mid_sync_skip}")
  add_skipped_test(test-command.mid-sync "${mid_sync_skip}")
else()
  add_test(NAME test-command.mid-sync COMMAND bash ${CMAKE_SOURCE_DIR}/tests/test-command/mid-sync.sh
                                              ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/mid-sync)
  set_tests_properties(test-command.mid-sync PROPERTIES TIMEOUT 900)
endif()
