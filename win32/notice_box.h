// The modal message boxes the program shows: the invalid-input notice, and
// the report of a start-up that failed.
#pragma once

#include <windows.h>

#include <exception>
#include <string_view>

namespace tintora::win32 {

// The system message box with one OK button ("确定" on a Chinese system), no
// icon, modal to the application, returning once the user has dismissed it.
// Its own message loop goes on dispatching WM_TIMER meanwhile. Only its user
// closes it: with its button, Return, Escape, the close button or Alt+F4; a
// WM_CLOSE that another program posts to every window of the process (as
// taskkill does) leaves it open, as the window it holds disabled refuses one.
void showNoticeBox(HWND owner, std::u16string_view prompt, std::u16string_view title);

// Tells the user, in a message box with an error icon, that the program could
// not start and why; returns the exit code of such a start, 1.
int reportFailedStart(const std::exception& failure);

} // namespace tintora::win32
