# A Linux release archive: the program, its manual page and a README.txt; and
# the Debian package of the program (target deb). Two builds of one commit
# give the same bytes: every file gets the commit's time (SOURCE_DATE_EPOCH)
# before it is packed.

# Two links of the same objects, both stripped, without unused sections, with
# libstdc++ and libgcc inside. zade-config, the archive's, is static: it needs
# no dynamic loader and no C library, only a Linux kernel, whatever the
# system. zade-config-deb (bin/deb/zade-config), the package's, uses the
# system's glibc, as Debian's policy wants.
set(release_link -s -Wl,--gc-sections)
set(link_map ${CMAKE_CURRENT_BINARY_DIR}/zade-config.map)
target_link_options(zade-config PRIVATE ${release_link} -static -Wl,-Map=${link_map},--cref)
# The build fails once the program refers to what static glibc does badly.
add_custom_command(TARGET zade-config POST_BUILD
  COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/check-static-link.sh ${link_map} $<TARGET_FILE:zade-config>
  VERBATIM)
add_test(NAME zade-config.native.static-link-check
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/static-link-check.sh ${CMAKE_CXX_COMPILER})
add_executable(zade-config-deb $<TARGET_OBJECTS:zade-config>)
target_link_libraries(zade-config-deb PRIVATE $<TARGET_PROPERTY:zade-config,LINK_LIBRARIES>)
target_link_options(zade-config-deb PRIVATE ${release_link} -static-libstdc++ -static-libgcc)
set_target_properties(zade-config-deb PROPERTIES OUTPUT_NAME zade-config
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/deb)

set(budget ${CMAKE_SOURCE_DIR}/tests/native/budget.sh)
add_test(NAME zade-config.native.budget COMMAND bash ${budget} $<TARGET_FILE:zade-config> 1048576 static)
add_test(NAME zade-config.deb.budget
         COMMAND bash ${budget} $<TARGET_FILE:zade-config-deb> ${NATIVE_SIZE_BUDGET})

# A cross toolchain file names its archive, kernel and system (RELEASE_ARCH,
# RELEASE_KERNEL, RELEASE_SYSTEM_NOTE); a native build is for this machine's
# processor.
if(NOT DEFINED RELEASE_ARCH)
  set(RELEASE_ARCH ${CMAKE_SYSTEM_PROCESSOR})
  set(RELEASE_KERNEL 3.2)
  set(RELEASE_SYSTEM_NOTE "64-bit PCs: uname -m says ${RELEASE_ARCH}")
endif()
configure_file(${CMAKE_SOURCE_DIR}/packaging/README-linux.txt.in ${CMAKE_BINARY_DIR}/README.txt
               @ONLY)
install(TARGETS zade-config DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/README.txt ${CMAKE_SOURCE_DIR}/zade-config/zade-config.1
        DESTINATION .)

set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_FILE_NAME orx-dcan-usb-${PROJECT_VERSION}-linux-${RELEASE_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/release-file-times.cmake)
include(CPack)

add_test(NAME release.tar COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/release-tar.sh
                                  ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} linux-${RELEASE_ARCH})

# The package's architecture follows from the compiler's multiarch triplet.
set(BUILD_DEB ${CMAKE_SOURCE_DIR}/packaging/deb/build-deb.sh)
add_custom_target(deb
  COMMAND bash ${BUILD_DEB} $<TARGET_FILE:zade-config-deb> ${PROJECT_VERSION}
          ${CMAKE_LIBRARY_ARCHITECTURE} ${CMAKE_BINARY_DIR}/package
  DEPENDS zade-config-deb VERBATIM)
add_test(NAME release.deb COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/release-deb.sh
                                  $<TARGET_FILE:zade-config-deb> ${PROJECT_VERSION}
                                  ${CMAKE_LIBRARY_ARCHITECTURE})

# Installing the package changes the machine: only where SYSTEM_CHANGE_TESTS=yes
# says it may (a throwaway system), and only for the machine's own programs.
if(NOT CMAKE_CROSSCOMPILING AND E2E_TESTS)
  if("$ENV{SYSTEM_CHANGE_TESTS}" STREQUAL "yes")
    add_test(NAME release.deb-install
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/deb-install.sh $<TARGET_FILE:zade-config-deb>
                     ${PROJECT_VERSION} ${CMAKE_LIBRARY_ARCHITECTURE})
    set_tests_properties(release.deb-install PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77 ENVIRONMENT
      "ADAPTER_SIM=${ADAPTER_SIM};SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  else()
    set(reason "it installs and removes a package on this machine; SYSTEM_CHANGE_TESTS=yes lets it")
    skip_suite("package install test" "${reason}")
    add_skipped_test(release.deb-install "${reason}")
  endif()
endif()
