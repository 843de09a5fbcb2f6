// A user's actions played on any Win32 window whose controls stand where the
// layout table puts them: the program's window, or a benchmark's window of
// the same controls. Each action goes through the input functions of
// window_input.h, as the system would post it.
#pragma once

#include "mixer_testing/user_action.h"

#include <windows.h>

#include <cstddef>
#include <functional>

namespace tintora::testing {

// The main window, and the control of each layout row in it.
struct LaidOutWindow {
    HWND window = nullptr;
    std::function<HWND(std::size_t row)> control;
};

// Plays `action` on `on`. A Tick is the window's own timer's: the window's
// player delivers it.
void playInput(const LaidOutWindow& on, const UserAction& action);

} // namespace tintora::testing
