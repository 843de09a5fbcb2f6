// Qt ends the process with abort() when it finds no display to open a window
// on (exit 134, and a core dump where they are kept): DISPLAY and
// WAYLAND_DISPLAY both unset, or naming a server that is gone. While the
// application connects to its display, Qt's messages are held back here; a
// fatal one ends the program instead with one line on standard error saying
// what is missing, and exit code 1. Once connected, the held messages go out
// as they would have.
#pragma once

#include <QtGlobal>

namespace tintora {

class StartUpMessages {
public:
    StartUpMessages();
    ~StartUpMessages();
    StartUpMessages(const StartUpMessages&) = delete;
    StartUpMessages& operator=(const StartUpMessages&) = delete;

    // The application has its display: messages go out as usual again.
    void connected();

private:
    QtMessageHandler previous_ = nullptr;
    bool holding_ = true;
};

} // namespace tintora
