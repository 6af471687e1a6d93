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

# The release program (NATIVE_STANDALONE) is static: under the emulator it
# gets no sysroot, natively it runs once more in a root that holds nothing
# else. There a dynamic build (DYNAMIC_PROGRAM, the Debian package's) must not
# start, or the run would prove nothing. Roots need namespaces and chroot.
set(DYNAMIC_LAUNCH ${CROSS_SYSROOT_EMULATOR})
if(NATIVE_STANDALONE)
  set(NATIVE_LAUNCH ${CMAKE_CROSSCOMPILING_EMULATOR})
  set(dynamic_program DYNAMIC_PROGRAM=$<TARGET_FILE:zade-config-deb>)
  cannot_isolate(CANNOT_ISOLATE)
  if(CANNOT_ISOLATE AND NOT CMAKE_CROSSCOMPILING)
    skip_suite("end-to-end suite in an empty root, and on Debian 11" "${CANNOT_ISOLATE}")
  endif()
else()
  set(NATIVE_LAUNCH ${DYNAMIC_LAUNCH})
endif()

# native_scenario(NAME SCRIPT ENVIRONMENT LAUNCH...): the scenario SCRIPT
# with the command LAUNCH (the program last).
function(native_scenario name script environment)
  add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES TIMEOUT 180 SKIP_RETURN_CODE 77 ENVIRONMENT
    "ADAPTER_SIM=${ADAPTER_SIM};SOURCE_DIR=${CMAKE_SOURCE_DIR};E2E_RUNNER=${CMAKE_SOURCE_DIR}/tests/native/lib.sh;${environment}")
endfunction()

# native_root_scenario(NAME SCRIPT BASE): the scenario with the release
# program in a root of its own on BASE (tests/native/in-root.sh).
function(native_root_scenario name script base)
  if(CANNOT_ISOLATE)
    add_skipped_test(${name} "${CANNOT_ISOLATE}")
  else()
    native_scenario(${name} ${script} "${dynamic_program};NEEDS_ISOLATION=yes"
                    bash ${CMAKE_SOURCE_DIR}/tests/native/in-root.sh ${base} $<TARGET_FILE:zade-config>)
  endif()
endfunction()

# add_native_test(NAME SCRIPT): a bash script that drives the native program.
function(add_native_test name script)
  if(CMAKE_CROSSCOMPILING)
    native_scenario(${name} ${script} "${dynamic_program}" ${NATIVE_LAUNCH} $<TARGET_FILE:zade-config>)
  else()
    native_scenario(${name} ${script} "" ${NATIVE_LAUNCH} $<TARGET_FILE:zade-config>)
    if(NATIVE_STANDALONE)
      native_root_scenario(${name}.empty-root ${script} -)
    endif()
  endif()
endfunction()

if(NATIVE_STANDALONE)
  set(typical ${CMAKE_SOURCE_DIR}/zade-config/tests/e2e/typical.sh)
  # The Debian package's program, as it runs once installed.
  native_scenario(zade-config.native.typical.deb ${typical} "" ${DYNAMIC_LAUNCH}
                  $<TARGET_FILE:zade-config-deb>)
endif()

# The release program on glibc 2.31, among the oldest still in use: a minimal
# Debian 11, made once for the tree.
if(NATIVE_STANDALONE AND NOT CMAKE_CROSSCOMPILING)
  find_program(MMDEBSTRAP mmdebstrap)
  set(debian_11_test zade-config.native.typical.debian-11)
  if(CANNOT_ISOLATE)
    add_skipped_test(${debian_11_test} "${CANNOT_ISOLATE}")
  elseif(NOT MMDEBSTRAP)
    set(reason "mmdebstrap is not installed (Debian package mmdebstrap)")
    skip_suite("scenario on Debian 11" "${reason}")
    add_skipped_test(${debian_11_test} "${reason}")
  else()
    set(debian_11 ${CMAKE_BINARY_DIR}/debian-11)
    add_test(NAME debian-11.system COMMAND bash -c [[
      reason=$(bash "$1/scripts/can-isolate") || { echo "skipped: $reason"; exit 77; }
      source "$1/scripts/fresh-debian.sh"
      [ -d "$0" ] || { retried mmdebstrap mmdebstrap_into "$0.new" --quiet --variant=essential bullseye &&
        mv "$0.new" "$0"; }]] ${debian_11} ${CMAKE_SOURCE_DIR})
    set_tests_properties(debian-11.system PROPERTIES FIXTURES_SETUP debian-11 TIMEOUT 900
                         SKIP_RETURN_CODE 77)
    native_root_scenario(${debian_11_test} ${typical} ${debian_11})
    set_tests_properties(${debian_11_test} PROPERTIES FIXTURES_REQUIRED debian-11)
  endif()
endif()
