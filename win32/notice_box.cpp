#include "win32/notice_box.h"

#include "win32/wide_text.h"

#include <commctrl.h>

#include <string_view>
#include <utility>

namespace tintora::win32 {
namespace {

// The box being shown on this thread, between its creation and its end.
struct ShownNotice {
    HWND box = nullptr;
    bool userCloses = false; // inside the system's close command
};
thread_local ShownNotice* shown = nullptr;

LRESULT CALLBACK noticeProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                            DWORD_PTR) {
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && shown != nullptr) {
            shown->userCloses = true;
            const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
            shown->userCloses = false;
            return result;
        }
        break;
    case WM_CLOSE:
        if (shown == nullptr || !shown->userCloses) {
            return 0;
        }
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, &noticeProc, id);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

// Gives the system's box, the first dialog this thread makes while the
// notice is shown, its refusal of a close nobody asked for.
LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && shown != nullptr && shown->box == nullptr) {
        const auto window = reinterpret_cast<HWND>(wParam);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring_view(name) == L"#32770" && SetWindowSubclass(window, &noticeProc, 0, 0)) {
            shown->box = window;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void showNoticeBox(HWND owner, std::u16string_view prompt, std::u16string_view title) {
    ShownNotice notice;
    ShownNotice* const outer = std::exchange(shown, &notice);
    const HHOOK hook = SetWindowsHookExW(WH_CBT, &watchCreation, nullptr, GetCurrentThreadId());
    MessageBoxW(owner, wide(prompt).c_str(), wide(title).c_str(),
                MB_OK | MB_APPLMODAL | MB_DEFBUTTON1);
    if (hook != nullptr) {
        UnhookWindowsHookEx(hook);
    }
    shown = outer;
}

} // namespace tintora::win32
