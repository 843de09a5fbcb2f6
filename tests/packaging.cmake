# Checks on what ships beside the executable: the Linux desktop entry and
# AppStream metainfo, the Windows resource script, the generated icons, and
# the Debian package. Included from tests/CMakeLists.txt; only the SVG icon
# check and the package need the Qt build.
#
# The tools are installed by scripts/install-deps.sh, so a missing one is a
# broken machine: its test is still added and fails, saying what is missing.

set(TINTORA_RESOURCES ${PROJECT_SOURCE_DIR}/resources)
set(TINTORA_ICONS ${TINTORA_RESOURCES}/icons)
set(TINTORA_TOOLS ${PROJECT_SOURCE_DIR}/tools)

# The same configuration the Windows build makes, so the script is checked as built.
include(${PROJECT_SOURCE_DIR}/cmake/windows_resources.cmake)
tintora_configure_rc(${CMAKE_CURRENT_BINARY_DIR}/tintora.rc)

# tintora_find_tool(VAR program): find_program that also remembers the name.
macro(tintora_find_tool var program)
  find_program(${var} ${program})
  set(${var}_NAME ${program})
endmacro()

tintora_find_tool(TINTORA_DESKTOP_FILE_VALIDATE desktop-file-validate)
tintora_find_tool(TINTORA_APPSTREAMCLI appstreamcli)
tintora_find_tool(TINTORA_WINDRES x86_64-w64-mingw32-windres)
tintora_find_tool(TINTORA_CPP cpp)  # windres's preprocessor; see check_windows_res.cmake
tintora_find_tool(TINTORA_PYTHON3 python3)
tintora_find_tool(TINTORA_CONVERT convert)
tintora_find_tool(TINTORA_LINTIAN lintian)
tintora_find_tool(TINTORA_DPKG_DEB dpkg-deb)

set(TINTORA_TOOL_MISSING_SCRIPT ${CMAKE_CURRENT_BINARY_DIR}/tool_missing.cmake)
file(WRITE ${TINTORA_TOOL_MISSING_SCRIPT}
     "message(FATAL_ERROR \"\${TOOL} was not found when the build was configured; \"\n"
     "                    \"run scripts/install-deps.sh test and configure again.\")\n")

# tintora_packaging_test(NAME name TOOLS var... COMMAND args...)
# Adds the test as given when every tool was found; otherwise adds one that
# fails naming the first missing tool.
function(tintora_packaging_test)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "" "NAME" "TOOLS;COMMAND")
  set(command ${ARG_COMMAND})
  foreach(tool IN LISTS ARG_TOOLS)
    if(NOT ${tool})
      set(command ${CMAKE_COMMAND} -DTOOL=${${tool}_NAME} -P ${TINTORA_TOOL_MISSING_SCRIPT})
      break()
    endif()
  endforeach()
  add_test(NAME ${ARG_NAME} COMMAND ${command})
  set_tests_properties(${ARG_NAME} PROPERTIES LABELS packaging)
endfunction()

tintora_packaging_test(NAME desktop_file_valid
  TOOLS TINTORA_DESKTOP_FILE_VALIDATE
  COMMAND ${TINTORA_DESKTOP_FILE_VALIDATE} ${TINTORA_RESOURCES}/org.example.Tintora.desktop)

tintora_packaging_test(NAME metainfo_valid
  TOOLS TINTORA_APPSTREAMCLI
  COMMAND ${TINTORA_APPSTREAMCLI} validate --no-net
          ${TINTORA_RESOURCES}/org.example.Tintora.metainfo.xml)

tintora_packaging_test(NAME windows_rc_compiles
  TOOLS TINTORA_WINDRES TINTORA_CPP
  COMMAND ${CMAKE_COMMAND}
          -DWINDRES=${TINTORA_WINDRES} -DCPP=${TINTORA_CPP}
          -DRC=${CMAKE_CURRENT_BINARY_DIR}/tintora.rc
          -DOUTPUT=${CMAKE_CURRENT_BINARY_DIR}/tintora_rc.o
          -DVERSION=${PROJECT_VERSION} -P ${TINTORA_TOOLS}/check_windows_res.cmake)

tintora_packaging_test(NAME icon_generator_reproducible
  TOOLS TINTORA_PYTHON3
  COMMAND ${CMAKE_COMMAND}
          -DPYTHON=${TINTORA_PYTHON3} -DGENERATOR=${TINTORA_TOOLS}/make_icon.py
          -DCOMMITTED=${TINTORA_ICONS} -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/icons_fresh
          -P ${TINTORA_TOOLS}/check_icon_reproducible.cmake)

if(TINTORA_BUILD_WINDOW)
  add_subdirectory(${TINTORA_TOOLS} ${CMAKE_BINARY_DIR}/tools)
  set(TINTORA_RENDER_SVG $<TARGET_FILE:render_svg>)
else()
  set(TINTORA_RENDER_SVG -)
endif()
tintora_packaging_test(NAME icon_files_consistent
  TOOLS TINTORA_PYTHON3 TINTORA_CONVERT
  COMMAND ${TINTORA_PYTHON3} ${TINTORA_TOOLS}/check_icons.py ${TINTORA_CONVERT}
          ${TINTORA_RENDER_SVG} ${TINTORA_ICONS})

find_program(TINTORA_GIT git)
set(TINTORA_GIT_NAME git)
tintora_packaging_test(NAME release_refuses_uncommitted_changes_and_disagreeing_versions
  TOOLS TINTORA_GIT
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/release_refusals.sh ${PROJECT_SOURCE_DIR}
          ${CMAKE_CURRENT_BINARY_DIR}/release_refusals)

add_test(NAME install_deps_supports_debian_12_and_13_only
  COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/install_deps_releases.sh ${PROJECT_SOURCE_DIR}
          ${CMAKE_CURRENT_BINARY_DIR}/install_deps_releases)
set_tests_properties(install_deps_supports_debian_12_and_13_only PROPERTIES LABELS packaging)

if(TINTORA_BUILD_WINDOW)
  # Lintian tags accepted on the package, each with its reason.
  set(TINTORA_LINTIAN_OVERRIDES)
  tintora_packaging_test(NAME debian_package_clean
    TOOLS TINTORA_LINTIAN TINTORA_DPKG_DEB
    COMMAND ${CMAKE_COMMAND}
            -DCPACK=${CMAKE_CPACK_COMMAND} -DLINTIAN=${TINTORA_LINTIAN}
            -DDPKG_DEB=${TINTORA_DPKG_DEB} -DCONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
            -DSCRATCH=${CMAKE_CURRENT_BINARY_DIR}/deb "-DOVERRIDES=${TINTORA_LINTIAN_OVERRIDES}"
            -P ${TINTORA_TOOLS}/check_deb.cmake)
endif()
