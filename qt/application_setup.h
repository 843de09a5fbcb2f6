// What the application needs before its window is built.
#pragma once

class QApplication;

namespace tintora::qt {

// Loads Qt's own Simplified Chinese translation once (standard buttons, the
// boxes' context menus), sets the window icon and desktop entry name, lets a
// focused box's caret rest after a quiet spell (qt/caret_rest.h), and on
// Wayland leaves the window's frame to a compositor that draws frames
// (qt/window_frames.h).
void setUpApplication(QApplication& app);

} // namespace tintora::qt
