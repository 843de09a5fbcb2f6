// Qt ends the process with abort() when no platform plugin starts (exit 134,
// and a core dump where they are kept), and its last words are a guess: that
// reinstalling the application may help. While the application connects to
// its display, Qt's messages are held back here, whichever thread logs them.
// A fatal one ends the program instead, with exit code 1: the held messages go
// out, then one line of our own, the last on standard error, saying which
// platform was asked for, what failed (a plugin that is not installed, with
// the installed ones; or the X or Wayland display that could not be reached)
// and what to do. Once connected, the held messages go out as they would have.
// One instance at a time: it owns Qt's message handler.
#pragma once

#include <QtGlobal>

namespace tintora::qt {

class StartUpMessages {
public:
    // argv as the program got it: Qt's -platform option wins over QT_QPA_PLATFORM.
    explicit StartUpMessages(int argc, const char* const* argv);
    ~StartUpMessages();
    StartUpMessages(const StartUpMessages&) = delete;
    StartUpMessages& operator=(const StartUpMessages&) = delete;

    // The application has its display: messages go out as usual again.
    void connected();
};

} // namespace tintora::qt
