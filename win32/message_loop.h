// The thread's message loop: Tab and Shift+Tab move through the controls in
// tab order (IsDialogMessageW), every other message is translated and
// dispatched as usual.
#pragma once

#include <windows.h>

namespace tintora::win32 {

// Handles one message taken from the queue, on behalf of `window`.
void processMessage(HWND window, MSG& message);

// Runs until WM_QUIT and returns its exit code.
int runMessageLoop(HWND window);

} // namespace tintora::win32
