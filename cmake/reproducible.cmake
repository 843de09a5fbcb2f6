# Builds from the same commit give the same bytes, wherever and whenever they
# run: scripts/reproducible-check.sh builds the .deb and Tintora.exe twice and
# compares them. Included by the top-level CMakeLists.txt before any target.

# The compiler writes the folders it works in into the debug information (and
# so into the build ID that stripping keeps), and into __FILE__. In the builds
# that are shipped they are written relative to the source and build folders
# instead; a build folder inside the source folder matches the second, later
# and so preferred, map. Debug builds keep whole paths for debuggers.
set(tintora_shipped_cxx "$<AND:$<COMPILE_LANGUAGE:CXX>,$<NOT:$<CONFIG:Debug>>>")
add_compile_options("$<${tintora_shipped_cxx}:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                    "$<${tintora_shipped_cxx}:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")

# Qt's resource compiler stores each file's modification time, which in a clone
# is the time of the checkout; format 1 has no such field.
set(CMAKE_AUTORCC_OPTIONS --format-version 1)

if(WIN32)
  # The linker stamps the PE header with the time of linking; 0 stands for none.
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# The .deb: the dates of its files and members, the modes of its folders and
# of its members.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_source_date.cmake)
set(CPACK_TINTORA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/cpack_staging_modes.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/cpack_deb_member_modes.cmake)
