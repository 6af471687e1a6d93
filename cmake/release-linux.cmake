# The native release archive: the program and a README.txt. Two builds of one
# commit give the same bytes: every file gets the commit's time
# (SOURCE_DATE_EPOCH) before CPack packs it.
configure_file(${CMAKE_SOURCE_DIR}/packaging/README-linux.txt.in ${CMAKE_BINARY_DIR}/README.txt
               @ONLY)
install(TARGETS zade-config DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR TGZ)
set(CPACK_PACKAGE_FILE_NAME orx-dcan-usb-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/release-file-times.cmake)
include(CPack)

add_test(NAME release.tar COMMAND bash ${CMAKE_SOURCE_DIR}/tests/native/release-tar.sh
                                  ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} linux-${CMAKE_SYSTEM_PROCESSOR})
