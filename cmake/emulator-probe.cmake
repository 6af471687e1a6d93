# A cross build's programs run under its emulator (qemu-user). Sets
# EMULATOR_CANNOT_RUN to the reason when the emulator is missing or cannot
# run a trivial static program of the target here; leaves it empty otherwise.
#   QEMU_USER_PROBE=no (in the environment) forces the answer, to try the
#   skip path on any machine.
set(EMULATOR_CANNOT_RUN "")
if("$ENV{QEMU_USER_PROBE}" STREQUAL "no")
  set(EMULATOR_CANNOT_RUN "qemu-user turned off by QEMU_USER_PROBE=no")
elseif(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(EMULATOR_CANNOT_RUN "${CROSS_QEMU} is not installed (Debian package qemu-user)")
else()
  set(probe_dir ${CMAKE_BINARY_DIR}/emulator-probe)
  file(WRITE ${probe_dir}/exit42.cpp "int main() { return 42; }\n")
  # try_run starts the program through CMAKE_CROSSCOMPILING_EMULATOR.
  try_run(probe_status probe_built ${probe_dir} ${probe_dir}/exit42.cpp LINK_OPTIONS -static
          RUN_OUTPUT_VARIABLE probe_output)
  if(NOT probe_built)
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} cannot build a trivial program")
  elseif(NOT probe_status STREQUAL "42")
    string(STRIP "${probe_output}" probe_output)
    set(EMULATOR_CANNOT_RUN
        "${CROSS_QEMU} cannot run ${CMAKE_SYSTEM_PROCESSOR} programs here (${probe_status}: ${probe_output})")
  endif()
endif()
