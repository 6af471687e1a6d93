# The page's tests, in a headless Chromium (Debian's chromium, over the
# DevTools protocol): its ports an in-page fake of navigator.serial bridged
# to the simulated adapter on a pty, and once the browser's own serial code.
include(${CMAKE_SOURCE_DIR}/cmake/adapter-sim-host.cmake)
find_program(CHROMIUM NAMES chromium REQUIRED)
# Debian's Python, which has Debian's python3-websockets.
find_program(PAGE_TEST_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(PAGE_TESTS ${CMAKE_SOURCE_DIR}/zade-config/tests/web)
set(PAGE_TEST_ENV "ADAPTER_SIM=${ADAPTER_SIM}" "PAGE_DIR=${PAGE_DIR}" "SOURCE_DIR=${CMAKE_SOURCE_DIR}"
                  "PAGE_TEST_PYTHON=${PAGE_TEST_PYTHON}" "CHROMIUM=${CHROMIUM}")

foreach(case one-port stale-bytes not-opened other-mode silent babble unplugged chooser two-ports keyboard no-web-serial
             german french german-no-web-serial french-no-web-serial)
  add_test(NAME web.page.${case} COMMAND ${PAGE_TEST_PYTHON} ${PAGE_TESTS}/page_test.py ${case})
  set_tests_properties(web.page.${case} PROPERTIES ENVIRONMENT "${PAGE_TEST_ENV}" TIMEOUT 120)
endforeach()

add_test(NAME web.page.real-serial COMMAND bash ${PAGE_TESTS}/real-serial.sh)
set_tests_properties(web.page.real-serial PROPERTIES ENVIRONMENT "${PAGE_TEST_ENV}" TIMEOUT 120
                     SKIP_RETURN_CODE 77)
