#include "win32_testing/window_input.h"

#include "win32/message_loop.h"

#include <cstring>
#include <stdexcept>

namespace tintora::testing {

LPARAM keyData(UINT key, bool release) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    return 1 | scan | (release ? LPARAM{3} << 30 : 0);
}

void putOnClipboard(std::u16string_view text, HWND owner) {
    if (!OpenClipboard(owner)) {
        throw std::runtime_error("the clipboard is not available");
    }
    EmptyClipboard();
    if (text.empty()) {
        CloseClipboard();
        return;
    }
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    auto* data = static_cast<wchar_t*>(GlobalLock(memory));
    std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
    data[text.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory); // the clipboard owns it now
    CloseClipboard();
}

void processQueue(HWND window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        win32::processMessage(window, message);
    }
}

} // namespace tintora::testing
