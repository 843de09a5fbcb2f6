// What the application needs before its window is built.
#pragma once

class QApplication;

namespace tintora {

// Loads Qt's own Simplified Chinese translation once (standard buttons, the
// boxes' context menus), sets the window icon and desktop entry name, and lets
// a focused box's caret rest after a quiet spell (window/caret_rest.h).
void setUpApplication(QApplication& app);

} // namespace tintora
