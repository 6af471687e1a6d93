# The page's release zip: the page's files and a README.txt with Windows line
# ends, every file with the commit's time (SOURCE_DATE_EPOCH), so that two
# builds of one commit give the same bytes.
configure_file(${CMAKE_SOURCE_DIR}/packaging/README-web.txt.in ${CMAKE_BINARY_DIR}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)
install(DIRECTORY ${PAGE_DIR}/ DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME orx-dcan-usb-${PROJECT_VERSION}-web)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/release-file-times.cmake)
include(CPack)

add_test(NAME release.zip COMMAND bash ${CMAKE_SOURCE_DIR}/tests/exe/release-zip.sh
                                  ${CMAKE_BINARY_DIR} ${PROJECT_VERSION} web ${PAGE_DIR})
# All of the page's files together, as the zip ships them.
add_test(NAME web.page.size COMMAND bash ${CMAKE_SOURCE_DIR}/zade-config/tests/web/size.sh
                                    ${PAGE_DIR} 262144)
