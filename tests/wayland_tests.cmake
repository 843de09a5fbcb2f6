# The Qt window's suites again, as native clients of a real Wayland
# compositor: sway on its headless backend, with a seat, QT_QPA_PLATFORM=
# wayland. The wayland_start fixture starts it once per ctest run and fails,
# saying why, when it cannot; wayland_stop ends it. The tests take the
# compositor one at a time, since it gives the keyboard to one window.
# Label `wayland`: `ctest --preset wayland` runs them (scripts/test.sh does).

set(TINTORA_WAYLAND_STATE ${CMAKE_CURRENT_BINARY_DIR}/wayland)
set(TINTORA_WAYLAND_SESSION ${CMAKE_CURRENT_SOURCE_DIR}/wayland/wayland_session.sh)

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

foreach(suite qt_mixer_test qt_input_test qt_layout_test qt_property_test)
  tintora_wayland_test(${suite} $<TARGET_FILE:${suite}>)
endforeach()

# What only a compositor decides: which window has the keyboard around the notice.
add_executable(qt_wayland_test qt/qt_wayland_test.cpp)
set_target_properties(qt_wayland_test PROPERTIES AUTORCC ON)
target_sources(qt_wayland_test PRIVATE ${TINTORA_QRC})
target_link_libraries(qt_wayland_test PRIVATE qt_test_support tintora_warnings)
tintora_wayland_test(qt_wayland_test $<TARGET_FILE:qt_wayland_test>)

# The real program maps natively, under the app id of its desktop file.
tintora_wayland_test(program_app_id python3 ${CMAKE_CURRENT_SOURCE_DIR}/wayland/app_id_test.py
                     $<TARGET_FILE:tintora> ${PROJECT_SOURCE_DIR}/resources)
