# The Windows build's measurements. Included from bench/CMakeLists.txt.

# Programs that measure a window carry the program's manifest, so that they
# get the same controls (Common Controls 6) and DPI awareness as Tintora.exe.
include(${PROJECT_SOURCE_DIR}/cmake/windows_resources.cmake)
set(TINTORA_BENCH_RC ${CMAKE_CURRENT_BINARY_DIR}/bench_manifest.rc)
tintora_configure_manifest(${CMAKE_CURRENT_BINARY_DIR}/tintora.manifest)
file(WRITE ${TINTORA_BENCH_RC} "1 24 \"${CMAKE_CURRENT_BINARY_DIR}/tintora.manifest\"\n")

# The reference window Tintora.exe is measured against, and the program that
# shows it alone, ReferenceWindow.exe, linked as Tintora.exe is
# (bench/measure-windows.sh).
add_library(win32_reference_window STATIC win32_reference_window.cpp win32_reference_window.h)
target_include_directories(win32_reference_window PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(win32_reference_window PUBLIC win32_window PRIVATE tintora_warnings)
add_executable(win32_reference_window_exe WIN32 win32_reference_window_main.cpp
                                                ${TINTORA_BENCH_RC})
set_target_properties(win32_reference_window_exe PROPERTIES OUTPUT_NAME ReferenceWindow)
target_link_options(win32_reference_window_exe PRIVATE -municode -s)
target_link_libraries(win32_reference_window_exe PRIVATE win32_reference_window tintora_warnings)

# The long-run memory check (scripts/long-run.sh wine): Tintora's window and
# the plain mixer under the same random sessions.
add_executable(win32_long_run win32_long_run.cpp win32_plain_mixer_player.cpp
                              win32_plain_mixer_player.h ${TINTORA_BENCH_RC})
target_link_libraries(win32_long_run PRIVATE long_run win32_reference_window win32_testing
                                             tintora_warnings)
