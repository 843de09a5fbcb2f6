#include "mixer_testing/differential.h"

#include "mixer_testing/in_memory_window.h"
#include "mixer_testing/printable_text.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <sstream>
#include <string_view>

namespace tintora::testing::differential {
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

class Generator {
public:
    explicit Generator(std::uint64_t seed)
        : random_(seed) {}

    UserAction next(InMemoryWindow& window, bool mustDismiss) {
        return window.noticeOpen() ? underNotice(mustDismiss) : onWindow(window);
    }

private:
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
    template <typename T, std::size_t N> const T& pick(const T (&choices)[N]) {
        return choices[below(N)];
    }

    static UserAction press(Key key, unsigned modifiers = NoModifier) {
        UserAction action;
        action.kind = UserAction::Kind::Press;
        action.key = key;
        action.modifiers = modifiers;
        return action;
    }
    UserAction type() {
        UserAction action;
        action.kind = UserAction::Kind::Type;
        action.text = pick(Characters);
        return action;
    }
    static UserAction click(std::size_t row, Spot spot = Spot::Middle) {
        UserAction action;
        action.kind = UserAction::Kind::Click;
        action.row = row;
        action.spot = spot;
        return action;
    }
    std::size_t rowOfKind(ControlClass kind) {
        std::vector<std::size_t> rows;
        for (std::size_t row = 0; row < layoutTable.size(); ++row) {
            if (layoutTable[row].controlClass == kind) {
                rows.push_back(row);
            }
        }
        return rows[below(rows.size())];
    }

    UserAction underNotice(bool mustDismiss) {
        const std::size_t roll = mustDismiss ? 30 : below(100);
        if (roll < 25) {
            return UserAction{}; // a tick
        }
        if (roll < 60) {
            const std::size_t how = below(4);
            return how == 0   ? press(Key::Return)
                   : how == 1 ? press(Key::Escape)
                   : how == 2 ? press(Key::Space)
                              : click(NoticeButton);
        }
        // Input that finds the notice in the way.
        switch (below(4)) {
        case 0:
            return type();
        case 1:
            return press(pick({Key::Tab, Key::Left, Key::Right, Key::Backspace}));
        case 2:
            return click(rowOfKind(chance(50) ? ControlClass::TextBox : ControlClass::HScrollBar),
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

    UserAction onWindow(InMemoryWindow& window) {
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
            UserAction copy;
            copy.kind = UserAction::Kind::Copy;
            copy.text = pick(Clipboard);
            return copy;
        }
        if (roll < 86) {
            return randomClick(window);
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
        wheel.amount = pick({WheelNotch, -WheelNotch, WheelNotch / 3, -WheelNotch / 3,
                             2 * WheelNotch, -2 * WheelNotch});
        wheel.horizontal = chance(20);
        return wheel;
    }

    UserAction keyFor(const ControlRow& focused) {
        switch (focused.controlClass) {
        case ControlClass::TextBox:
            if (chance(30)) {
                return press(pick(BoxControlKeys), Control);
            }
            if (const Key key = pick(BoxKeys);
                key == Key::Left || key == Key::Right || key == Key::Home || key == Key::End) {
                return press(key, chance(30) ? Shift : NoModifier);
            } else {
                return press(key);
            }
        case ControlClass::HScrollBar:
            return press(pick(SliderKeys));
        default:
            return press(pick(SliderKeys));
        }
    }

    UserAction randomClick(InMemoryWindow& window) {
        const std::size_t roll = below(100);
        if (roll < 50) {
            return click(rowOfKind(ControlClass::TextBox), Spot::AfterText);
        }
        if (roll < 80) {
            const std::size_t row = rowOfKind(ControlClass::HScrollBar);
            const int value =
                window.widgets().value(static_cast<std::int16_t>(layoutTable[row].index));
            const bool troughClear = value >= TroughMargin && value <= SliderMax - TroughMargin;
            const std::size_t spot = below(troughClear ? 5 : 3);
            return click(row, spot == 0   ? Spot::LeftArrow
                              : spot == 1 ? Spot::RightArrow
                              : spot == 2 ? Spot::Thumb
                              : spot == 3 ? Spot::TroughLeft
                                          : Spot::TroughRight);
        }
        if (roll < 90) {
            return click(rowOfKind(ControlClass::Label));
        }
        if (roll < 98) {
            return click(0); // the preview
        }
        return click(NoticeButton); // where the notice's button was
    }

    std::mt19937_64 random_;
};

std::string printableTexts(const SeenWindow& seen) {
    std::string out;
    for (std::size_t i = 0; i < seen.texts.size(); ++i) {
        out += (i == 0 ? "" : i == ChannelCount ? " | " : " ") + printable(seen.texts[i]);
    }
    return out;
}

std::string colourName(const std::optional<Colour>& colour) {
    if (!colour) {
        return "the window colour";
    }
    char name[16];
    std::snprintf(name, sizeof name, "#%06X", *colour);
    return name;
}

std::string focusName(const std::optional<std::size_t>& focus) {
    return focus ? controlName(*focus) : "nothing";
}

struct Divergence {
    std::size_t action = 0;
    std::string what;
};

std::optional<Divergence> firstDivergence(const Observations& expected, const Observations& seen) {
    const std::size_t common = std::min(expected.size(), seen.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (expected[i].action != seen[i].action) {
            return Divergence{std::min(expected[i].action, seen[i].action),
                              expected[i].action < seen[i].action
                                  ? "a notice expected after this action did not open"
                                  : "a notice opened after this action"};
        }
        if (std::string what = difference(expected[i].seen, seen[i].seen); !what.empty()) {
            return Divergence{expected[i].action, what};
        }
    }
    if (expected.size() != seen.size()) {
        const std::size_t action =
            common < expected.size() ? expected[common].action : seen[common].action;
        return Divergence{action, "the notices opened differently"};
    }
    return std::nullopt;
}

bool diverges(const std::vector<UserAction>& actions, const MakePlayer& make) {
    InMemoryWindow model;
    const Observations expected = replay(model, actions);
    const auto player = make();
    return firstDivergence(expected, replay(*player, actions, &expected)).has_value();
}

// The shortest list of actions found that still diverges, by taking out ever
// smaller runs of actions while it does; within a budget of replays, since
// each replays on a real window.
std::vector<UserAction> minimise(std::vector<UserAction> actions, const MakePlayer& make) {
    constexpr int Budget = 400;
    int replays = 0;
    for (std::size_t run = std::max<std::size_t>(actions.size() / 2, 1); run >= 1; run /= 2) {
        for (std::size_t start = 0; start < actions.size() && replays < Budget;) {
            std::vector<UserAction> shorter = actions;
            const auto from = shorter.begin() + static_cast<std::ptrdiff_t>(start);
            shorter.erase(
                from, from + static_cast<std::ptrdiff_t>(std::min(run, shorter.size() - start)));
            ++replays;
            if (!shorter.empty() && diverges(shorter, make)) {
                actions = std::move(shorter);
            } else {
                start += run;
            }
        }
        if (run == 1 || replays >= Budget) {
            break;
        }
    }
    return actions;
}

} // namespace

std::vector<UserAction> randomSession(std::uint64_t seed, std::size_t length) {
    InMemoryWindow window;
    Generator generator(seed);
    std::vector<UserAction> actions;
    const auto playNext = [&] {
        actions.push_back(generator.next(window, actions.size() + 1 >= length));
        window.play(actions.back());
    };
    window.whileNoticeOpen([&] {
        while (window.noticeOpen()) {
            playNext();
        }
    });
    while (actions.size() < length) {
        playNext();
    }
    return actions;
}

Observations replay(WindowPlayer& player, const std::vector<UserAction>& actions,
                    const Observations* expected) {
    Observations seen;
    std::size_t next = 0;
    bool stop = false;
    const auto observe = [&] {
        if (next == 0 || stop) {
            return;
        }
        seen.push_back({next - 1, player.seen()});
        const std::size_t at = seen.size() - 1;
        stop = expected != nullptr &&
               (at >= expected->size() || (*expected)[at].action != seen[at].action ||
                !difference((*expected)[at].seen, seen[at].seen).empty());
    };
    player.whileNoticeOpen([&] {
        observe();
        while (next < actions.size() && !stop && player.noticeOpen()) {
            player.play(actions[next++]);
            if (player.noticeOpen()) {
                observe();
            }
        }
    });
    while (next < actions.size() && !stop) {
        player.play(actions[next++]);
        observe();
    }
    player.whileNoticeOpen({});
    return seen;
}

std::string difference(const SeenWindow& expected, const SeenWindow& seen) {
    std::ostringstream out;
    if (expected.texts != seen.texts) {
        out << "boxes " << printableTexts(seen) << ", expected " << printableTexts(expected)
            << "; ";
    }
    if (expected.values != seen.values) {
        out << "sliders " << seen.values[0] << " " << seen.values[1] << " " << seen.values[2]
            << ", expected " << expected.values[0] << " " << expected.values[1] << " "
            << expected.values[2] << "; ";
    }
    if (!seen.previewFault.empty()) {
        out << "preview: " << seen.previewFault << "; ";
    } else if (expected.preview != seen.preview) {
        out << "preview shows " << colourName(seen.preview) << ", expected "
            << colourName(expected.preview) << "; ";
    }
    if (expected.notice != seen.notice) {
        out << "notice " << (seen.notice ? printable(*seen.notice) : "closed") << ", expected "
            << (expected.notice ? printable(*expected.notice) : "closed") << "; ";
    } else if (!expected.notice && expected.focus != seen.focus) {
        out << "focus on " << focusName(seen.focus) << ", expected " << focusName(expected.focus)
            << "; ";
    }
    if (expected.timerRunning != seen.timerRunning) {
        out << "timer " << (seen.timerRunning ? "running" : "asleep") << ", expected "
            << (expected.timerRunning ? "running" : "asleep") << "; ";
    }
    std::string what = out.str();
    if (!what.empty()) {
        what.resize(what.size() - 2);
    }
    return what;
}

SessionResult compareSession(std::uint64_t seed, const MakePlayer& make, std::size_t length) {
    const std::vector<UserAction> actions = randomSession(seed, length);
    InMemoryWindow model;
    const Observations expected = replay(model, actions);
    Observations seen;
    {
        // One window at a time: the players' watchers are one per thread.
        const auto player = make();
        seen = replay(*player, actions, &expected);
    }
    SessionResult result{actions.size(), seen.size(), std::nullopt};
    const auto divergence = firstDivergence(expected, seen);
    if (!divergence) {
        return result;
    }
    std::ostringstream report;
    report << "session " << seed << " differs after action " << divergence->action << " ("
           << describe(actions[divergence->action]) << "): " << divergence->what
           << "\n  replay: TINTORA_DIFFERENTIAL_SEED=" << seed << "\n  shortest actions found:\n";
    const std::vector<UserAction> shortest = minimise(
        std::vector<UserAction>(
            actions.begin(), actions.begin() + static_cast<std::ptrdiff_t>(divergence->action + 1)),
        make);
    InMemoryWindow shortModel;
    const Observations shortExpected = replay(shortModel, shortest);
    std::optional<Divergence> shortDivergence;
    {
        const auto shortPlayer = make();
        shortDivergence =
            firstDivergence(shortExpected, replay(*shortPlayer, shortest, &shortExpected));
    }
    for (std::size_t i = 0; i < shortest.size(); ++i) {
        report << "    " << i << ". " << describe(shortest[i]) << "\n";
    }
    if (shortDivergence) {
        report << "  there, after action " << shortDivergence->action << ": "
               << shortDivergence->what << "\n";
    }
    result.divergence = report.str();
    return result;
}

} // namespace tintora::testing::differential
