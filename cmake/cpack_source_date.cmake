# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). CPack's archive
# writer stamps every file and member of the .deb with SOURCE_DATE_EPOCH when
# it is set, instead of the time each file was made: here the time of the last
# commit, unless the caller chose one.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(
    COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY "${CPACK_TINTORA_SOURCE_DIR}"
    OUTPUT_VARIABLE commit_time
    OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status
    ERROR_QUIET)
  if(status EQUAL 0 AND commit_time MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  else()
    message(WARNING "No git history in ${CPACK_TINTORA_SOURCE_DIR} and no SOURCE_DATE_EPOCH: "
                    "the files in the package carry the times they were built at")
  endif()
endif()
