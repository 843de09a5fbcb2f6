// The modal invalid-input notice.
#pragma once

#include <QString>

class QWidget;

namespace tintora::qt {

// Shows a message box with one OK button ("确定") and no icon, modal to the
// whole application, and returns once the user has dismissed it. The event
// loop keeps running inside, so timers still fire.
void showNoticeBox(QWidget* parent, const QString& prompt, const QString& title);

} // namespace tintora::qt
