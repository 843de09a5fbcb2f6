#include "mixer_testing/user_sessions.h"

#include <cmath>
#include <string_view>

namespace tintora::testing {
namespace {

// What a user types, one character a key: digits most, so that numbers form
// often enough to reach the paths behind the checks.
// clang-format off
constexpr std::u16string_view Characters[] = {
    u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"0", u"1", u"2", u"5", u"9",
    u".", u"+", u"-", u"e", u"E",                                 // the rest of a numeral
    u"a", u"b", u"c", u"d", u"f", u"A", u"B", u"C", u"D", u"F",   // hexadecimal letters
    u"g", u"x", u"H", u"z", u"&", u",", u"$",                     // other characters
    u"\uFF11", u"\u00A0", u"\u00E9", u"\u4E2D", u"\u3000", u"\U0001F600", // beyond ASCII
    u"\x02", u"\x1B", u"\x7F",                                    // from Ctrl and a letter
};

// What other programs put on the clipboard.
constexpr std::u16string_view Clipboard[] = {
    u"256", u"-5", u"1e2", u"c8", u"0A", u"255", u"0", u"-0", u"1.5", u"2.5", u".5", u"1.",
    u"+", u" 12", u"300", u"FF", u"ff", u"G", u"&H", u"3e2", u"-.4", u"007", u"1,5", u"inf",
    u"12\n", u"12\r\n", u"1\n2", u"\n5", u"FF\r", u"3\r4", u"12345678", u"\U0001F600" u"1",
    u"1\U0001F600", u"\u4E2D\u6587", u"\uFF11\uFF12", u"7\t",
};

// Characters outside the BMP, and sequences of them, for heavy texts.
constexpr std::u16string_view Astral[] = {
    u"\U0001F600", u"\U0001F44D", u"\U00020BB7", u"\U0001F1E8\U0001F1F3",
    u"\U0001F469\u200D\U0001F4BB", u"\U0001D7D9", u"\U0001F3FB",
};
// clang-format on

constexpr Key BoxKeys[] = {Key::Left,      Key::Right,  Key::Home,     Key::End,
                           Key::Backspace, Key::Delete, Key::Return,   Key::Escape,
                           Key::Space,     Key::Left,   Key::Backspace};
constexpr Key BoxControlKeys[] = {Key::Backspace, Key::Delete, Key::A, Key::C,
                                  Key::X,         Key::V,      Key::V};
constexpr Key SliderKeys[] = {Key::Left, Key::Right, Key::Up,     Key::Down,
                              Key::Home, Key::End,   Key::PageUp, Key::PageDown};

// Where a trough can be clicked on both sides of the thumb at any scale.
constexpr int TroughMargin = 16;

template <typename T, std::size_t N> const T& pick(std::mt19937_64& random, const T (&choices)[N]) {
    return choices[random() % N];
}

UserAction press(Key key, unsigned modifiers = NoModifier) {
    UserAction action;
    action.kind = UserAction::Kind::Press;
    action.key = key;
    action.modifiers = modifiers;
    return action;
}

UserAction clickOn(std::size_t row, Spot spot = Spot::Middle) {
    UserAction action;
    action.kind = UserAction::Kind::Click;
    action.row = row;
    action.spot = spot;
    return action;
}

} // namespace

SessionGenerator::SessionGenerator(std::uint64_t seed, Texts texts)
    : random_(seed)
    , texts_(texts) {}

std::size_t SessionGenerator::below(std::size_t n) {
    return static_cast<std::size_t>(random_() % n);
}

bool SessionGenerator::chance(int percent) {
    return below(100) < static_cast<std::size_t>(percent);
}

UserAction SessionGenerator::next(const InMemoryWindow& window, bool mustDismiss) {
    return window.noticeShown() ? underNotice(mustDismiss) : onWindow(window);
}

std::size_t SessionGenerator::rowOfKind(ControlClass kind) {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (layoutTable[row].controlClass == kind) {
            rows.push_back(row);
        }
    }
    return rows[below(rows.size())];
}

UserAction SessionGenerator::type() {
    UserAction action;
    action.kind = UserAction::Kind::Type;
    action.text =
        texts_ == Texts::Heavy && chance(20) ? pick(random_, Astral) : pick(random_, Characters);
    if (action.text.size() > 2) {
        action.text.resize(2); // one key, one character: the first of a sequence
    }
    return action;
}

UserAction SessionGenerator::copy() {
    UserAction action;
    action.kind = UserAction::Kind::Copy;
    action.text = texts_ == Texts::Heavy && chance(40) ? longText() : pick(random_, Clipboard);
    return action;
}

// 100 to 100 000 characters, evenly spread over the orders of magnitude:
// digits alone (a number far too long), or characters mixed with astral text.
std::u16string SessionGenerator::longText() {
    const double exponent = 2.0 + 3.0 * static_cast<double>(below(1001)) / 1000.0;
    const auto length = static_cast<std::size_t>(std::pow(10.0, exponent));
    std::u16string text;
    text.reserve(length + 8);
    const bool digits = chance(50);
    while (text.size() < length) {
        if (digits) {
            text.push_back(static_cast<char16_t>(u'0' + below(10)));
        } else {
            text += below(8) == 0 ? pick(random_, Astral) : pick(random_, Characters);
        }
    }
    return text;
}

UserAction SessionGenerator::underNotice(bool mustDismiss) {
    const std::size_t roll = mustDismiss ? 30 : below(100);
    if (roll < 25) {
        return UserAction{}; // a tick
    }
    if (roll < 60) {
        const std::size_t how = below(4);
        return how == 0   ? press(Key::Return)
               : how == 1 ? press(Key::Escape)
               : how == 2 ? press(Key::Space)
                          : clickOn(NoticeButton);
    }
    // Input that finds the notice in the way.
    switch (below(4)) {
    case 0:
        return type();
    case 1:
        return press(pick(random_, {Key::Tab, Key::Left, Key::Right, Key::Backspace}));
    case 2:
        return clickOn(rowOfKind(chance(50) ? ControlClass::TextBox : ControlClass::HScrollBar),
                       Spot::AfterText);
    default: {
        UserAction wheel;
        wheel.kind = UserAction::Kind::Wheel;
        wheel.row = rowOfKind(ControlClass::HScrollBar);
        wheel.amount = WheelNotch;
        return wheel;
    }
    }
}

UserAction SessionGenerator::onWindow(const InMemoryWindow& window) {
    const std::size_t roll = below(100);
    if (roll < 10) {
        return UserAction{}; // a tick
    }
    if (roll < 18) {
        return press(Key::Tab, chance(30) ? Shift : NoModifier);
    }
    if (roll < 50) {
        return keyFor(layoutTable[window.focus()]);
    }
    if (roll < 68) {
        return type();
    }
    if (roll < 74) {
        return copy();
    }
    if (roll < 86) {
        return click(window);
    }
    if (roll < 91) {
        UserAction drag;
        drag.kind = UserAction::Kind::Drag;
        drag.row = rowOfKind(ControlClass::HScrollBar);
        drag.amount = static_cast<int>(below(SliderMax + 1));
        return drag;
    }
    UserAction wheel;
    wheel.kind = UserAction::Kind::Wheel;
    wheel.row = chance(70) ? rowOfKind(ControlClass::HScrollBar) : below(layoutTable.size());
    wheel.amount = pick(random_, {WheelNotch, -WheelNotch, WheelNotch / 3, -WheelNotch / 3,
                                  2 * WheelNotch, -2 * WheelNotch});
    wheel.horizontal = chance(20);
    return wheel;
}

UserAction SessionGenerator::keyFor(const ControlRow& focused) {
    if (focused.controlClass != ControlClass::TextBox) {
        return press(pick(random_, SliderKeys));
    }
    if (chance(30)) {
        return press(pick(random_, BoxControlKeys), Control);
    }
    const Key key = pick(random_, BoxKeys);
    const bool selects =
        key == Key::Left || key == Key::Right || key == Key::Home || key == Key::End;
    return press(key, selects && chance(30) ? Shift : NoModifier);
}

UserAction SessionGenerator::click(const InMemoryWindow& window) {
    const std::size_t roll = below(100);
    if (roll < 50) {
        return clickOn(rowOfKind(ControlClass::TextBox), Spot::AfterText);
    }
    if (roll < 80) {
        const std::size_t row = rowOfKind(ControlClass::HScrollBar);
        const auto index = static_cast<std::int16_t>(layoutTable[row].index);
        const int value = window.widgets().value(index);
        const bool troughClear = value >= TroughMargin && value <= SliderMax - TroughMargin;
        const std::size_t spot = below(troughClear ? 5 : 3);
        return clickOn(row, spot == 0   ? Spot::LeftArrow
                            : spot == 1 ? Spot::RightArrow
                            : spot == 2 ? Spot::Thumb
                            : spot == 3 ? Spot::TroughLeft
                                        : Spot::TroughRight);
    }
    if (roll < 90) {
        return clickOn(rowOfKind(ControlClass::Label));
    }
    if (roll < 98) {
        return clickOn(0); // the preview
    }
    return clickOn(NoticeButton); // where the notice's button was
}

std::vector<UserAction> randomSession(std::uint64_t seed, std::size_t length, Texts texts) {
    InMemoryWindow window;
    SessionGenerator generator(seed, texts);
    std::vector<UserAction> actions;
    const auto playNext = [&] {
        // A copy: actions under a notice this one opens grow the list meanwhile.
        const UserAction action = generator.next(window, actions.size() + 1 >= length);
        actions.push_back(action);
        window.play(action);
    };
    window.whileNoticeOpen([&] {
        while (window.noticeShown()) {
            playNext();
        }
    });
    while (actions.size() < length) {
        playNext();
    }
    return actions;
}

} // namespace tintora::testing
