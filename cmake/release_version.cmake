# A release's version is the project's version in CMakeLists.txt. Everything
# built takes it from there; the two texts written by hand for each release,
# the newest entry of the Debian changelog and the newest release in the
# AppStream metainfo, must name it too, or the configuration fails.
#
#   include(release_version.cmake) + tintora_check_release_version(SOURCE_DIR VERSION)
#   cmake -P cmake/release_version.cmake     prints the version once both agree

function(tintora_check_release_version source_dir version)
  set(resources ${source_dir}/resources)
  set(changelog ${resources}/debian/changelog)
  set(metainfo_file ${resources}/org.example.Tintora.metainfo.xml)
  if(NOT CMAKE_SCRIPT_MODE_FILE)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog} ${metainfo_file})
  endif()
  file(STRINGS ${changelog} newest LIMIT_COUNT 1)
  if(NOT newest MATCHES "^tintora \\(([^)]*)\\) ")
    message(FATAL_ERROR "resources/debian/changelog: no entry at the top")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL version)
    message(FATAL_ERROR "resources/debian/changelog: the newest entry is version "
                        "${CMAKE_MATCH_1}, the project is ${version}; add an entry for this release")
  endif()
  file(READ ${metainfo_file} metainfo)
  if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"([^\"]*)\"")
    message(FATAL_ERROR "resources/org.example.Tintora.metainfo.xml: no release listed")
  endif()
  if(NOT CMAKE_MATCH_1 STREQUAL version)
    message(FATAL_ERROR "resources/org.example.Tintora.metainfo.xml: the newest release is "
                        "${CMAKE_MATCH_1}, the project is ${version}; list this release first")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH source_dir)
  file(READ ${source_dir}/CMakeLists.txt top)
  if(NOT top MATCHES "\nproject\\(Tintora VERSION ([0-9]+\\.[0-9]+\\.[0-9]+)[ )]")
    message(FATAL_ERROR "CMakeLists.txt: no project(Tintora VERSION X.Y.Z ...)")
  endif()
  set(version ${CMAKE_MATCH_1})
  tintora_check_release_version(${source_dir} ${version})
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo ${version})
endif()
