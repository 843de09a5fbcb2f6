// The invalid-input notice, as the system's message box.
#pragma once

#include <windows.h>

#include <string_view>

namespace tintora::win32 {

// The system message box with one OK button ("确定" on a Chinese system), no
// icon, modal to the application, returning once the user has dismissed it.
// Its own message loop goes on dispatching WM_TIMER meanwhile. Only its user
// closes it: with its button, Return, Escape, the close button or Alt+F4; a
// WM_CLOSE that another program posts to every window of the process (as
// taskkill does) leaves it open, as the window it holds disabled refuses one.
void showNoticeBox(HWND owner, std::u16string_view prompt, std::u16string_view title);

} // namespace tintora::win32
