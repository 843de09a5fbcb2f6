// Text between the core's UTF-16 strings, the layout table's UTF-8 and the
// wide strings of the W functions (wchar_t is a UTF-16 unit on Windows).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tintora::win32 {

[[nodiscard]] inline std::wstring wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

[[nodiscard]] inline std::u16string utf16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

[[nodiscard]] std::wstring wideFromUtf8(std::string_view text);

// The whole text of a window (a box's contents, a label's caption).
[[nodiscard]] std::wstring windowText(HWND window);

} // namespace tintora::win32
