// Tintora.exe's whole run, which wWinMain only calls.
#pragma once

#include <windows.h>

namespace tintora::win32 {

// Builds the window with its events bound, shows it with `showCommand` and
// runs its message loop until it is closed; returns the loop's exit code. A
// window that cannot be built whole is taken down and the start reported
// (reportFailedStart), returning 1.
int runProgram(HINSTANCE instance, int showCommand);

} // namespace tintora::win32
