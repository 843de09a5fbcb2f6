// Random user sessions with invariants checked after every action, written
// against MixerDriver: one runner plays the same seeded sessions on the
// in-memory widgets (many actions) and on the real Qt and Win32 windows (the
// first few sessions), so a failing seed replays on any of the three.
//
// Each session starts from a fresh window and plays a seeded random sequence
// of what a user can do: clicks into decimal boxes, keystrokes (digits, point,
// signs, exponent letters, blanks, hexadecimal and other letters, non-ASCII
// and control characters, backspace), pastes over a whole box, slider moves,
// and timer ticks. While a notice is open the window takes no input, so the
// only thing that reaches it then is ticks; the user dismisses the notice
// after a random number of them. The actions come from their own random
// stream, so a session plays the same actions whatever the window answers.
//
//   TINTORA_PROPERTY_SEED=S   replays session S alone, as reported on failure
#pragma once

#include "scenarios/mixer_driver.h"

#include "conversions/channel_conversions.h"
#include "mixer_testing/printable_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tintora::testing::property {

inline constexpr std::size_t ActionsPerSession = 500;

// The deepest handler nesting that use reaches is 6, e.g. a refused decimal
// box restored to a text whose hexadecimal form then rewrites it:
// Text1_Change > Msg > Text1_Change > Text2_Change > Text1_Change > HScroll1_Change
// (also the deepest of five million random actions). Two more for headroom; a
// cascade that starts to feed itself is still caught long before the stack is.
inline constexpr int DepthBound = 8;
// A cascade that feeds itself never returns to the check after the action;
// the trace stops it at this depth, before the stack runs out.
inline constexpr int RunawayDepth = 64;

using DecimalTexts = std::array<Text, ChannelCount>;

// Where the run is, for the terminate handler: a handler is noexcept, so an
// exception leaving it ends the process, and the seed must still be printed.
inline std::uint64_t currentSeed = 0;
inline std::size_t currentAction = 0;

// Tracks the nesting of handler activations and keeps the deepest chain.
class DepthTrace final : public HandlerTrace {
public:
    void entered(Handler handler, std::int16_t index) override {
        stack_.push_back({handler, index});
        const int depth = static_cast<int>(stack_.size());
        if (depth > deepest_) {
            deepest_ = depth;
            deepestChain_ = stack_;
        }
        if (depth > RunawayDepth) {
            std::fprintf(stderr, "runaway cascade: %s\n", deepestChain().c_str());
            std::terminate(); // the handler below names the seed
        }
    }
    void left(Handler, std::int16_t) override { stack_.pop_back(); }

    [[nodiscard]] int depth() const { return static_cast<int>(stack_.size()); }
    [[nodiscard]] int deepest() const { return deepest_; }
    [[nodiscard]] std::string deepestChain() const {
        std::string chain;
        for (const auto& [handler, index] : deepestChain_) {
            chain += chain.empty() ? "" : " > ";
            chain += callName(handler, index);
        }
        return chain;
    }

private:
    std::vector<std::pair<Handler, std::int16_t>> stack_;
    std::vector<std::pair<Handler, std::int16_t>> deepestChain_;
    int deepest_ = 0;
};

// What the user can type. Digits come up most, so that valid numbers form
// often enough to reach the paths behind the checks.
// clang-format off
inline constexpr char16_t Keys[] = {
    u'0', u'1', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9', u'0', u'1', u'2', u'5', u'9',
    u'.', u'+', u'-', u'e', u'E', u' ', u'\t',                        // the rest of a numeral
    u'a', u'b', u'c', u'd', u'f', u'A', u'B', u'C', u'D', u'F',       // hexadecimal letters
    u'g', u'x', u'H', u'z', u'&', u',', u'$',                         // other characters
    u'\uFF11', u'\u00A0', u'\u00E9', u'\u4E2D', char16_t{0xD800}, u'\uFEFF', // non-ASCII
    u'\0', u'\n', u'\r', u'\x1B', u'\x7F',                            // control characters
    u'\b', u'\b', u'\b',                                              // backspace
};
// clang-format on

// Whole texts a paste brings in, besides random strings of keys.
inline constexpr std::u16string_view PasteTexts[] = {
    u"256",          u"-5",       u"",     u"1e2", u"c8",  u"0A",  u"255", u"0",   u"-0",  u"1.5",
    u"2.5",          u".5",       u"1.",   u".",   u"+",   u"-",   u" 12", u"300", u"999", u"FF",
    u"ff",           u"G",        u"&H",   u"1e",  u"3e2", u"-.4", u"007", u"1,5", u"inf", u"nan",
    u"\uFF11\uFF12", u"12\u00A0", u"1234", u"ABC",
};

enum class Kind { Click, Type, Paste, Scroll, Tick };

struct Action {
    Kind kind = Kind::Tick;
    TextGroup group = TextGroup::Text1;
    std::int16_t index = 0;
    std::u16string text; // typed keys or pasted text
    std::int16_t value = 0;
};

inline std::string describe(const Action& action) {
    const std::string box = std::string(action.group == TextGroup::Text1 ? "Text1" : "Text2") +
                            "(" + std::to_string(action.index) + ")";
    switch (action.kind) {
    case Kind::Click:
        return "click Text1(" + std::to_string(action.index) + ")";
    case Kind::Type:
        return "type " + printable(action.text) + " into " + box;
    case Kind::Paste:
        return "paste " + printable(action.text) + " over " + box;
    case Kind::Scroll:
        return "move slider " + std::to_string(action.index) + " to " +
               std::to_string(action.value);
    case Kind::Tick:
        return "tick";
    }
    return "?";
}

// One random session on a fresh driver; run() plays it and returns the first
// broken invariant.
class Session {
public:
    Session(MixerDriver& driver, std::uint64_t seed)
        : d_(driver)
        , actions_(seed)
        , noticeTicks_(~seed) {
        d_.form().setTraceForTesting(&trace_);
        d_.whileNoticeOpen([this] { insideNotice(); });
    }
    ~Session() {
        d_.whileNoticeOpen({});
        d_.form().setTraceForTesting(nullptr);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    std::optional<std::string> run(std::size_t actions) {
        for (std::size_t i = 0; i < actions; ++i) {
            currentAction = i;
            played_.push_back(randomAction());
            play(played_.back());
            if (violation_) {
                return report(i);
            }
            ++actionsPlayed_;
        }
        return std::nullopt;
    }

    [[nodiscard]] const DepthTrace& trace() const { return trace_; }
    [[nodiscard]] std::size_t actionsPlayed() const { return actionsPlayed_; }
    [[nodiscard]] std::size_t ticksInsideNotices() const { return ticksInsideNotices_; }

private:
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(actions_() % n); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }

    std::u16string randomKeys(std::size_t count) {
        std::u16string keys;
        for (std::size_t i = 0; i < count; ++i) {
            keys.push_back(Keys[below(std::size(Keys))]);
        }
        return keys;
    }

    Action randomAction() {
        Action action;
        action.index = static_cast<std::int16_t>(below(ChannelCount));
        action.group = chance(70) ? TextGroup::Text1 : TextGroup::Text2;
        const std::size_t roll = below(100);
        if (roll < 10) {
            action.kind = Kind::Click;
        } else if (roll < 40) {
            action.kind = Kind::Type;
            action.text = randomKeys(chance(80) ? 1 : 2 + below(3));
        } else if (roll < 60) {
            action.kind = Kind::Paste;
            action.text = chance(60) ? std::u16string(PasteTexts[below(std::size(PasteTexts))])
                                     : randomKeys(below(5));
        } else if (roll < 75) {
            action.kind = Kind::Scroll;
            action.value = static_cast<std::int16_t>(below(SliderMax + 1));
        } else {
            action.kind = Kind::Tick;
        }
        return action;
    }

    void play(const Action& action) {
        const DecimalTexts before = decimalTexts();
        const int noticesBefore = d_.noticeCount();
        // No exception leaves a handler: the handlers are noexcept, so one
        // escaping would end the process (the terminate handler names the
        // seed); the user's side itself raises nothing for these actions either.
        try {
            switch (action.kind) {
            case Kind::Click:
                d_.click(action.index);
                break;
            case Kind::Type:
                d_.type(action.group, action.index, action.text);
                break;
            case Kind::Paste:
                d_.paste(action.group, action.index, action.text);
                break;
            case Kind::Scroll:
                d_.scroll(action.index, action.value);
                break;
            case Kind::Tick:
                d_.tick();
                break;
            }
        } catch (const std::exception& e) {
            fail(std::string("an exception left the user's action: ") + e.what());
        } catch (...) {
            fail("an exception left the user's action");
        }
        checkAfterAction();
        if (action.kind == Kind::Tick) {
            checkAfterTick(before, d_.noticeCount() - noticesBefore);
        }
    }

    // The user's side of an open notice: some ticks arrive, then the user
    // dismisses it.
    void insideNotice() {
        // Never more than one notice open: the notice is modal and nothing
        // that runs under it may raise another, or the user faces a stack of
        // them.
        if (d_.openNotices() != 1 || !d_.form().noticeOpen()) {
            fail("more than one notice open, or the form does not know its notice is open");
        }
        const auto below = [this](std::size_t n) { return noticeTicks_() % n; };
        const std::size_t ticks = below(100) < 30   ? 0
                                  : below(100) < 90 ? 1 + below(4)
                                                    : 5 + below(20);
        for (std::size_t i = 0; i < ticks; ++i) {
            const int notices = d_.noticeCount();
            const std::optional<Colour> painted = d_.backColor();
            d_.tick();
            ++ticksInsideNotices_;
            // A tick under an open notice neither reports nor paints: the
            // boxes may hold the refused text until the notice is dismissed,
            // and reporting it again would stack notices.
            if (d_.noticeCount() != notices || d_.backColor() != painted) {
                fail("a tick under an open notice reported or painted");
            }
        }
        checkDepth();
    }

    void checkAfterAction() {
        checkDepth();
        // Every handler that started has ended: nothing unwound a handler
        // half-way or left one suspended.
        if (trace_.depth() != 0) {
            fail("a handler activation did not end");
        }
        // The notice is closed once the action is over, and the form agrees;
        // a form that still thought it open would silence the timer for good.
        if (d_.openNotices() != 0 || d_.form().noticeOpen()) {
            fail("a notice is still marked open after the action");
        }
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            // No box ever holds more than its MaxLength: every path into a box
            // goes through the cut, so nothing reads a longer text.
            for (const TextGroup group : {TextGroup::Text1, TextGroup::Text2}) {
                if (d_.text(group, i).size() > static_cast<std::size_t>(maxLength(group))) {
                    fail("box " + std::to_string(i) + " longer than its MaxLength");
                }
            }
            // Sliders stay within 0..255: the widget refuses anything else,
            // and the handlers must not get round that.
            const std::int16_t value = d_.value(i);
            if (value < SliderMin || value > SliderMax) {
                fail("slider " + std::to_string(i) + " at " + std::to_string(value));
            }
        }
        // The preview only ever shows a colour that exists: both paths that
        // paint it check every component against 0..255 first.
        if (const auto colour = d_.backColor(); colour && *colour > 0xFFFFFFu) {
            fail("preview painted with " + std::to_string(*colour));
        }
        checkSleepingTimer();
    }

    // The timer may sleep only while a tick would change nothing: a tick
    // forced on a sleeping timer paints nothing, reports nothing and rewrites
    // no box or slider. Otherwise an idle window would show another colour or
    // miss a notice that the always-running timer would have given.
    void checkSleepingTimer() {
        if (d_.timerEnabled() != d_.form().timerEnabled()) {
            fail("the realisation's timer does not follow the form's decision");
        }
        if (d_.timerEnabled()) {
            return;
        }
        const auto before = window();
        d_.tick();
        if (window() != before) {
            fail("a tick on the sleeping timer changed the window");
        }
        if (d_.timerEnabled()) {
            fail("a tick on the sleeping timer woke it");
        }
    }

    // Everything a user can see, and the notices seen so far.
    using WindowState =
        std::tuple<std::array<Text, 2 * ChannelCount>, std::array<std::int16_t, ChannelCount>,
                   std::optional<Colour>, int>;
    [[nodiscard]] WindowState window() const {
        std::array<Text, 2 * ChannelCount> texts;
        std::array<std::int16_t, ChannelCount> values{};
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            texts[i] = d_.text(TextGroup::Text1, i);
            texts[ChannelCount + i] = d_.text(TextGroup::Text2, i);
            values[i] = d_.value(i);
        }
        return {texts, values, d_.backColor(), d_.noticeCount()};
    }

    void checkDepth() {
        // Cascades end: every handler that writes a box writes a value the
        // next handler accepts or restores, so the chain stays short. A chain
        // beyond the bound means handlers keep triggering each other.
        if (trace_.deepest() > DepthBound) {
            fail("handler nesting reached " + std::to_string(trace_.deepest()) + ": " +
                 trace_.deepestChain());
        }
    }

    void checkAfterTick(const DecimalTexts& before, int newNotices) {
        // No notice storm: while the three decimal texts stand unchanged,
        // ticks report at most once in all, so the user can still type a
        // number at 20 ticks a second. A run of ticks restarts when a tick
        // finds other texts than the run's.
        if (stormTexts_ != before) {
            stormTexts_ = before;
            stormNotices_ = 0;
        }
        stormNotices_ += newNotices;
        if (stormNotices_ > 1) {
            fail("ticks reported " + std::to_string(stormNotices_) +
                 " times on unchanged decimal texts");
        }
        // A tick over three readable channels paints exactly their colour:
        // the timer is what keeps the preview true to the decimal boxes,
        // whatever the hexadecimal path painted before.
        std::array<std::int16_t, ChannelCount> parts{};
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            const auto number = StrictNumber(before[i]);
            const auto whole = number ? FloorToInt16(*number) : std::nullopt;
            if (!whole || *whole < 0 || *whole > 255) {
                return;
            }
            parts[i] = *whole;
        }
        const auto expected = PackColour(parts[0], parts[1], parts[2]);
        if (d_.backColor() != expected) {
            fail("a tick over readable boxes did not paint their colour");
        }
    }

    void fail(const std::string& what) {
        if (!violation_) {
            violation_ = what;
        }
    }

    std::string report(std::size_t failing) const {
        std::ostringstream out;
        out << *violation_ << "\n  seed " << currentSeed << ", action " << failing
            << " (replay on any realisation: TINTORA_PROPERTY_SEED=" << currentSeed
            << ")\n  last actions:\n";
        const std::size_t from = failing >= 12 ? failing - 12 : 0;
        for (std::size_t i = from; i <= failing; ++i) {
            out << "    #" << i << " " << describe(played_[i]) << "\n";
        }
        out << "  decimal";
        for (const TextGroup group : {TextGroup::Text1, TextGroup::Text2}) {
            for (std::int16_t i = 0; i < ChannelCount; ++i) {
                out << " " << printable(d_.text(group, i));
            }
            out << (group == TextGroup::Text1 ? ", hexadecimal" : "");
        }
        out << ", remembered " << printable(d_.form().rememberedText());
        return out.str();
    }

    [[nodiscard]] DecimalTexts decimalTexts() const {
        return {d_.text(TextGroup::Text1, 0), d_.text(TextGroup::Text1, 1),
                d_.text(TextGroup::Text1, 2)};
    }

    MixerDriver& d_;
    std::mt19937_64 actions_;
    std::mt19937_64 noticeTicks_; // how long each notice stays open
    DepthTrace trace_;
    std::vector<Action> played_;
    std::optional<std::string> violation_;
    std::optional<DecimalTexts> stormTexts_;
    int stormNotices_ = 0;
    std::size_t actionsPlayed_ = 0;
    std::size_t ticksInsideNotices_ = 0;
};

inline std::optional<std::uint64_t> fromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    return std::strtoull(text, nullptr, 10);
}

// Plays `total` actions in sessions of ActionsPerSession from seed 1 on, each
// on a fresh Driver (or the one session TINTORA_PROPERTY_SEED names), fails
// the test at the first broken invariant and prints what the run reached.
template <typename Driver> void run(const char* where, std::size_t total) {
    const std::terminate_handler previous = std::set_terminate([] {
        std::fprintf(stderr,
                     "terminated inside seed %llu, action %zu (replay: "
                     "TINTORA_PROPERTY_SEED=%llu)\n",
                     static_cast<unsigned long long>(currentSeed), currentAction,
                     static_cast<unsigned long long>(currentSeed));
        std::abort();
    });

    const auto replay = fromEnvironment("TINTORA_PROPERTY_SEED");
    total = replay ? ActionsPerSession : total;
    std::size_t played = 0;
    std::uint64_t sessions = 0;
    std::size_t ticksInsideNotices = 0;
    int notices = 0;
    int deepest = 0;
    std::string deepestChain;
    for (std::uint64_t seed = replay.value_or(1); played < total; ++seed) {
        currentSeed = seed;
        Driver driver;
        Session session(driver, seed);
        const auto failure = session.run(std::min(ActionsPerSession, total - played));
        ++sessions;
        played += session.actionsPlayed();
        ticksInsideNotices += session.ticksInsideNotices();
        notices += driver.noticeCount();
        if (session.trace().deepest() > deepest) {
            deepest = session.trace().deepest();
            deepestChain = session.trace().deepestChain();
        }
        if (failure) {
            ADD_FAILURE() << *failure;
            break;
        }
    }
    std::printf("played %zu actions in %llu sessions on %s (%zu ticks under open notices, %d "
                "notices shown)\ndeepest cascade: %d handlers: %s\n",
                played, static_cast<unsigned long long>(sessions), where, ticksInsideNotices,
                notices, deepest, deepestChain.c_str());
    std::set_terminate(previous);
}

} // namespace tintora::testing::property
