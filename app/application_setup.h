// What the application needs before its window is built.
#pragma once

class QApplication;

namespace tintora {

// Loads Qt's own Simplified Chinese translation once (standard buttons, the
// boxes' context menus), and sets the window icon and desktop entry name.
void setUpApplication(QApplication& app);

} // namespace tintora
