// Tintora.exe: the mixer's window on the Win32 API.
#include "win32/bound_mixer.h"
#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    tintora::win32::BoundMixer mixer(instance); // the window from the layout table, events bound
    mixer.window.endLoopWhenClosed();
    mixer.window.show(showCommand);
    return tintora::win32::runMessageLoop(mixer.window.handle());
}
