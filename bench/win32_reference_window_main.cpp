// The Win32 reference window as a program of its own, ReferenceWindow.exe,
// built as Tintora.exe is: the same manifest, the same static runtime,
// stripped. bench/measure-windows.sh measures the two side by side under Wine.
#include "win32_reference_window.h"

#include "win32/message_loop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tintora::bench::ReferenceWindow window;
    return tintora::win32::runMessageLoop(window.handle());
}
