#include "mixer_testing/user_action.h"

#include "mixer_testing/printable_text.h"

#include <array>

namespace tintora::testing {
namespace {

const char* keyName(Key key) {
    static constexpr std::array names = {
        "Tab",       "Left",   "Right",  "Up",     "Down",  "Home", "End", "PageUp", "PageDown",
        "Backspace", "Delete", "Return", "Escape", "Space", "A",    "C",   "V",      "X"};
    return names.at(static_cast<std::size_t>(key));
}

const char* spotName(Spot spot) {
    static constexpr std::array names = {"the middle of",
                                         "after the text in",
                                         "the thumb of",
                                         "the left arrow of",
                                         "the right arrow of",
                                         "the trough left of the thumb of",
                                         "the trough right of the thumb of"};
    return names.at(static_cast<std::size_t>(spot));
}

} // namespace

std::string controlName(std::size_t row) {
    if (row >= layoutTable.size()) {
        return "the notice's button";
    }
    const ControlRow& control = layoutTable[row];
    std::string name(control.name);
    return control.index < 0 ? name : name + "(" + std::to_string(control.index) + ")";
}

std::string describe(const UserAction& action) {
    switch (action.kind) {
    case UserAction::Kind::Press: {
        std::string keys = (action.modifiers & Control) != 0 ? "Ctrl+" : "";
        keys += (action.modifiers & Shift) != 0 ? "Shift+" : "";
        return "press " + keys + keyName(action.key);
    }
    case UserAction::Kind::Type:
        return "type " + printable(action.text);
    case UserAction::Kind::Copy:
        return "copy " + printable(action.text) + " in another program";
    case UserAction::Kind::Click:
        return std::string("click ") + spotName(action.spot) + " " + controlName(action.row);
    case UserAction::Kind::Drag:
        return "drag the thumb of " + controlName(action.row) + " to " +
               std::to_string(action.amount);
    case UserAction::Kind::Wheel:
        return std::string("turn the ") + (action.horizontal ? "horizontal " : "") + "wheel " +
               std::to_string(action.amount) + " over " + controlName(action.row);
    case UserAction::Kind::Tick:
        return "wait for a tick";
    }
    return "?";
}

} // namespace tintora::testing
