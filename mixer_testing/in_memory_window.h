// The window as a user meets it, held in memory: the in-memory widgets with
// Form1's handlers bound, and what a toolkit keeps around them: which control
// has the keyboard focus, each box's caret and selection, the clipboard, the
// wheel's part-notches over each slider, and whether the notice is open. It
// plays user actions by the rules every realisation keeps, so its state after
// each action is what the differential expects of the Qt and Win32 windows.
//
// The rules beyond the widget contract:
//  - Tab and Shift+Tab move the focus through the table's tab order, round;
//    a box reached so has its whole text selected;
//  - a click focuses a box (caret where it lands), a slider or the preview,
//    and the labels take none; a drag takes the thumb to the value and
//    focuses its slider;
//  - in a box: Left and Right move one character, or to the selection's edge
//    when something is selected; Home, End; with Shift they select;
//    Backspace and Delete take the selection or one character; with Control,
//    the word (mixer/word_bounds.h); Ctrl+A selects all, Ctrl+C copies,
//    Ctrl+X cuts, Ctrl+V pastes the clipboard's first line
//    (mixer/pasted_text.h) over the selection, and nothing when the
//    clipboard holds no text; a typed character replaces the selection, and
//    goes in only where it fits whole; control characters insert nothing;
//  - on a slider Right, Up and Page Up add one, Left, Down and Page Down take
//    one, Home and End go to the ends, with or without Shift or Ctrl; the wheel over a slider moves
//    it one a whole notch (mixer/wheel_notches.h) and leaves the focus where it is;
//  - while the notice is open the keys go to it: Return, Escape and Space
//    dismiss it, as a click on its button does; clicks and wheel turns on the
//    window behind it do nothing.
#pragma once

#include "mixer/form1.h"
#include "mixer/wheel_notches.h"
#include "mixer_testing/in_memory_widgets.h"
#include "mixer_testing/window_player.h"

#include <array>
#include <cstddef>
#include <functional>

namespace tintora::testing {

class InMemoryWindow final : public WindowPlayer {
public:
    InMemoryWindow();

    void play(const UserAction& action) override;
    [[nodiscard]] SeenWindow seen() override;
    [[nodiscard]] bool noticeOpen() override { return noticeOpen_; }
    void whileNoticeOpen(std::function<void()> action) override {
        whileNoticeOpen_ = std::move(action);
    }

    [[nodiscard]] Form1& form() { return form_; }
    [[nodiscard]] InMemoryWidgets& widgets() { return widgets_; }
    [[nodiscard]] const InMemoryWidgets& widgets() const { return widgets_; }
    [[nodiscard]] std::size_t focus() const { return focus_; }
    [[nodiscard]] bool noticeShown() const { return noticeOpen_; }

private:
    void press(Key key, unsigned modifiers);
    void pressInBox(const ControlRow& box, Key key, unsigned modifiers);
    void pressOnSlider(std::int16_t index, Key key);
    void typeInBox(const ControlRow& box, std::u16string_view character);
    void insertInBox(const ControlRow& box, std::u16string_view text);
    void click(std::size_t row, Spot spot);
    void moveSlider(std::int16_t index, int value);
    void focusByTab(bool backwards);

    InMemoryWidgets widgets_;
    Form1 form_{widgets_};
    std::size_t focus_ = 0; // the preview, first in tab order
    Text clipboard_;
    std::array<WheelNotches, ChannelCount> wheels_{};
    bool noticeOpen_ = false;
    std::function<void()> whileNoticeOpen_;
};

} // namespace tintora::testing
