# A Linux release archive: the program, its manual page and a README.txt; and
# the Debian package of the program (target deb). Two builds of one commit
# give the same bytes: every file gets the commit's time (SOURCE_DATE_EPOCH)
# before it is packed.

# A cross toolchain file names its archive and system (RELEASE_ARCH,
# RELEASE_SYSTEM_NOTE); a native build is for this machine's processor.
if(NOT DEFINED RELEASE_ARCH)
  set(RELEASE_ARCH ${CMAKE_SYSTEM_PROCESSOR})
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
  COMMAND bash ${BUILD_DEB} $<TARGET_FILE:zade-config> ${PROJECT_VERSION}
          ${CMAKE_LIBRARY_ARCHITECTURE} ${CMAKE_BINARY_DIR}/package
  DEPENDS zade-config VERBATIM)
add_test(NAME release.deb COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/release-deb.sh
                                  $<TARGET_FILE:zade-config> ${PROJECT_VERSION}
                                  ${CMAKE_LIBRARY_ARCHITECTURE})

# Installing the package changes the machine: only where SYSTEM_CHANGE_TESTS=yes
# says it may (a throwaway system), and only for the machine's own programs.
if(NOT CMAKE_CROSSCOMPILING AND E2E_TESTS)
  if("$ENV{SYSTEM_CHANGE_TESTS}" STREQUAL "yes")
    add_test(NAME release.deb-install
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/deb-install.sh $<TARGET_FILE:zade-config>
                     ${PROJECT_VERSION} ${CMAKE_LIBRARY_ARCHITECTURE})
    set_tests_properties(release.deb-install PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77 ENVIRONMENT
      "ADAPTER_SIM=${ADAPTER_SIM};SOURCE_DIR=${CMAKE_SOURCE_DIR}")
  else()
    set(reason "it installs and removes a package on this machine; SYSTEM_CHANGE_TESTS=yes lets it")
    skip_suite("package install test" "${reason}")
    add_skipped_test(release.deb-install "${reason}")
  endif()
endif()
