// One box of the window, on a native single-line EDIT control, keeping the
// widget contract where the control does not:
//  - EN_CHANGE also comes when a paste or WM_SETTEXT leaves the text as it
//    was: Change is raised only when the text differs (RaisedText);
//  - the EN_CHANGE that WM_SETTEXT sends from inside an assignment is passed
//    over, and Change is raised right after, still inside the assignment;
//  - EM_LIMITTEXT stops typing and pasting but not WM_SETTEXT: setText is
//    given text that the widget contract has already cut;
//  - EM_LIMITTEXT counts UTF-16 units and cuts a paste wherever the limit
//    falls, even inside a surrogate pair, and a character outside the BMP
//    arrives as two WM_CHARs: the box takes a typed pair as one key, whole or
//    not at all, and drops any half a pair an edit leaves before Change is
//    raised for the edit;
//  - WM_SETTEXT puts the caret at the start: setText moves it after the text;
//  - WM_CHAR carries the control's editing commands (Backspace, Ctrl+A, C,
//    V, X, Z) as control characters, and the control inserts some other
//    control characters as text (U+007F from Ctrl+Backspace): the box passes
//    on the commands and refuses the rest;
//  - a paste takes the first line of the clipboard's text
//    (mixer/pasted_text.h), and nothing when it holds none;
//  - Ctrl+Backspace and Ctrl+Delete delete the word before and after the
//    caret (mixer/word_bounds.h), with the control's own edit;
//  - Left and Right move one character, never into a surrogate pair, and
//    with a selection go to its edge;
//  - a typed character that does not fit still takes the selection away;
//  - an EDIT has no click event: a left-button press and release inside the
//    same decimal box is its Click (the control captures the mouse from the
//    press, so the release comes back to it wherever it happens).
#pragma once

#include "layout/layout_table.h"
#include "mixer/mixer_events.h"
#include "mixer/mixer_widgets.h"
#include "mixer/raised_text.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace tintora::win32 {

class EditBox {
public:
    EditBox() = default;
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    // Makes the control for a TextBox row of the layout table. `events` must
    // outlive the control.
    void create(HWND parent, HMENU id, HINSTANCE instance, const ControlRow& row, DWORD style,
                const MixerEvents& events);

    [[nodiscard]] HWND handle() const { return handle_; }
    // Every message of the control, first (win32/control_subclass.h).
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] Text text() const;
    // Sets the text exactly as given; Change follows if it differs.
    void setText(std::u16string_view text);
    // The control's EN_CHANGE.
    void edited();

private:
    void typePair(wchar_t high, wchar_t low);
    void setTextQuietly(std::u16string_view text);
    // Handles a key the control would handle otherwise; false to leave it to it.
    bool keyDown(WPARAM key);
    void paste();
    // Replaces characters `from` to `to` with `text`, as one edit of the control.
    void replace(std::size_t from, std::size_t to, const wchar_t* text);
    // The selection's start and end, in UTF-16 units.
    [[nodiscard]] std::pair<std::size_t, std::size_t> selection() const;

    HWND handle_ = nullptr;
    TextGroup group_ = TextGroup::Text1;
    std::int16_t index_ = 0;
    const MixerEvents* events_ = nullptr;
    RaisedText raised_;         // the text of the last Change
    bool assigning_ = false;    // inside setText: EN_CHANGE is passed over
    wchar_t highSurrogate_ = 0; // typed, waiting for the other half of its pair
    bool pressed_ = false;      // the left button went down in this box and is still down
};

} // namespace tintora::win32
