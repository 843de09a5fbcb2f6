# Tests on the real Qt widgets, offscreen.
find_package(Qt6 REQUIRED COMPONENTS Test)

add_library(qt_test_support STATIC qt/qt_test_main.cpp)
target_link_libraries(qt_test_support PUBLIC qt_testing scenario_support GTest::gtest
                      PRIVATE tintora_warnings)

function(tintora_qt_test name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES AUTORCC ON)
  target_sources(${name} PRIVATE ${TINTORA_QRC})
  target_link_libraries(${name} PRIVATE qt_test_support tintora_warnings)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

tintora_qt_test(qt_mixer_test qt/qt_mixer_test.cpp)
tintora_qt_test(qt_layout_test qt/qt_layout_test.cpp)
tintora_qt_test(qt_input_test qt/qt_input_test.cpp)

# The layout again at 150 % and 200 %: device-independent geometry must not move.
foreach(scale 1.5 2)
  gtest_discover_tests(qt_layout_test TEST_PREFIX "scale${scale}." DISCOVERY_TIMEOUT 30
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=${scale}")
endforeach()
tintora_qt_test(qt_differential_test qt/qt_differential_test.cpp)
# At 200 %, where every logical pixel of the preview is four on the screen.
gtest_discover_tests(qt_differential_test TEST_PREFIX "scale2." DISCOVERY_TIMEOUT 30
                     PROPERTIES ENVIRONMENT
                     "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;TINTORA_DIFFERENTIAL_SESSIONS=50")

# Closing the window ends the program with exit status 0: the real executable,
# with a module preloaded that closes its window the way the platform does.
# The sanitizer runtime would refuse to follow a preloaded library.
add_library(close_window_hook MODULE qt/close_window_hook.cpp)
target_link_libraries(close_window_hook PRIVATE Qt6::Gui tintora_warnings)
add_test(NAME program_ends_when_its_window_closes COMMAND tintora)
set_tests_properties(program_ends_when_its_window_closes PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LD_PRELOAD=$<TARGET_FILE:close_window_hook>"
  ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::verify_asan_link_order=0"
  TIMEOUT 30)

# Where Qt cannot start a platform (no display, an unreachable Wayland display
# with X reachable, a plugin that does not exist), the program ends with exit
# code 1 and one line naming what failed.
add_test(NAME program_start_up_failures
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/qt/start_up_failures.sh $<TARGET_FILE:tintora>)
set_tests_properties(program_start_up_failures PROPERTIES TIMEOUT 60)

# The suites above again, natively on a real headless Wayland compositor.
# Not under the sanitizers: they check memory on the offscreen run above.
if(NOT TINTORA_SANITIZE)
  include(wayland_tests.cmake)
endif()
