# The Qt window's suites again, as native clients of a real Wayland
# compositor: sway on its headless backend, with a seat, QT_QPA_PLATFORM=
# wayland; and weston, which leaves window frames to its clients. The
# wayland_start fixture starts it once per ctest run and fails,
# saying why, when it cannot; wayland_stop ends it. The tests take the
# compositor one at a time, since it gives the keyboard to one window.
# Label `wayland`: `ctest --preset wayland` runs them (scripts/test.sh does).

set(TINTORA_WAYLAND_STATE ${CMAKE_CURRENT_BINARY_DIR}/wayland)
set(TINTORA_WAYLAND_SESSION ${PROJECT_SOURCE_DIR}/scripts/sessions/wayland_session.sh)

add_test(NAME wayland_start COMMAND sh ${TINTORA_WAYLAND_SESSION} start ${TINTORA_WAYLAND_STATE})
set_tests_properties(wayland_start PROPERTIES FIXTURES_SETUP wayland TIMEOUT 60 LABELS wayland)
add_test(NAME wayland_stop COMMAND sh ${TINTORA_WAYLAND_SESSION} stop ${TINTORA_WAYLAND_STATE})
set_tests_properties(wayland_stop PROPERTIES FIXTURES_CLEANUP wayland LABELS wayland)

# tintora_wayland_test(name command [args...]): runs the command as a client
# of the compositor.
function(tintora_wayland_test name)
  add_test(NAME wayland.${name}
           COMMAND sh ${TINTORA_WAYLAND_SESSION} run ${TINTORA_WAYLAND_STATE} ${ARGN})
  set_tests_properties(wayland.${name} PROPERTIES FIXTURES_REQUIRED wayland TIMEOUT 600
                                                  RESOURCE_LOCK wayland_seat LABELS wayland)
endfunction()

foreach(suite qt_mixer_test qt_input_test qt_layout_test qt_differential_test)
  tintora_wayland_test(${suite} $<TARGET_FILE:${suite}>)
endforeach()

# What only a compositor decides: which window has the keyboard around the notice.
add_executable(qt_wayland_test qt/qt_wayland_test.cpp)
set_target_properties(qt_wayland_test PROPERTIES AUTORCC ON)
target_sources(qt_wayland_test PRIVATE ${TINTORA_QRC})
target_link_libraries(qt_wayland_test PRIVATE qt_test_support tintora_warnings)
tintora_wayland_test(qt_wayland_test $<TARGET_FILE:qt_wayland_test>)
set_tests_properties(wayland.qt_wayland_test PROPERTIES ENVIRONMENT TINTORA_FRAMES=compositor)
# The user's own setting wins: with 0, Qt's decoration machinery stays in charge.
tintora_wayland_test(frames_users_setting $<TARGET_FILE:qt_wayland_test>
                     --gtest_filter=WaylandFrames.*)
set_tests_properties(wayland.frames_users_setting PROPERTIES
  ENVIRONMENT "TINTORA_FRAMES=users-zero;QT_WAYLAND_DISABLE_WINDOWDECORATION=0")

# weston draws no frames (no xdg-decoration): there Qt draws its own.
set(TINTORA_WESTON_STATE ${CMAKE_CURRENT_BINARY_DIR}/weston)
add_test(NAME weston_start
         COMMAND sh ${TINTORA_WAYLAND_SESSION} start ${TINTORA_WESTON_STATE} weston)
set_tests_properties(weston_start PROPERTIES FIXTURES_SETUP weston TIMEOUT 60 LABELS wayland)
add_test(NAME weston_stop COMMAND sh ${TINTORA_WAYLAND_SESSION} stop ${TINTORA_WESTON_STATE})
set_tests_properties(weston_stop PROPERTIES FIXTURES_CLEANUP weston LABELS wayland)
add_test(NAME weston.frames_drawn_by_qt
         COMMAND sh ${TINTORA_WAYLAND_SESSION} run ${TINTORA_WESTON_STATE}
                 $<TARGET_FILE:qt_wayland_test> --gtest_filter=WaylandFrames.*)
set_tests_properties(weston.frames_drawn_by_qt PROPERTIES FIXTURES_REQUIRED weston TIMEOUT 120
                     ENVIRONMENT TINTORA_FRAMES=qt LABELS wayland)

# The real program maps natively, under the app id of its desktop file.
tintora_wayland_test(program_app_id python3 ${CMAKE_CURRENT_SOURCE_DIR}/wayland/app_id_test.py
                     $<TARGET_FILE:tintora> ${PROJECT_SOURCE_DIR}/resources)
