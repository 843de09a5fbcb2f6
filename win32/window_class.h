// The window class of the mixer's main window: the arrow cursor, the dialog
// face colour behind the controls, and the executable's icon.
#pragma once

#include <windows.h>

namespace tintora::win32 {

// Registers the class once per module, with `windowProc`, and returns its name.
[[nodiscard]] const wchar_t* registerMainWindowClass(HINSTANCE instance, WNDPROC windowProc);

} // namespace tintora::win32
