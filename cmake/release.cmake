# The release zip of this build: the exes and a README.txt with Windows line
# ends. Two builds of one commit give the same bytes: the exes carry no time
# stamp, and every file in the zip gets the commit's time (SOURCE_DATE_EPOCH).

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(RELEASE_SYSTEM win32)
  set(RELEASE_BUILD_NOTE "32-bit build, runs on 32-bit and 64-bit Windows")
else()
  set(RELEASE_SYSTEM win64)
  set(RELEASE_BUILD_NOTE "64-bit build, for 64-bit Windows only")
endif()

configure_file(${CMAKE_SOURCE_DIR}/packaging/README.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME orx-dcan-usb-${PROJECT_VERSION}-${RELEASE_SYSTEM})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/release-file-times.cmake)
include(CPack)

add_test(NAME release.zip COMMAND bash ${CMAKE_SOURCE_DIR}/tests/exe/release-zip.sh
                                  ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} ${RELEASE_SYSTEM}
                                  ${CMAKE_BINARY_DIR}/bin)
