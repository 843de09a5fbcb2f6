// Display resolution: the layout's twips in pixels at a window's DPI, and the
// system's user-interface font at that DPI. The per-monitor functions exist
// from Windows 10 on; on older systems the screen's one DPI stands in.
#pragma once

#include <windows.h>

namespace tintora::win32 {

inline constexpr UINT BaseDpi = 96; // 15 twips a pixel
inline constexpr int TwipsPerInch = 1440;

[[nodiscard]] constexpr int pixels(int twips, UINT dpi) {
    // Rounded to the nearest pixel, as MulDiv does.
    return (twips * static_cast<int>(dpi) + TwipsPerInch / 2) / TwipsPerInch;
}

[[nodiscard]] UINT windowDpi(HWND window);

// The outer size of a window whose client area is width x height pixels.
[[nodiscard]] SIZE outerSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

// The message font (the one message boxes use), sized for `dpi`. On a Chinese
// Windows it shows Simplified Chinese. The caller owns the font.
[[nodiscard]] HFONT createMessageFont(UINT dpi);

} // namespace tintora::win32
