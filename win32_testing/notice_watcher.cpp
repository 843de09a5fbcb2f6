#include "win32_testing/notice_watcher.h"

#include "win32/wide_text.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tintora::testing {
namespace {

// One watcher per thread: the hook and the timer callback find it here.
thread_local NoticeWatcher* current = nullptr;

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// Posts a key to the focused control of the box, for its modal loop to handle.
void postKey(HWND box, UINT key) {
    HWND target = GetFocus();
    if (target == nullptr || (target != box && !IsChild(box, target))) {
        target = box;
    }
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, key, 1 | scan);
    PostMessageW(target, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
}

} // namespace

NoticeWatcher::NoticeWatcher() {
    if (current != nullptr) {
        throw std::logic_error("one NoticeWatcher per thread");
    }
    current = this;
    hook_ = SetWindowsHookExW(WH_CBT, &NoticeWatcher::cbtHook, nullptr, GetCurrentThreadId());
}

NoticeWatcher::~NoticeWatcher() {
    UnhookWindowsHookEx(hook_);
    current = nullptr;
}

LRESULT CALLBACK NoticeWatcher::cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (current != nullptr) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE) {
            current->activated(window);
        } else if (code == HCBT_DESTROYWND) {
            std::erase(current->handled_, window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void NoticeWatcher::activated(HWND window) {
    // The system's dialog class; activated again whenever it regains the focus.
    if (className(window) != L"#32770" ||
        std::find(handled_.begin(), handled_.end(), window) != handled_.end()) {
        return;
    }
    handled_.push_back(window);
    ++open_;
    pending_ = window;
    openedAt_ = GetTickCount64();
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &NoticeWatcher::act);
}

void CALLBACK NoticeWatcher::act(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (current != nullptr && GetTickCount64() - current->openedAt_ < current->keepOpen_) {
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &NoticeWatcher::act);
        return;
    }
    if (current != nullptr && current->pending_ != nullptr) {
        const HWND box = std::exchange(current->pending_, nullptr);
        current->dismiss(box);
    }
}

void NoticeWatcher::dismiss(HWND box) {
    SeenNotice notice;
    notice.title = win32::windowText(box);
    notice.ownerDisabled =
        GetWindow(box, GW_OWNER) != nullptr && !IsWindowEnabled(GetWindow(box, GW_OWNER));
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) {
            continue;
        }
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const std::wstring kind = className(child);
        if (kind == L"Button") {
            notice.buttons.push_back(win32::windowText(child));
            notice.defaultButton = (style & 0x0F) == BS_DEFPUSHBUTTON;
        } else if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
            // The system's box may keep an empty icon control.
            notice.icon = notice.icon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        } else if (kind == L"Static") {
            notice.text += win32::windowText(child);
        }
    }
    seen_.push_back(notice);

    if (whileOpen_) {
        whileOpen_();
    }
    --open_;
    if (!IsWindow(box) || !IsWindowVisible(box)) {
        return; // the action dismissed it
    }
    // The user finds the notice by its title and answers it.
    HWND found = FindWindowW(L"#32770", notice.title.c_str());
    if (found == nullptr) {
        unfound_ = true;
        found = box; // still dismiss it, so that the test goes on
    }
    switch (dismissal_) {
    case Dismissal::Button:
        SendMessageW(FindWindowExW(found, nullptr, L"Button", nullptr), BM_CLICK, 0, 0);
        break;
    case Dismissal::ReturnKey:
        postKey(found, VK_RETURN);
        break;
    case Dismissal::EscapeKey:
        postKey(found, VK_ESCAPE);
        break;
    }
}

} // namespace tintora::testing
