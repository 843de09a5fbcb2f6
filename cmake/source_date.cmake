# The time every shipped file is stamped with, so that two builds of one commit
# agree: SOURCE_DATE_EPOCH when the caller set it; else the time of the last
# commit: in a source tarball made by `git archive`, from cmake/source-date.txt,
# into which git wrote that time (export-subst in .gitattributes); in a clone,
# from git. Sets `out` to the seconds since 1970, or to "" when none of
# the three is there.
#
#   cmake -DSOURCE_DIR=... -P cmake/source_date.cmake     prints it
#   cmake -DSOURCE_DIR=... -DOUTPUT=file -P ...           writes it there, unless the
#                                                         file holds it already
function(tintora_source_date_epoch source_dir out)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(${out} "$ENV{SOURCE_DATE_EPOCH}" PARENT_SCOPE)
    return()
  endif()
  # In a clone the file holds git's placeholder, which is no number; an
  # archive's number wins over the history of any repository around it.
  file(STRINGS "${source_dir}/cmake/source-date.txt" commit_time LIMIT_COUNT 1)
  if(NOT commit_time MATCHES "^[0-9]+$")
    execute_process(
      COMMAND git log -1 --format=%ct
      WORKING_DIRECTORY "${source_dir}"
      OUTPUT_VARIABLE commit_time
      OUTPUT_STRIP_TRAILING_WHITESPACE
      ERROR_QUIET)
  endif()
  if(commit_time MATCHES "^[0-9]+$")
    set(${out} "${commit_time}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  tintora_source_date_epoch("${SOURCE_DIR}" epoch)
  if(DEFINED OUTPUT)
    # Left untouched when unchanged, so that what depends on it is not remade.
    file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${epoch}\n")
  else()
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${epoch}")
  endif()
endif()
