# Read by cpack before it packs (CPACK_PROJECT_CONFIG_FILE). CPack's archive
# writer stamps every file and member of the .deb with SOURCE_DATE_EPOCH when
# it is set, instead of the time each file was made: here the time of the last
# commit, unless the caller chose one.
include(${CMAKE_CURRENT_LIST_DIR}/source_date.cmake)
tintora_source_date_epoch("${CPACK_TINTORA_SOURCE_DIR}" source_date)
if(source_date STREQUAL "")
  message(WARNING "No git history in ${CPACK_TINTORA_SOURCE_DIR} and no SOURCE_DATE_EPOCH: "
                  "the files in the package carry the times they were built at")
else()
  set(ENV{SOURCE_DATE_EPOCH} ${source_date})
endif()
