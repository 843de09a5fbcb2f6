#include "win32/program.h"

#include "win32/message_loop.h"
#include "win32/start_up_messages.h"
#include "win32/win32_bound_mixer.h"

#include <exception>

namespace tintora::win32 {

int runProgram(HINSTANCE instance, int showCommand) {
    try {
        Win32BoundMixer mixer(instance); // the window, its events bound
        mixer.window.endLoopWhenClosed();
        mixer.window.show(showCommand);
        return runMessageLoop(mixer.window.handle());
    } catch (const std::exception& failure) {
        return reportFailedStart(failure);
    }
}

} // namespace tintora::win32
