#include "win32/start_up_messages.h"

#include "win32/wide_text.h"

#include <windows.h>

#include <string>

namespace tintora::win32 {

int reportFailedStart(const std::exception& failure) {
    const std::wstring text =
        L"Tintora 无法启动。\nTintora cannot start: " + wideFromUtf8(failure.what()) + L".";
    MessageBoxW(nullptr, text.c_str(), L"Tintora", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return 1;
}

} // namespace tintora::win32
