# End-to-end tests of the Windows programs: they run under Wine, in a private
# prefix of this build tree, against the simulated adapter on a pty.

# A 32-bit build runs in a 32-bit prefix, through Wine's 32-bit loader, which
# starts only where the kernel executes 32-bit x86 programs and Wine's 32-bit
# packages are installed. Elsewhere the suite is skipped, with the reason;
# the checks of the exes themselves still run.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_test(NAME wine.x86-32-probe COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/x86-32-probe.sh
                                        ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/x86-32-probe)
  execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/runs-x86-32
                  RESULT_VARIABLE cannot_run OUTPUT_VARIABLE reason
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(cannot_run GREATER 1)
    message(FATAL_ERROR "scripts/runs-x86-32 failed: ${reason}")
  endif()
  # The probe's reason where the kernel refuses; none where it executes them.
  if(cannot_run EQUAL 0)
    find_program(WINE_LOADER NAMES wine HINTS /usr/lib/wine)
    if(WINE32_MISSING)
      set(reason "${WINE32_MISSING}")
    elseif(NOT WINE_LOADER)
      set(reason "32-bit Wine is not installed (Debian package wine32:i386)")
    endif()
  endif()
  if(reason)
    skip_suite("32-bit Wine suite" "${reason}")
    function(add_wine_test name)
      add_skipped_test(${name} "${reason}")
    endfunction()
    return()
  endif()
  set(WINE_ARCH win32)
else()
  set(WINE_ARCH win64)
  find_program(WINE_LOADER NAMES wine64 wine HINTS /usr/lib/wine REQUIRED)
endif()
find_program(WINESERVER NAMES wineserver HINTS /usr/lib/wine REQUIRED)
include(cmake/adapter-sim-host.cmake)

set(WINE_TEST_ENV
    "WINE=${WINE_LOADER}"
    "WINESERVER=${WINESERVER}"
    "WINEARCH=${WINE_ARCH}"
    "WINE_TEST_PREFIX=${CMAKE_BINARY_DIR}/wine/prefix"
    "WINE_TEST_PORTS=${CMAKE_BINARY_DIR}/wine/ports"
    "BIN_DIR=${CMAKE_BINARY_DIR}/bin"
    "ADAPTER_SIM=${ADAPTER_SIM}"
    "SOURCE_DIR=${CMAKE_SOURCE_DIR}"
    "E2E_RUNNER=${CMAKE_SOURCE_DIR}/tests/wine/lib.sh")

add_test(NAME wine.prefix.setup COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/prefix-setup.sh)
# Nothing may outlive the tests; no server left running is fine too.
add_test(NAME wine.prefix.cleanup COMMAND sh -c "\"$0\" -k || true" ${WINESERVER})
set_tests_properties(wine.prefix.setup PROPERTIES FIXTURES_SETUP wine_prefix
                     ENVIRONMENT "${WINE_TEST_ENV}" TIMEOUT 300)
set_tests_properties(wine.prefix.cleanup PROPERTIES FIXTURES_CLEANUP wine_prefix
                     ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wine/prefix")

# add_wine_test(NAME SCRIPT [ARGS...]): a bash script run in the shared prefix.
function(add_wine_test name script)
  add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE
                       ENVIRONMENT "${WINE_TEST_ENV}" TIMEOUT 180)
endfunction()
