// What a user does to the window, as each realisation's player plays it with
// that toolkit's real input: keys go to the active window (the main window,
// or the notice while one is open) and there to its focused control; clicks
// and wheel turns go to the control under the pointer, and a window behind an
// open notice takes none of them.
#pragma once

#include "layout/layout_table.h"

#include <cstddef>
#include <string>

namespace tintora::testing {

enum class Key {
    Tab,
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Backspace,
    Delete,
    Return,
    Escape,
    Space,
    A, // with Control: select all
    C, // with Control: copy
    V, // with Control: paste
    X, // with Control: cut
};

enum Modifiers : unsigned { NoModifier = 0, Shift = 1, Control = 2 };

// Where on a control a click lands.
enum class Spot {
    Middle,
    AfterText, // a box: right of its text, so the caret goes to the end
    Thumb,     // a slider's thumb, its arrows, and its trough on either side of the thumb
    LeftArrow,
    RightArrow,
    TroughLeft,
    TroughRight,
};

// The notice's one button, as a click target.
inline constexpr std::size_t NoticeButton = layoutTable.size();

struct UserAction {
    enum class Kind {
        Press, // `key` with `modifiers`
        Type,  // `text`: one character (a surrogate pair is one), as a keyboard
               // layout or an input method delivers it
        Copy,  // another program puts `text` on the clipboard
        Click, // the left button pressed and released at `spot` of layout row `row`
        Drag,  // slider `row`'s thumb dragged as near to `amount` as a pixel
               // allows, let go there, and nudged the rest of the way with the
               // arrow keys
        Wheel, // `amount` wheel units (a notch is 120) over `row`; `horizontal`
               // for a horizontal wheel or a tilt (positive: to the right)
        Tick,  // a tick of the timer; delivered also while the timer sleeps,
               // when it must change nothing
    };

    Kind kind = Kind::Tick;
    Key key = Key::Tab;
    unsigned modifiers = NoModifier;
    std::u16string text;
    std::size_t row = 0;
    Spot spot = Spot::Middle;
    int amount = 0;
    bool horizontal = false;
};

// The control of a layout row as reports write it: "Text1(0)", "Picture1";
// "the notice's button" for NoticeButton.
[[nodiscard]] std::string controlName(std::size_t row);
// One line a user could follow: "press Shift+Tab", "type \"5\"", ...
[[nodiscard]] std::string describe(const UserAction& action);

} // namespace tintora::testing
