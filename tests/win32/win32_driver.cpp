#include "win32_driver.h"

#include "win32/message_loop.h"
#include "win32/wide_text.h"

#include <cstring>
#include <stdexcept>
#include <utility>

namespace tintora::testing {
Win32Driver::Win32Driver() {
    mixer.window.timer().schedule().setManualForTesting(true);
    mixer.window.show(SW_SHOWNORMAL);
    SetForegroundWindow(mixer.window.handle());
    processQueue();
}

void Win32Driver::processQueue() {
    testing::processQueue(mixer.window.handle());
}

void Win32Driver::focusByKeyboard(HWND control) {
    SetFocus(control);
    processQueue();
    if (GetFocus() != control) {
        throw std::runtime_error("could not focus the control");
    }
}

void Win32Driver::pressKey(UINT key) {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, keyData(key, false));
    PostMessageW(focus, WM_KEYUP, key, keyData(key, true));
    processQueue();
}

void Win32Driver::typeCharacter(wchar_t character) {
    PostMessageW(GetFocus(), WM_CHAR, character, 1);
    processQueue();
}

void Win32Driver::clickAt(HWND control, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageW(control, WM_LBUTTONUP, 0, where);
    processQueue();
}

void Win32Driver::paste(TextGroup group, std::int16_t index, std::u16string_view text) {
    const HWND box = mixer.window.box(group, index);
    focusByKeyboard(box);
    SendMessageW(box, EM_SETSEL, 0, -1); // select all, as Ctrl+A does
    if (text.empty()) {
        pressKey(VK_DELETE);
        return;
    }
    putOnClipboard(text, mixer.window.handle());
    PostMessageW(box, WM_PASTE, 0, 0); // what Ctrl+V does in an edit control
    processQueue();
}

void Win32Driver::type(TextGroup group, std::int16_t index, std::u16string_view keys) {
    focusByKeyboard(mixer.window.box(group, index));
    pressKey(VK_END);
    for (const char16_t key : keys) {
        if (key == u'\b') {
            pressKey(VK_BACK);
        } else {
            typeCharacter(static_cast<wchar_t>(key));
        }
    }
}

void Win32Driver::click(std::int16_t index) {
    const HWND box = mixer.window.box(TextGroup::Text1, index);
    RECT client;
    GetClientRect(box, &client);
    clickAt(box, {client.right / 2, client.bottom / 2});
}

void Win32Driver::scroll(std::int16_t index, std::int16_t value) {
    // The thumb dragged to the value and let go: the control reports the
    // track positions while it moves and the final one on release, and takes
    // the focus when clicked.
    const HWND slider = mixer.window.slider(index);
    if (mixer.window.sliderValue(index) == value) {
        return;
    }
    SetFocus(slider);
    const std::pair<int, int> requests[] = {{SB_THUMBTRACK, mixer.window.sliderValue(index)},
                                            {SB_THUMBTRACK, value},
                                            {SB_THUMBPOSITION, value},
                                            {SB_ENDSCROLL, 0}};
    for (const auto& [code, position] : requests) {
        SendMessageW(mixer.window.handle(), WM_HSCROLL, MAKEWPARAM(code, position),
                     reinterpret_cast<LPARAM>(slider));
    }
    processQueue();
}

void Win32Driver::tick() {
    SendMessageW(mixer.window.handle(), WM_TIMER, win32::TickTimer::Id, 0);
}

void Win32Driver::whileNoticeOpen(std::function<void()> action) {
    notices.whileOpen(std::move(action));
}

Text Win32Driver::text(TextGroup group, std::int16_t index) const {
    return mixer.window.boxText(group, index);
}

std::int16_t Win32Driver::value(std::int16_t index) const {
    return static_cast<std::int16_t>(mixer.window.sliderValue(index));
}

std::optional<Colour> Win32Driver::backColor() const {
    return mixer.window.preview().colour();
}

int Win32Driver::noticeCount() const {
    return static_cast<int>(notices.seen().size());
}

} // namespace tintora::testing
