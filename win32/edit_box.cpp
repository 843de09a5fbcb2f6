#include "win32/edit_box.h"

#include "win32/control_subclass.h"

#include "mixer/control_characters.h"
#include "mixer/pasted_text.h"
#include "mixer/word_bounds.h"
#include "win32/wide_text.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tintora::win32 {
namespace {

// The control characters an EDIT acts on as commands rather than text.
bool isEditCommand(wchar_t unit) {
    constexpr wchar_t selectAll = 0x01;
    constexpr wchar_t copy = 0x03;
    constexpr wchar_t paste = 0x16;
    constexpr wchar_t cut = 0x18;
    constexpr wchar_t undo = 0x1A;
    return unit == VK_BACK || unit == selectAll || unit == copy || unit == paste || unit == cut ||
           unit == undo;
}

} // namespace

void EditBox::create(HWND parent, HMENU id, HINSTANCE instance, const ControlRow& row, DWORD style,
                     const MixerEvents& events) {
    const std::wstring content = wideFromUtf8(row.content);
    handle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", content.c_str(),
                              style | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0, parent, id,
                              instance, nullptr);
    if (handle_ == nullptr) {
        throw std::runtime_error("a box of the main window could not be made");
    }
    SendMessageW(handle_, EM_LIMITTEXT, static_cast<WPARAM>(row.maxLength), 0);
    group_ = groupOf(row.radix);
    index_ = static_cast<std::int16_t>(row.index);
    events_ = &events;
    raised_ = RaisedText(utf16(content));
    // Without its subclass the box would lose Click, whole characters and the
    // refused control characters: no box rather than half a one.
    if (!subclassControl(handle_, this)) {
        throw std::runtime_error("a box of the main window could not be given its behaviour");
    }
}

Text EditBox::text() const {
    return utf16(windowText(handle_));
}

void EditBox::setText(std::u16string_view text) {
    setTextQuietly(text);
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageW(handle_, EM_SETSEL, end, static_cast<LPARAM>(end));
    edited();
}

void EditBox::setTextQuietly(std::u16string_view text) {
    assigning_ = true;
    SetWindowTextW(handle_, wide(text).c_str());
    assigning_ = false;
}

void EditBox::edited() {
    if (assigning_) {
        return;
    }
    Text now = text();
    if (Text whole = withoutHalfPairs(now); whole.size() != now.size()) {
        // A paste cut at the limit inside a pair: the half goes in the same
        // edit, and the caret stays after what was inserted, before the text
        // that followed it.
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        setTextQuietly(whole);
        const auto caret =
            static_cast<WPARAM>(withoutHalfPairs(std::u16string_view(now).substr(
                                                     0, std::min<std::size_t>(end, now.size())))
                                    .size());
        SendMessageW(handle_, EM_SETSEL, caret, static_cast<LPARAM>(caret));
        now = std::move(whole);
    }
    if (raised_.changesTo(now) && events_->change) {
        events_->change(group_, index_);
    }
}

LRESULT EditBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (keyDown(wParam)) {
            return 0;
        }
        break;
    case WM_PASTE:
        paste();
        return 0;
    case WM_CHAR: {
        const auto unit = static_cast<wchar_t>(wParam);
        const wchar_t high = std::exchange(highSurrogate_, 0);
        if (isHighSurrogate(unit)) {
            highSurrogate_ = unit;
            return 0;
        }
        if (isLowSurrogate(unit)) {
            if (high != 0) {
                typePair(high, unit);
            }
            return 0; // a lone half inserts nothing
        }
        if (isControlCharacter(unit) && !isEditCommand(unit)) {
            return 0;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        pressed_ = true;
        const LRESULT result = DefSubclassProc(handle_, message, wParam, lParam);
        if (GetCapture() != handle_) {
            SetCapture(handle_); // the control takes it itself; the click depends on it
        }
        return result;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse while the button was down.
        if (reinterpret_cast<HWND>(lParam) != handle_) {
            pressed_ = false;
        }
        break;
    case WM_LBUTTONUP: {
        RECT client;
        GetClientRect(handle_, &client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool click =
            std::exchange(pressed_, false) && PtInRect(&client, at) && group_ == TextGroup::Text1;
        const LRESULT result = DefSubclassProc(handle_, message, wParam, lParam);
        if (GetCapture() == handle_) {
            ReleaseCapture();
        }
        if (click && events_->click) {
            events_->click(index_);
        }
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(handle_, message, wParam, lParam);
}

// A character outside the BMP typed as one key: it goes in whole where the
// box has room for both halves, or not at all.
void EditBox::typePair(wchar_t high, wchar_t low) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    const auto limit = static_cast<int>(SendMessageW(handle_, EM_GETLIMITTEXT, 0, 0));
    const int kept = GetWindowTextLengthW(handle_) - static_cast<int>(end - start);
    if (limit - kept < 2) {
        if (start != end) {
            replace(start, end, L""); // the key still replaces the selection
        } else {
            MessageBeep(MB_OK);
        }
        return;
    }
    const wchar_t pair[] = {high, low, L'\0'};
    SendMessageW(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pair));
}

std::pair<std::size_t, std::size_t> EditBox::selection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

void EditBox::replace(std::size_t from, std::size_t to, const wchar_t* text) {
    SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(from), static_cast<LPARAM>(to));
    SendMessageW(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

bool EditBox::keyDown(WPARAM key) {
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if ((key != VK_BACK && key != VK_DELETE && key != VK_LEFT && key != VK_RIGHT) || shift) {
        return false;
    }
    const Text now = text();
    const auto [start, end] = selection();
    if (key == VK_BACK || key == VK_DELETE) {
        if (!control) {
            return false; // the control's own: a character, or the selection
        }
        const std::size_t from =
            start != end || key == VK_DELETE ? start : wordStartBefore(now, start);
        const std::size_t to = start != end || key == VK_BACK ? end : wordEndAfter(now, end);
        if (from < to) {
            replace(from, to, L"");
        }
        return true;
    }
    if (control) {
        return false; // a word to the left or right: the control's own
    }
    std::size_t caret = key == VK_LEFT ? start : end;
    if (start == end) {
        if (key == VK_LEFT && caret > 0) {
            caret -= caret >= 2 && pairStartsAt(now, caret - 2) ? 2 : 1;
        } else if (key == VK_RIGHT && caret < now.size()) {
            caret += pairStartsAt(now, caret) ? 2 : 1;
        }
    }
    SendMessageW(handle_, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    return true;
}

// The clipboard's text up to its first line break, over the selection; the
// control cuts it to the room left in the box, and edited() drops a half
// pair the cut leaves.
void EditBox::paste() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(handle_)) {
        return;
    }
    std::wstring line;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            const Text pasted = utf16(text);
            line = wide(firstLine(pasted));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!line.empty() || selection().first != selection().second) {
        SendMessageW(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.c_str()));
    }
}

} // namespace tintora::win32
