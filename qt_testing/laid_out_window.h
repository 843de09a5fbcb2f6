// A user's actions played on any Qt window whose controls stand where the
// layout table puts them: the program's window, or a benchmark's window of
// the same controls. Each action goes through the input functions of
// window_input.h, as the platform would deliver it.
#pragma once

#include "mixer_testing/user_action.h"

#include <cstddef>
#include <functional>

class QMessageBox;
class QWidget;
class QWindow;

namespace tintora::testing {

// The main window, and the control of each layout row in it.
struct LaidOutWindow {
    QWidget* window = nullptr;
    std::function<QWidget*(std::size_t row)> control;
};

// The notice that is open and active, or nothing.
[[nodiscard]] QMessageBox* openNotice();
// Where the keys go: the open notice, else `window`, which gets the keyboard
// back first where it lost it, as a window manager gives it back when a
// notice closes.
[[nodiscard]] QWindow* keyboardWindow(QWidget* window);

// Plays `action` on `on`. A Tick is the window's own timer's: the window's
// player delivers it.
void playInput(const LaidOutWindow& on, const UserAction& action);

} // namespace tintora::testing
