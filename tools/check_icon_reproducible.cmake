# Runs the icon generator into a scratch directory and compares its output,
# byte for byte, with the icons committed in resources/icons. Also fails
# when either side has a file the other lacks, so a stale or hand-edited icon
# cannot sit there unnoticed.
#
#   cmake -DPYTHON=... -DGENERATOR=tools/make_icon.py -DCOMMITTED=resources/icons
#         -DSCRATCH=<empty dir to use> -P check_icon_reproducible.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var PYTHON GENERATOR COMMITTED SCRATCH)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_icon_reproducible.cmake: -D${var}=... is required")
  endif()
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(
  COMMAND "${PYTHON}" "${GENERATOR}" "${SCRATCH}"
  RESULT_VARIABLE result
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed (${result}):\n${errors}")
endif()

file(GLOB generated RELATIVE "${SCRATCH}" "${SCRATCH}/*")
file(GLOB committed RELATIVE "${COMMITTED}" "${COMMITTED}/*")
list(SORT generated)
list(SORT committed)
if(NOT generated)
  message(FATAL_ERROR "${GENERATOR} wrote nothing into ${SCRATCH}")
endif()

set(problems "")
foreach(name IN LISTS generated)
  if(NOT name IN_LIST committed)
    string(APPEND problems "\n  ${name}: generated but not committed")
  else()
    file(SHA256 "${SCRATCH}/${name}" fresh)
    file(SHA256 "${COMMITTED}/${name}" kept)
    if(NOT fresh STREQUAL kept)
      string(APPEND problems "\n  ${name}: differs from a fresh run")
    endif()
  endif()
endforeach()
foreach(name IN LISTS committed)
  if(NOT name IN_LIST generated)
    string(APPEND problems "\n  ${name}: committed but not produced by the generator")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "Committed icons do not match the generator:${problems}\n"
                      "Regenerate them with: python3 tools/make_icon.py")
endif()
message(STATUS "${generated}: identical to a fresh run")
