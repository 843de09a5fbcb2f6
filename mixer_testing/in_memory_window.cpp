#include "mixer_testing/in_memory_window.h"

#include "mixer/control_characters.h"
#include "mixer/mixer_events.h"
#include "mixer/pasted_text.h"
#include "mixer/word_bounds.h"

#include <algorithm>

namespace tintora::testing {
namespace {

bool focusable(const ControlRow& row) {
    return row.controlClass != ControlClass::Label;
}

TextGroup groupOfBox(const ControlRow& box) {
    return groupOf(box.radix);
}

std::int16_t indexOf(const ControlRow& row) {
    return static_cast<std::int16_t>(row.index);
}

// One character back or on from `at`, never into the middle of a pair.
std::size_t characterBefore(std::u16string_view text, std::size_t at) {
    if (at == 0) {
        return 0;
    }
    return at >= 2 && pairStartsAt(text, at - 2) ? at - 2 : at - 1;
}

std::size_t characterAfter(std::u16string_view text, std::size_t at) {
    if (at >= text.size()) {
        return text.size();
    }
    return pairStartsAt(text, at) ? at + 2 : at + 1;
}

} // namespace

InMemoryWindow::InMemoryWindow() {
    widgets_.bind(handlersOf(form_));
    widgets_.whileNoticeOpen([this] {
        noticeOpen_ = true;
        if (whileNoticeOpen_) {
            whileNoticeOpen_();
        }
        noticeOpen_ = false; // dismissed, by the action or with its button
    });
}

void InMemoryWindow::play(const UserAction& action) {
    switch (action.kind) {
    case UserAction::Kind::Press:
        press(action.key, action.modifiers);
        break;
    case UserAction::Kind::Type:
        if (!noticeOpen_ && layoutTable[focus_].controlClass == ControlClass::TextBox) {
            typeInBox(layoutTable[focus_], action.text);
        }
        break;
    case UserAction::Kind::Copy:
        clipboard_ = action.text;
        break;
    case UserAction::Kind::Click:
        click(action.row, action.spot);
        break;
    case UserAction::Kind::Drag:
        if (!noticeOpen_) {
            focus_ = action.row;
            moveSlider(indexOf(layoutTable[action.row]), action.amount);
        }
        break;
    case UserAction::Kind::Wheel:
        if (!noticeOpen_ && action.row < layoutTable.size() &&
            layoutTable[action.row].controlClass == ControlClass::HScrollBar) {
            const std::int16_t index = indexOf(layoutTable[action.row]);
            const int notches = wheels_.at(static_cast<std::size_t>(index)).add(action.amount);
            moveSlider(index, std::clamp(widgets_.value(index) + notches, SliderMin, SliderMax));
        }
        break;
    case UserAction::Kind::Tick:
        widgets_.userTick();
        break;
    }
}

SeenWindow InMemoryWindow::seen() {
    SeenWindow seen;
    for (std::int16_t i = 0; i < ChannelCount; ++i) {
        seen.texts.at(static_cast<std::size_t>(i)) = widgets_.text(TextGroup::Text1, i);
        seen.texts.at(static_cast<std::size_t>(ChannelCount + i)) =
            widgets_.text(TextGroup::Text2, i);
        seen.values.at(static_cast<std::size_t>(i)) = widgets_.value(i);
    }
    seen.preview = widgets_.backColor();
    if (noticeOpen_) {
        seen.notice = Text(NoticePrompt);
    }
    seen.focus = focus_;
    seen.timerRunning = widgets_.timerEnabled();
    return seen;
}

void InMemoryWindow::press(Key key, unsigned modifiers) {
    if (noticeOpen_) {
        if (modifiers == NoModifier &&
            (key == Key::Return || key == Key::Escape || key == Key::Space)) {
            noticeOpen_ = false;
        }
        return;
    }
    if (key == Key::Tab) {
        if ((modifiers & Control) == 0) {
            focusByTab((modifiers & Shift) != 0);
        }
        return;
    }
    const ControlRow& focused = layoutTable[focus_];
    if (focused.controlClass == ControlClass::TextBox) {
        pressInBox(focused, key, modifiers);
    } else if (focused.controlClass == ControlClass::HScrollBar) {
        pressOnSlider(indexOf(focused), key); // whatever modifiers are held
    }
}

void InMemoryWindow::focusByTab(bool backwards) {
    const std::size_t rows = layoutTable.size();
    do {
        focus_ = backwards ? (focus_ + rows - 1) % rows : (focus_ + 1) % rows;
    } while (!focusable(layoutTable[focus_]));
    const ControlRow& reached = layoutTable[focus_];
    if (reached.controlClass == ControlClass::TextBox) {
        const std::size_t length = widgets_.text(groupOfBox(reached), indexOf(reached)).size();
        widgets_.userSelect(groupOfBox(reached), indexOf(reached), {length, 0});
    }
}

void InMemoryWindow::pressInBox(const ControlRow& box, Key key, unsigned modifiers) {
    const TextGroup group = groupOfBox(box);
    const std::int16_t index = indexOf(box);
    const Text text = widgets_.text(group, index);
    const InMemoryWidgets::Caret caret = widgets_.caret(group, index);
    const std::size_t start = std::min(caret.position, caret.anchor);
    const std::size_t end = std::max(caret.position, caret.anchor);
    const bool selected = start != end;
    const bool shift = (modifiers & Shift) != 0;
    const bool control = (modifiers & Control) != 0;
    const auto moveTo = [&](std::size_t position) {
        widgets_.userSelect(group, index, {position, shift ? caret.anchor : position});
    };
    const auto erase = [&](std::size_t from, std::size_t to) {
        if (from < to) {
            Text kept = text;
            kept.erase(from, to - from);
            widgets_.userEdit(group, index, kept, from);
        }
    };

    if (control) {
        switch (key) {
        case Key::A:
            widgets_.userSelect(group, index, {text.size(), 0});
            break;
        case Key::C:
        case Key::X:
            if (selected) {
                clipboard_ = text.substr(start, end - start);
                if (key == Key::X) {
                    erase(start, end);
                }
            }
            break;
        case Key::V:
            if (!clipboard_.empty()) {
                insertInBox(box, firstLine(clipboard_));
            }
            break;
        case Key::Backspace:
            erase(selected ? start : wordStartBefore(text, caret.position),
                  selected ? end : caret.position);
            break;
        case Key::Delete:
            erase(selected ? start : caret.position,
                  selected ? end : wordEndAfter(text, caret.position));
            break;
        default:
            break;
        }
        return;
    }
    switch (key) {
    case Key::Left:
        moveTo(selected && !shift ? start : characterBefore(text, caret.position));
        break;
    case Key::Right:
        moveTo(selected && !shift ? end : characterAfter(text, caret.position));
        break;
    case Key::Home:
        moveTo(0);
        break;
    case Key::End:
        moveTo(text.size());
        break;
    case Key::Backspace:
        if (!shift) {
            erase(selected ? start : characterBefore(text, caret.position), end);
        }
        break;
    case Key::Delete:
        if (!shift) {
            erase(start, selected ? end : characterAfter(text, caret.position));
        }
        break;
    case Key::Space:
        if (!shift) {
            typeInBox(box, u" ");
        }
        break;
    default: // Return and Escape do nothing in a box; neither do the others
        break;
    }
}

void InMemoryWindow::pressOnSlider(std::int16_t index, Key key) {
    const int value = widgets_.value(index);
    switch (key) {
    case Key::Right:
    case Key::Up:
    case Key::PageUp:
        moveSlider(index, std::min(value + 1, SliderMax));
        break;
    case Key::Left:
    case Key::Down:
    case Key::PageDown:
        moveSlider(index, std::max(value - 1, SliderMin));
        break;
    case Key::Home:
        moveSlider(index, SliderMin);
        break;
    case Key::End:
        moveSlider(index, SliderMax);
        break;
    default:
        break;
    }
}

void InMemoryWindow::typeInBox(const ControlRow& box, std::u16string_view character) {
    const bool pair = character.size() == 2 && pairStartsAt(character, 0);
    if (character.empty() ||
        (!pair && (isControlCharacter(character[0]) || isHighSurrogate(character[0]) ||
                   isLowSurrogate(character[0])))) {
        return; // inserts nothing, and leaves the selection as it is
    }
    insertInBox(box, character);
}

// Replaces the selection with as much of `text` as fits whole.
void InMemoryWindow::insertInBox(const ControlRow& box, std::u16string_view text) {
    const TextGroup group = groupOfBox(box);
    const std::int16_t index = indexOf(box);
    Text held = widgets_.text(group, index);
    const InMemoryWidgets::Caret caret = widgets_.caret(group, index);
    const std::size_t start = std::min(caret.position, caret.anchor);
    const std::size_t end = std::max(caret.position, caret.anchor);
    held.erase(start, end - start);
    const auto room = static_cast<int>(static_cast<std::size_t>(box.maxLength) - held.size());
    const std::u16string_view fitting = cutToLength(text, room);
    if (fitting.empty() && start == end) {
        return;
    }
    held.insert(start, fitting);
    // A paste may bring a lone half of a pair; it goes, and the caret stays
    // after what was inserted.
    const std::size_t caretAfter =
        withoutHalfPairs(std::u16string_view(held).substr(0, start + fitting.size())).size();
    widgets_.userEdit(group, index, withoutHalfPairs(held), caretAfter);
}

void InMemoryWindow::click(std::size_t row, Spot spot) {
    if (row == NoticeButton) {
        noticeOpen_ = false; // it answers the notice, if one is open
        return;
    }
    if (noticeOpen_) {
        return; // the window behind the notice takes no click
    }
    const ControlRow& clicked = layoutTable.at(row);
    switch (clicked.controlClass) {
    case ControlClass::TextBox: {
        focus_ = row;
        const TextGroup group = groupOfBox(clicked);
        const std::size_t length = widgets_.text(group, indexOf(clicked)).size();
        widgets_.userSelect(group, indexOf(clicked), {length, length});
        if (group == TextGroup::Text1) {
            widgets_.userClick(indexOf(clicked));
        }
        break;
    }
    case ControlClass::HScrollBar: {
        focus_ = row;
        const std::int16_t index = indexOf(clicked);
        const int value = widgets_.value(index);
        if (spot == Spot::LeftArrow || spot == Spot::TroughLeft) {
            moveSlider(index, std::max(value - 1, SliderMin));
        } else if (spot == Spot::RightArrow || spot == Spot::TroughRight) {
            moveSlider(index, std::min(value + 1, SliderMax));
        }
        break;
    }
    case ControlClass::PictureBox:
        focus_ = row;
        break;
    case ControlClass::Label:
        break;
    }
}

void InMemoryWindow::moveSlider(std::int16_t index, int value) {
    if (widgets_.value(index) != value) {
        widgets_.setValue(index, static_cast<std::int16_t>(value));
    }
}

} // namespace tintora::testing
