// Tintora.exe: the mixer's window on the Win32 API.
#include "win32/message_loop.h"
#include "win32/start_up_messages.h"
#include "win32/win32_bound_mixer.h"

#include <exception>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    try {
        tintora::win32::Win32BoundMixer mixer(instance); // the window, its events bound
        mixer.window.endLoopWhenClosed();
        mixer.window.show(showCommand);
        return tintora::win32::runMessageLoop(mixer.window.handle());
    } catch (const std::exception& failure) {
        return tintora::win32::reportFailedStart(failure);
    }
}
