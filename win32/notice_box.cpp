#include "win32/notice_box.h"

#include "win32/wide_text.h"

namespace tintora::win32 {

void showNoticeBox(HWND owner, std::u16string_view prompt, std::u16string_view title) {
    MessageBoxW(owner, wide(prompt).c_str(), wide(title).c_str(),
                MB_OK | MB_APPLMODAL | MB_DEFBUTTON1);
}

int reportFailedStart(const std::exception& failure) {
    const std::wstring text =
        L"Tintora 无法启动。\nTintora cannot start: " + wideFromUtf8(failure.what()) + L".";
    MessageBoxW(nullptr, text.c_str(), L"Tintora", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
}

} // namespace tintora::win32
