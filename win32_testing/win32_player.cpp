#include "win32_testing/win32_player.h"

#include "win32/message_loop.h"
#include "win32/wide_text.h"
#include "win32_testing/window_input.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

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

// The keyboard state the system keeps for the thread: which modifiers the
// user holds while a key goes down.
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

BOOL CALLBACK findNotice(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

POINT centreOf(const RECT& rect) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void postMouse(HWND target, UINT message, WPARAM buttons, POINT onScreen) {
    POINT client = onScreen;
    ScreenToClient(target, &client);
    PostMessageW(target, message, buttons, MAKELPARAM(client.x, client.y));
}

} // namespace

Win32Player::Win32Player() {
    putOnClipboard(u"", mixer_.window.handle());
    mixer_.window.timer().schedule().setManualForTesting(true);
    mixer_.window.show(SW_SHOWNORMAL);
    SetForegroundWindow(mixer_.window.handle());
    handleQueue();
}

void Win32Player::whileNoticeOpen(std::function<void()> action) {
    notices_.whileOpen(std::move(action));
}

HWND Win32Player::openNotice() const {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &findNotice, reinterpret_cast<LPARAM>(&found));
    return found;
}

void Win32Player::handleQueue() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (const HWND notice = openNotice()) {
            if (!IsDialogMessageW(notice, &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        } else {
            win32::processMessage(mixer_.window.handle(), message);
        }
    }
}

void Win32Player::play(const UserAction& action) {
    holdModifiers(action.kind == UserAction::Kind::Press ? action.modifiers : NoModifier);
    switch (action.kind) {
    case UserAction::Kind::Press:
        press(action.key, action.modifiers);
        break;
    case UserAction::Kind::Type:
        type(action.text);
        break;
    case UserAction::Kind::Copy:
        putOnClipboard(action.text, mixer_.window.handle());
        break;
    case UserAction::Kind::Click:
        click(action.row, action.spot);
        break;
    case UserAction::Kind::Drag:
        drag(action.row, action.amount);
        break;
    case UserAction::Kind::Wheel:
        wheel(action.row, action.amount, action.horizontal);
        break;
    case UserAction::Kind::Tick:
        if (mixer_.window.timer().schedule().isEnabled()) {
            SendMessageW(mixer_.window.handle(), WM_TIMER, win32::TickTimer::Id, 0);
        }
        break;
    }
    holdModifiers(NoModifier);
}

void Win32Player::press(Key key, unsigned modifiers) {
    const HWND focus = GetFocus();
    const HWND target = focus != nullptr ? focus : mixer_.window.handle();
    const UINT code = virtualKey(key);
    holdModifiers(modifiers);
    PostMessageW(target, WM_KEYDOWN, code, keyData(code, false));
    PostMessageW(target, WM_KEYUP, code, keyData(code, true));
    handleQueue();
}

void Win32Player::type(std::u16string_view character) {
    const HWND focus = GetFocus();
    for (const char16_t unit : character) {
        PostMessageW(focus != nullptr ? focus : mixer_.window.handle(), WM_CHAR, unit, 1);
    }
    handleQueue();
}

POINT Win32Player::pointOn(std::size_t row, Spot spot) const {
    const ControlRow& control = layoutTable.at(row);
    const HWND handle = mixer_.window.control(control.name, control.index);
    RECT place;
    GetWindowRect(handle, &place);
    RECT client;
    GetClientRect(mixer_.window.handle(), &client);
    MapWindowPoints(mixer_.window.handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&place, &place, &client);
    if (control.controlClass == ControlClass::TextBox && spot == Spot::AfterText) {
        return {place.right - 4, (place.top + place.bottom) / 2};
    }
    if (control.controlClass != ControlClass::HScrollBar || spot == Spot::Middle) {
        return centreOf(place);
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(handle, OBJID_CLIENT, &info);
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

void Win32Player::click(std::size_t row, Spot spot) {
    if (row != NoticeButton) {
        clickAt(pointOn(row, spot));
        return;
    }
    if (const HWND notice = openNotice()) {
        RECT button;
        GetWindowRect(FindWindowExW(notice, nullptr, L"Button", nullptr), &button);
        clickAt(centreOf(button));
    }
}

void Win32Player::clickAt(POINT onScreen) {
    const HWND target = WindowFromPoint(onScreen);
    // The system takes no click for a window that an open notice disables.
    if (target == nullptr || !IsWindowEnabled(GetAncestor(target, GA_ROOT))) {
        return;
    }
    postMouse(target, WM_MOUSEMOVE, 0, onScreen);
    postMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, onScreen);
    postMouse(target, WM_LBUTTONUP, 0, onScreen);
    handleQueue();
}

void Win32Player::drag(std::size_t row, int value) {
    const POINT grip = pointOn(row, Spot::Thumb);
    const HWND slider = WindowFromPoint(grip);
    if (slider == nullptr || !IsWindowEnabled(GetAncestor(slider, GA_ROOT))) {
        return;
    }
    const int index = layoutTable.at(row).index;
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfo(slider, OBJID_CLIENT, &info);
    const int thumb = info.xyThumbBottom - info.xyThumbTop;
    const int track =
        info.rcScrollBar.right - info.rcScrollBar.left - 2 * info.dxyLineButton - thumb;
    const int from = mixer_.window.sliderValue(index);
    const int shift = track * (value - from) / (SliderMax - SliderMin);
    postMouse(slider, WM_LBUTTONDOWN, MK_LBUTTON, grip);
    constexpr int Moves = 8;
    for (int move = 1; move <= Moves; ++move) {
        postMouse(slider, WM_MOUSEMOVE, MK_LBUTTON, {grip.x + shift * move / Moves, grip.y});
    }
    postMouse(slider, WM_LBUTTONUP, 0, {grip.x + shift, grip.y});
    handleQueue();
    // Not every value has a pixel of its own: the arrow keys take it the rest.
    while (mixer_.window.sliderValue(index) != value && !noticeOpen()) {
        const int before = mixer_.window.sliderValue(index);
        press(before < value ? Key::Right : Key::Left, NoModifier);
        if (mixer_.window.sliderValue(index) == before) {
            break; // the difference will show
        }
    }
}

void Win32Player::wheel(std::size_t row, int amount, bool horizontal) {
    const POINT at = pointOn(row, Spot::Middle);
    const HWND target = WindowFromPoint(at);
    if (target == nullptr || !IsWindowEnabled(GetAncestor(target, GA_ROOT))) {
        return;
    }
    PostMessageW(target, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
                 MAKEWPARAM(0, static_cast<WORD>(static_cast<SHORT>(amount))),
                 MAKELPARAM(at.x, at.y));
    handleQueue();
}

std::optional<std::size_t> Win32Player::rowOf(HWND control) const {
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (control != nullptr &&
            mixer_.window.control(layoutTable[row].name, layoutTable[row].index) == control) {
            return row;
        }
    }
    return std::nullopt;
}

SeenWindow Win32Player::seen() {
    win32::Win32MixerWindow& window = mixer_.window;
    SeenWindow seen;
    for (int i = 0; i < ChannelCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        seen.texts.at(at) = window.boxText(TextGroup::Text1, i);
        seen.texts.at(ChannelCount + at) = window.boxText(TextGroup::Text2, i);
        seen.values.at(at) = window.sliderValue(i);
    }

    // The preview's pixels as the screen has them once it has painted.
    const HWND preview = window.preview().handle();
    UpdateWindow(preview);
    RECT client;
    GetClientRect(preview, &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(preview);
    const HDC copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(copy, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const auto colourAt = [&](int x, int y) {
        const std::uint32_t rgb = pixels[static_cast<std::size_t>(y) * width + x];
        return static_cast<Colour>((rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
    };
    const int inset = PreviewFocusOutline;
    const Colour first = colourAt(inset, inset);
    for (int y = inset; y < height - inset && seen.previewFault.empty(); ++y) {
        for (int x = inset; x < width - inset; ++x) {
            if (colourAt(x, y) != first) {
                char fault[96];
                std::snprintf(fault, sizeof fault, "not one colour: #%06X and #%06X at %d,%d",
                              first, colourAt(x, y), x, y);
                seen.previewFault = fault;
                break;
            }
        }
    }
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(preview, screen);
    if (window.preview().colour()) {
        seen.preview = first;
    } else if (seen.previewFault.empty() && first != GetSysColor(COLOR_WINDOW)) {
        seen.previewFault = "not the window colour before its first paint";
    }

    if (const HWND notice = openNotice()) {
        Text prompt;
        for (HWND child = GetWindow(notice, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[16] = {};
            GetClassNameW(child, name, 16);
            if (std::wstring_view(name) == L"Static" && IsWindowVisible(child)) {
                prompt += win32::utf16(win32::windowText(child));
            }
        }
        seen.notice = prompt;
    }
    seen.focus = rowOf(GetFocus());
    seen.timerRunning = window.timer().schedule().isEnabled();
    return seen;
}

} // namespace tintora::testing
