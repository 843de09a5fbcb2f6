# Tests of the Windows build, cross-compiled with MinGW-w64 and run under Wine
# on a private Xvfb display with a throwaway WINEPREFIX in the build folder.
# The wine_start fixture makes both once per ctest run; wine_stop ends them.

# Debian's libgtest-dev ships the sources; they are built here with the cross compiler.
set(TINTORA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${TINTORA_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

set(TINTORA_WINE_STATE ${CMAKE_CURRENT_BINARY_DIR}/wine)
set(TINTORA_WINE_SESSION ${PROJECT_SOURCE_DIR}/scripts/sessions/wine_session.sh)

add_test(NAME wine_start COMMAND sh ${TINTORA_WINE_SESSION} start ${TINTORA_WINE_STATE})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
add_test(NAME wine_stop COMMAND sh ${TINTORA_WINE_SESSION} stop ${TINTORA_WINE_STATE})
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# tintora_wine_test(name target [args...]): runs the executable under Wine.
# Tests that show windows take the display one at a time: Wine has one
# foreground window per display.
function(tintora_wine_test name target)
  add_test(NAME ${name}
           COMMAND sh ${TINTORA_WINE_SESSION} run ${TINTORA_WINE_STATE} $<TARGET_FILE:${target}>
                   ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                                          RESOURCE_LOCK wine_display)
endfunction()

add_library(scenario_support STATIC scenarios/call_log.cpp)
target_include_directories(scenario_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(scenario_support PUBLIC mixer_testing gtest PRIVATE tintora_warnings)

# The test programs carry the program's manifest, so that they get the same
# controls (Common Controls 6) and DPI awareness as Tintora.exe.
include(${PROJECT_SOURCE_DIR}/cmake/windows_resources.cmake)
set(TINTORA_TEST_RC ${CMAKE_CURRENT_BINARY_DIR}/test_manifest.rc)
tintora_configure_manifest(${CMAKE_CURRENT_BINARY_DIR}/tintora.manifest)
file(WRITE ${TINTORA_TEST_RC} "1 24 \"${CMAKE_CURRENT_BINARY_DIR}/tintora.manifest\"\n")

add_library(win32_test_support STATIC win32/program_run.cpp)
target_include_directories(win32_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/win32)
target_link_libraries(win32_test_support PUBLIC win32_testing scenario_support gtest gtest_main
                      PRIVATE tintora_warnings)

function(tintora_win32_test name)
  add_executable(${name} ${ARGN} ${TINTORA_TEST_RC})
  target_link_libraries(${name} PRIVATE win32_test_support tintora_warnings)
  tintora_wine_test(${name} ${name})
endfunction()

tintora_win32_test(win32_mixer_test win32/win32_mixer_test.cpp)
tintora_win32_test(win32_window_test win32/win32_window_test.cpp)
tintora_win32_test(win32_differential_test win32/win32_differential_test.cpp)
set_property(TEST win32_window_test APPEND PROPERTY ENVIRONMENT TINTORA_EXE=$<TARGET_FILE:tintora_exe>)
add_dependencies(win32_window_test tintora_exe)

# What the built executable carries and needs: its resources, read back by
# windres, and its size and imports.
add_test(NAME tintora_exe_resources
         COMMAND ${CMAKE_COMMAND} -DWINDRES=${CMAKE_RC_COMPILER} -DEXE=$<TARGET_FILE:tintora_exe>
                 -DVERSION=${PROJECT_VERSION}
                 -P ${PROJECT_SOURCE_DIR}/tools/check_windows_res.cmake)
add_test(NAME tintora_exe_standalone
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TINTORA_MINGW_PREFIX}-objdump
                 -DEXE=$<TARGET_FILE:tintora_exe> -P ${PROJECT_SOURCE_DIR}/tools/check_windows_exe.cmake)

# The downloads, as a user installs, upgrades, uninstalls or unpacks them. The
# upgrade starts from an older version of the same package, made here with one
# more file in it.
add_executable(downloads_probe win32/downloads_probe.cpp ${TINTORA_TEST_RC})
target_link_libraries(downloads_probe PRIVATE win32_test_support msi ole32 uuid tintora_warnings)
target_link_options(downloads_probe PRIVATE -municode)
set(TINTORA_DOWNLOADS_TEST ${CMAKE_CURRENT_SOURCE_DIR}/win32/downloads_test.sh)
set(tintora_older_version 1.0.0)
set(tintora_older_msi ${CMAKE_CURRENT_BINARY_DIR}/Tintora-${tintora_older_version}-x64.msi)
if(TARGET tintora_msi)
  add_custom_command(
    OUTPUT ${tintora_older_msi}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DVERSION=${tintora_older_version}
            -DEXE=$<TARGET_FILE:tintora_exe> -DSTAGE=${CMAKE_CURRENT_BINARY_DIR}/older_msi
            -DMSI=${tintora_older_msi} -DWIXL=${TINTORA_WIXL} -DMSIBUILD=${TINTORA_MSIBUILD}
            -DFAKETIME=${TINTORA_FAKETIME} -DOLDER_FILE_FOR_TESTING=${PROJECT_SOURCE_DIR}/LICENSE
            -P ${PROJECT_SOURCE_DIR}/cmake/windows_downloads.cmake
    DEPENDS tintora_msi
    VERBATIM)
  add_custom_target(tintora_older_msi ALL DEPENDS ${tintora_older_msi})
endif()
# Its own prefix, so that it starts from a user who never had the program.
add_test(NAME windows_installer
         COMMAND sh ${TINTORA_DOWNLOADS_TEST} installer ${CMAKE_CURRENT_BINARY_DIR}/wine_installer
                 $<TARGET_FILE:downloads_probe> ${TINTORA_MSI} ${PROJECT_VERSION}
                 ${tintora_older_msi} ${tintora_older_version})
set_tests_properties(windows_installer PROPERTIES TIMEOUT 300)
add_test(NAME windows_portable_zip
         COMMAND sh ${TINTORA_DOWNLOADS_TEST} zip ${TINTORA_WINE_STATE} $<TARGET_FILE:downloads_probe>
                 ${TINTORA_ZIP} ${PROJECT_VERSION} ${TINTORA_SOURCE_DATE_FILE})
set_tests_properties(windows_portable_zip PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 120
                                                     RESOURCE_LOCK wine_display)

# The core's own suites, compiled for Windows: the conversions and the
# in-memory scenarios must hold on the Windows C runtime too.
add_executable(conversions_test conversions_test.cpp)
target_link_libraries(conversions_test PRIVATE conversions gtest_main tintora_warnings)
# The comma-locale case names a glibc locale, which the Windows C runtime
# does not know.
tintora_wine_test(conversions_test conversions_test
                  --gtest_filter=-NumberReading.ReadsTheSameUnderACommaDecimalLocale)
add_executable(in_memory_mixer_test in_memory_mixer_test.cpp)
target_link_libraries(in_memory_mixer_test PRIVATE mixer_testing scenario_support gtest_main tintora_warnings)
tintora_wine_test(in_memory_mixer_test in_memory_mixer_test)
