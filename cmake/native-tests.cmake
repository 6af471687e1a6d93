# End-to-end tests of the native zade-config against the simulated adapter on
# a pty. Each scenario gets the program's launch command as its arguments, so
# a cross build can put its emulator in front.
if(CMAKE_CROSSCOMPILING)
  include(cmake/emulator-probe.cmake)
  if(EMULATOR_CANNOT_RUN)
    skip_suite("end-to-end suite under ${CROSS_QEMU}" "${EMULATOR_CANNOT_RUN}")
    function(add_native_test name)
      add_skipped_test(${name} "${EMULATOR_CANNOT_RUN}")
    endfunction()
    return()
  endif()
endif()

include(cmake/adapter-sim-host.cmake)

# add_native_test(NAME SCRIPT): a bash script that drives the native program.
function(add_native_test name script)
  add_test(NAME ${name} COMMAND bash ${script} ${CMAKE_CROSSCOMPILING_EMULATOR}
                                $<TARGET_FILE:zade-config>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 180 ENVIRONMENT
    "ADAPTER_SIM=${ADAPTER_SIM};SOURCE_DIR=${CMAKE_SOURCE_DIR};E2E_RUNNER=${CMAKE_SOURCE_DIR}/tests/native/lib.sh")
endfunction()
