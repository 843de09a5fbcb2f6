# Builds the Debian package of a configured and built tree with CPack, runs
# lintian on it, and checks that it holds every file a desktop install needs.
# Fails on any lintian error or warning that is not listed in OVERRIDES.
#
#   cmake -DCPACK=... -DLINTIAN=... -DDPKG_DEB=... -DCONFIG=<build>/CPackConfig.cmake
#         -DSCRATCH=<dir to use> [-DOVERRIDES=tag;tag] -P check_deb.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var CPACK LINTIAN DPKG_DEB CONFIG SCRATCH)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_deb.cmake: -D${var}=... is required")
  endif()
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${CONFIG}" -B "${SCRATCH}"
                OUTPUT_VARIABLE cpack_output ERROR_VARIABLE cpack_output RESULT_VARIABLE status)
file(GLOB debs "${SCRATCH}/*.deb")
list(LENGTH debs count)
if(NOT status EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack did not make one .deb (exit ${status}):\n${cpack_output}")
endif()

set(lintian_command "${LINTIAN}" --fail-on error,warning)
if(OVERRIDES)
  string(REPLACE ";" "," suppressed "${OVERRIDES}")
  list(APPEND lintian_command --suppress-tags "${suppressed}")
endif()
list(APPEND lintian_command "${debs}")
list(JOIN lintian_command " " shown)
message(STATUS "${shown}")
execute_process(COMMAND ${lintian_command}
                OUTPUT_VARIABLE lintian_output ERROR_VARIABLE lintian_output RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR lintian_output MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian found problems (exit ${status}):\n${lintian_output}")
endif()

execute_process(COMMAND "${DPKG_DEB}" --contents "${debs}" OUTPUT_VARIABLE contents
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb --contents failed on ${debs}")
endif()
set(expected
    usr/bin/tintora
    usr/share/applications/org.example.Tintora.desktop
    usr/share/metainfo/org.example.Tintora.metainfo.xml
    usr/share/icons/hicolor/16x16/apps/org.example.Tintora.png
    usr/share/icons/hicolor/32x32/apps/org.example.Tintora.png
    usr/share/icons/hicolor/48x48/apps/org.example.Tintora.png
    usr/share/icons/hicolor/scalable/apps/org.example.Tintora.svg
    usr/share/doc/tintora/copyright
    usr/share/doc/tintora/changelog.gz
    usr/share/man/man1/tintora.1.gz)
set(missing)
foreach(path IN LISTS expected)
  string(REPLACE "." "\\." pattern "${path}")
  if(NOT contents MATCHES " \\./${pattern}\n")
    list(APPEND missing ${path})
  endif()
endforeach()
if(missing)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "the package lacks:\n  ${missing}\nIt holds:\n${contents}")
endif()
message(STATUS "lintian reports nothing; the package holds every expected file")
