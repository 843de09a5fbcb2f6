#include "win32_testing/win32_player.h"

#include "win32/wide_text.h"
#include "win32_testing/laid_out_window.h"
#include "win32_testing/window_input.h"

#include <cstdio>

namespace tintora::testing {

Win32Player::Win32Player() {
    putOnClipboard(u"", mixer_.window.handle());
    mixer_.window.timer().schedule().setManualForTesting(true);
    mixer_.window.show(SW_SHOWNORMAL);
    SetForegroundWindow(mixer_.window.handle());
    handleQueue();
}

bool Win32Player::noticeOpen() {
    return openMessageBox() != nullptr;
}

void Win32Player::whileNoticeOpen(std::function<void()> action) {
    notices_.whileOpen(std::move(action));
}

void Win32Player::handleQueue() {
    testing::handleQueue(mixer_.window.handle());
}

HWND Win32Player::controlOf(std::size_t row) const {
    return mixer_.window.control(layoutTable.at(row).name, layoutTable.at(row).index);
}

void Win32Player::play(const UserAction& action) {
    if (action.kind == UserAction::Kind::Tick) {
        SendMessageW(mixer_.window.handle(), WM_TIMER, win32::TickTimer::Id, 0);
        return;
    }
    playInput({mixer_.window.handle(), [this](std::size_t row) { return controlOf(row); }}, action);
}

std::optional<std::size_t> Win32Player::rowOf(HWND control) const {
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (control != nullptr && controlOf(row) == control) {
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
        seen.texts.at(at) = window.box(TextGroup::Text1, i).text();
        seen.texts.at(ChannelCount + at) = window.box(TextGroup::Text2, i).text();
        seen.values.at(at) = window.slider(i).value();
    }
    readPreview(seen);
    if (const HWND notice = openMessageBox()) {
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

// The preview's pixels as the screen has them once it has painted.
void Win32Player::readPreview(SeenWindow& seen) {
    const win32::PreviewBox& preview = mixer_.window.preview();
    UpdateWindow(preview.handle());
    RECT client;
    GetClientRect(preview.handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC screen = GetDC(preview.handle());
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
    ReleaseDC(preview.handle(), screen);
    if (preview.colour()) {
        seen.preview = first;
    } else if (seen.previewFault.empty() && first != GetSysColor(COLOR_WINDOW)) {
        seen.previewFault = "not the window colour before its first paint";
    }
}

} // namespace tintora::testing
