# The simulated adapter for the end-to-end tests. It runs on the build
# machine, so it is compiled with the host compiler, outside any cross
# toolchain or sanitizer flags of this tree.
find_program(HOST_CXX NAMES g++ c++ REQUIRED)
set(ADAPTER_SIM ${CMAKE_BINARY_DIR}/host-tools/adapter-sim)
set(ADAPTER_SIM_SOURCES ${CMAKE_SOURCE_DIR}/tools/adapter-sim/adapter_sim.cpp
                        ${CMAKE_SOURCE_DIR}/tools/adapter-sim/line_rate.cpp)
add_custom_command(
  OUTPUT ${ADAPTER_SIM}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host-tools
  COMMAND ${HOST_CXX} -std=c++17 -O2 -Wall -Wextra $<$<BOOL:${WERROR}>:-Werror>
          -o ${ADAPTER_SIM} ${ADAPTER_SIM_SOURCES}
  DEPENDS ${ADAPTER_SIM_SOURCES} ${CMAKE_SOURCE_DIR}/tools/adapter-sim/line_rate.h
  COMMENT "Building the simulated adapter with the host compiler")
add_custom_target(adapter-sim-host ALL DEPENDS ${ADAPTER_SIM})
