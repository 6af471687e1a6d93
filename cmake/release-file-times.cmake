# Run by CPack after it has staged the files and before it packs them: every
# file and folder gets the time SOURCE_DATE_EPOCH names (1980-01-01, the
# earliest a zip holds, when it is not set), so the archive does not depend on
# when it was built.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
  set(epoch 315532800)
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*)
execute_process(COMMAND touch -h -d @${epoch} ${staged} ${CPACK_TEMPORARY_INSTALL_DIRECTORY}
                COMMAND_ERROR_IS_FATAL ANY)
