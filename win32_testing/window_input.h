// A user's input on a Win32 window, for the tests' and benchmarks' players:
// the clipboard as another program fills it, keys and clicks posted as the
// system posts them, and the thread's queue handled as the program's loop
// handles it.
#pragma once

#include <windows.h>

#include <string_view>

namespace tintora::testing {

// Puts `text` on the clipboard as Unicode text, as copying it elsewhere would;
// an empty text leaves the clipboard empty.
void putOnClipboard(std::u16string_view text, HWND owner);

// The lParam of a WM_KEYDOWN (or, with `release`, WM_KEYUP) for `key`.
[[nodiscard]] LPARAM keyData(UINT key, bool release);

// Handles every message waiting in the thread's queue as the program's loop
// would, on behalf of `window`.
void processQueue(HWND window);

} // namespace tintora::testing
