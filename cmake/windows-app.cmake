# windows_app(TARGET DESCRIPTION EXECUTION_LEVEL MAX_BYTES DLL...): what every
# shipped exe gets. The product icon, a manifest (the execution level Windows
# asks for; no supportedOS entries, so GetVersion keeps answering with the
# real version) and a version resource, all built with windres; installation
# into the release zip; and the checks of the built exe: size, imported DLLs, the
# resources, the oldest Windows it starts on, and on 32-bit Windows every
# import against what XP SP3 has.

set(APP_PRODUCT "ORX D-CAN USB INTERFACE")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(APP_ARCH x86)
else()
  set(APP_ARCH amd64)
endif()
set(APP_SUBSYSTEM_VERSION 5.${MINGW_SUBSYSTEM_VERSION})
set(APP_VERSION4 ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
# Only the resource test needs it, so a release build goes on without it.
find_program(WRESTOOL wrestool)

# The product icon, drawn as SVG and turned into one .ico that both exes
# carry: 16 and 32 px from the drawing laid out on their pixels, 48 px as it
# is, all three as bitmaps, and 256 px as PNG, which keeps the exes small.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ICOTOOL icotool REQUIRED)
set(icon_dir ${CMAKE_BINARY_DIR}/icon)
set(APP_ICON ${icon_dir}/orx-dcan-usb.ico)
set(drawing ${CMAKE_SOURCE_DIR}/packaging/icon/orx-dcan-usb.svg)
set(small_drawing ${CMAKE_SOURCE_DIR}/packaging/icon/orx-dcan-usb-small.svg)
add_custom_command(OUTPUT ${APP_ICON}
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
                   COMMAND ${RSVG_CONVERT} -w 16 -h 16 -o ${icon_dir}/16.png ${small_drawing}
                   COMMAND ${RSVG_CONVERT} -w 32 -h 32 -o ${icon_dir}/32.png ${small_drawing}
                   COMMAND ${RSVG_CONVERT} -w 48 -h 48 -o ${icon_dir}/48.png ${drawing}
                   COMMAND ${RSVG_CONVERT} -w 256 -h 256 -o ${icon_dir}/256.png ${drawing}
                   COMMAND ${ICOTOOL} -c -o ${APP_ICON} ${icon_dir}/16.png ${icon_dir}/32.png
                           ${icon_dir}/48.png --raw=${icon_dir}/256.png
                   DEPENDS ${drawing} ${small_drawing} VERBATIM)
add_custom_target(app-icon DEPENDS ${APP_ICON})

function(windows_app target description execution_level max_bytes)
  set(APP_NAME ${target})
  set(APP_DESCRIPTION ${description})
  set(APP_EXECUTION_LEVEL ${execution_level})
  set(APP_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(template_dir ${CMAKE_SOURCE_DIR}/cmake/windows-app)
  # A window's manifest (WINDOW_APP set) adds Common Controls 6 and DPI
  # awareness; the console programs' stays as it is.
  if(WINDOW_APP)
    configure_file(${template_dir}/window.manifest.in ${APP_MANIFEST} @ONLY)
  else()
    configure_file(${template_dir}/app.manifest.in ${APP_MANIFEST} @ONLY)
  endif()
  configure_file(${template_dir}/app.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}.rc PROPERTIES
                              OBJECT_DEPENDS ${APP_ICON})
  add_dependencies(${target} app-icon)
  install(TARGETS ${target} RUNTIME DESTINATION .)

  set(check_env "OBJDUMP=${MINGW_OBJDUMP}" "WRESTOOL=${WRESTOOL}")
  if(WINDOW_APP)
    list(APPEND check_env REFUSE_CONSOLE_IMPORTS=yes)
  endif()
  set(exe $<TARGET_FILE:${target}>)
  set(checks ${CMAKE_SOURCE_DIR}/tests/exe)
  add_test(NAME ${target}.exe-budget COMMAND bash ${checks}/budget.sh ${exe} ${max_bytes} ${ARGN})
  add_test(NAME ${target}.exe-resources
           COMMAND bash ${checks}/resources.sh ${exe} ${execution_level} ${PROJECT_VERSION}
                   ${description} ${APP_PRODUCT})
  add_test(NAME ${target}.exe-subsystem-version
           COMMAND bash ${checks}/subsystem-version.sh ${exe} ${APP_SUBSYSTEM_VERSION})
  set(tests ${target}.exe-budget ${target}.exe-resources ${target}.exe-subsystem-version)
  if(APP_ARCH STREQUAL x86)
    add_test(NAME ${target}.exe-xp-imports COMMAND bash ${checks}/xp-imports.sh ${exe})
    list(APPEND tests ${target}.exe-xp-imports)
  endif()
  set_tests_properties(${tests} PROPERTIES ENVIRONMENT "${check_env}")
endfunction()
