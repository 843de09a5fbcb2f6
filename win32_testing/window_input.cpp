#include "win32_testing/window_input.h"

#include "layout/control_properties.h"
#include "win32/message_loop.h"

#include <array>
#include <cstring>
#include <initializer_list>
#include <stdexcept>

namespace tintora::testing {
namespace {

UINT virtualKey(Key key) {
    switch (key) {
    case Key::Tab:
        return VK_TAB;
    case Key::Left:
        return VK_LEFT;
    case Key::Right:
        return VK_RIGHT;
    case Key::Up:
        return VK_UP;
    case Key::Down:
        return VK_DOWN;
    case Key::Home:
        return VK_HOME;
    case Key::End:
        return VK_END;
    case Key::PageUp:
        return VK_PRIOR;
    case Key::PageDown:
        return VK_NEXT;
    case Key::Backspace:
        return VK_BACK;
    case Key::Delete:
        return VK_DELETE;
    case Key::Return:
        return VK_RETURN;
    case Key::Escape:
        return VK_ESCAPE;
    case Key::Space:
        return VK_SPACE;
    case Key::A:
        return 'A';
    case Key::C:
        return 'C';
    case Key::V:
        return 'V';
    case Key::X:
        return 'X';
    }
    return 0;
}

LPARAM keyData(UINT key, bool release) {
    const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
    return 1 | scan | (release ? LPARAM{3} << 30 : 0);
}

// The keyboard state the system keeps for the thread: which modifiers the
// user holds.
void holdModifiers(unsigned modifiers) {
    std::array<BYTE, 256> state{};
    GetKeyboardState(state.data());
    const auto hold = [&](std::initializer_list<int> keys, bool down) {
        for (const int key : keys) {
            state.at(static_cast<std::size_t>(key)) = down ? 0x80 : 0;
        }
    };
    hold({VK_SHIFT, VK_LSHIFT}, (modifiers & Shift) != 0);
    hold({VK_CONTROL, VK_LCONTROL}, (modifiers & Control) != 0);
    SetKeyboardState(state.data());
}

BOOL CALLBACK findMessageBox(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void postMouse(HWND target, UINT message, WPARAM buttons, POINT onScreen) {
    POINT client = onScreen;
    ScreenToClient(target, &client);
    PostMessageW(target, message, buttons, MAKELPARAM(client.x, client.y));
}

// The window the system would give input at `onScreen`, or nothing where an
// open message box disables it.
HWND inputTarget(POINT onScreen) {
    const HWND target = WindowFromPoint(onScreen);
    return target != nullptr && IsWindowEnabled(GetAncestor(target, GA_ROOT)) ? target : nullptr;
}

POINT centreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

} // namespace

HWND openMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &findMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

void handleQueue(HWND window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (const HWND box = openMessageBox()) {
            if (!IsDialogMessageW(box, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        } else {
            win32::processMessage(window, message);
        }
    }
}

void pressKey(HWND window, Key key, unsigned modifiers) {
    const HWND focus = GetFocus();
    const HWND target = focus != nullptr ? focus : window;
    const UINT code = virtualKey(key);
    holdModifiers(modifiers);
    PostMessageW(target, WM_KEYDOWN, code, keyData(code, false));
    PostMessageW(target, WM_KEYUP, code, keyData(code, true));
    handleQueue(window);
    holdModifiers(NoModifier);
}

void typeCharacter(HWND window, std::u16string_view character) {
    holdModifiers(NoModifier); // the keys of an action that opened a notice are up by now
    const HWND focus = GetFocus();
    for (const char16_t unit : character) {
        PostMessageW(focus != nullptr ? focus : window, WM_CHAR, unit, 1);
    }
    handleQueue(window);
}

void clickAt(HWND window, POINT onScreen) {
    holdModifiers(NoModifier);
    if (const HWND target = inputTarget(onScreen)) {
        postMouse(target, WM_MOUSEMOVE, 0, onScreen);
        postMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, onScreen);
        postMouse(target, WM_LBUTTONUP, 0, onScreen);
        handleQueue(window);
    }
}

void turnWheel(HWND window, POINT onScreen, int amount, bool horizontal) {
    holdModifiers(NoModifier);
    if (const HWND target = inputTarget(onScreen)) {
        PostMessageW(target, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
                     MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(amount))),
                     MAKELPARAM(onScreen.x, onScreen.y));
        handleQueue(window);
    }
}

POINT pointOn(HWND control, Spot spot) {
    RECT place;
    GetWindowRect(control, &place);
    const HWND window = GetAncestor(control, GA_ROOT);
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&place, &place, &client);
    if (spot == Spot::AfterText) {
        return {place.right - 4, (place.top + place.bottom) / 2};
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (spot == Spot::Middle || !GetScrollBarInfo(control, OBJID_CLIENT, &info)) {
        return centreOf(place);
    }
    const RECT& bar = info.rcScrollBar;
    const int arrow = info.dxyLineButton;
    const int middle = (bar.top + bar.bottom) / 2;
    switch (spot) {
    case Spot::LeftArrow:
        return {bar.left + arrow / 2, middle};
    case Spot::RightArrow:
        return {bar.right - arrow / 2 - 1, middle};
    case Spot::TroughLeft:
        return {bar.left + (arrow + info.xyThumbTop) / 2, middle};
    case Spot::TroughRight:
        return {bar.left + (info.xyThumbBottom + (bar.right - bar.left) - arrow) / 2, middle};
    default: // the thumb
        return {bar.left + (info.xyThumbTop + info.xyThumbBottom) / 2, middle};
    }
}

void dragThumb(HWND window, HWND slider, int value) {
    const POINT grip = pointOn(slider, Spot::Thumb);
    if (inputTarget(grip) != slider) {
        clickAt(window, grip); // a blocked window takes nothing
        return;
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(slider, OBJID_CLIENT, &info);
    const int thumb = info.xyThumbBottom - info.xyThumbTop;
    const int track =
        info.rcScrollBar.right - info.rcScrollBar.left - 2 * info.dxyLineButton - thumb;
    const int from = GetScrollPos(slider, SB_CTL);
    const int shift = track * (value - from) / (SliderMax - SliderMin);
    postMouse(slider, WM_LBUTTONDOWN, MK_LBUTTON, grip);
    constexpr int Moves = 8;
    for (int move = 1; move <= Moves; ++move) {
        postMouse(slider, WM_MOUSEMOVE, MK_LBUTTON, {grip.x + shift * move / Moves, grip.y});
    }
    postMouse(slider, WM_LBUTTONUP, 0, {grip.x + shift, grip.y});
    handleQueue(window);
    while (GetScrollPos(slider, SB_CTL) != value && GetFocus() == slider) {
        const int before = GetScrollPos(slider, SB_CTL);
        pressKey(window, before < value ? Key::Right : Key::Left);
        if (GetScrollPos(slider, SB_CTL) == before) {
            break;
        }
    }
}

void putOnClipboard(std::u16string_view text, HWND owner) {
    if (!OpenClipboard(owner)) {
        throw std::runtime_error("the clipboard is not available");
    }
    EmptyClipboard();
    if (!text.empty()) {
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        auto* data = static_cast<wchar_t*>(GlobalLock(memory));
        std::memcpy(data, text.data(), text.size() * sizeof(wchar_t));
        data[text.size()] = L'\0';
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory); // the clipboard owns it now
    }
    CloseClipboard();
}

} // namespace tintora::testing
