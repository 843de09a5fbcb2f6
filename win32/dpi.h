// Display resolution: a window's DPI, and the system's user-interface font at
// that DPI. The per-monitor functions exist from Windows 10 on; on older
// systems the screen's one DPI stands in.
#pragma once

#include <windows.h>

namespace tintora::win32 {

[[nodiscard]] UINT windowDpi(HWND window);

// The outer size of a window whose client area is width x height pixels.
[[nodiscard]] SIZE outerSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

// The message font (the one message boxes use), sized for `dpi`. On a Chinese
// Windows it shows Simplified Chinese. The caller owns the font.
[[nodiscard]] HFONT createMessageFont(UINT dpi);

} // namespace tintora::win32
