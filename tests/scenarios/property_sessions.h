// Random user sessions on the in-memory window, with invariants checked after
// every action: the window the differential holds every other window to must
// itself keep the rules no user should see broken. The sessions are the
// differential's (mixer_testing/user_sessions.h), longer; while a notice is
// open, the actions drawn are what a user does then, ticks among them.
//
//   TINTORA_PROPERTY_SEED=S   replays session S alone, as reported on failure
#pragma once

#include "conversions/channel_conversions.h"
#include "mixer_testing/in_memory_window.h"
#include "mixer_testing/printable_text.h"
#include "mixer_testing/user_sessions.h"
#include "scenarios/call_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tintora::testing::property {

inline constexpr std::size_t ActionsPerSession = 500;
// Past this many actions under one notice, the next answers it.
inline constexpr std::size_t ActionsUnderANotice = 50;

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

// One random session on a fresh window; run() plays it and returns the first
// broken invariant.
class Session {
public:
    explicit Session(std::uint64_t seed)
        : generator_(seed) {
        w_.form().setTraceForTesting(&trace_);
        w_.whileNoticeOpen([this] { insideNotice(); });
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    std::optional<std::string> run(std::size_t actions) {
        for (std::size_t i = 0; i < actions && !violation_; ++i) {
            playNext(false);
            if (!violation_) {
                checkAfterAction();
            }
        }
        if (violation_) {
            return report();
        }
        return std::nullopt;
    }

    [[nodiscard]] const DepthTrace& trace() const { return trace_; }
    [[nodiscard]] std::size_t actionsPlayed() const { return played_.size(); }
    [[nodiscard]] std::size_t ticksInsideNotices() const { return ticksInsideNotices_; }
    [[nodiscard]] std::size_t notices() const { return w_.widgets().notices().size(); }

private:
    void playNext(bool mustDismiss) {
        currentAction = played_.size();
        // A copy: actions under a notice this one opens grow the list meanwhile.
        const UserAction action = generator_.next(w_, mustDismiss);
        played_.push_back(action);
        const bool underNotice = w_.noticeShown();
        const DecimalTexts before = decimalTexts();
        const std::size_t noticesBefore = notices();
        const std::optional<Colour> painted = w_.widgets().backColor();
        // No exception leaves a handler: the handlers are noexcept, so one
        // escaping would end the process (the terminate handler names the
        // seed); the user's side itself raises nothing either.
        try {
            w_.play(action);
        } catch (const std::exception& e) {
            fail(std::string("an exception left the user's action: ") + e.what());
        }
        if (action.kind != UserAction::Kind::Tick) {
            return;
        }
        if (!underNotice) {
            checkAfterTick(before, static_cast<int>(notices() - noticesBefore));
            return;
        }
        // A tick under an open notice neither reports nor paints: the boxes
        // may hold the refused text until the notice is dismissed, and
        // reporting it again would stack notices.
        ++ticksInsideNotices_;
        if (notices() != noticesBefore || w_.widgets().backColor() != painted) {
            fail("a tick under an open notice reported or painted");
        }
    }

    // The user's side of an open notice: actions until one answers it.
    void insideNotice() {
        for (std::size_t actions = 0; w_.noticeShown() && !violation_; ++actions) {
            // Never more than one notice open: the notice is modal and nothing
            // that runs under it may raise another, or the user faces a stack
            // of them.
            if (w_.widgets().openNotices() != 1 || !w_.form().noticeOpen()) {
                fail("more than one notice open, or the form does not know its notice is open");
            }
            playNext(actions >= ActionsUnderANotice);
            checkDepth();
        }
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
        if (w_.widgets().openNotices() != 0 || w_.form().noticeOpen()) {
            fail("a notice is still marked open after the action");
        }
        const SeenWindow seen = w_.seen();
        for (std::size_t i = 0; i < seen.texts.size(); ++i) {
            // No box ever holds more than its MaxLength: every path into a box
            // goes through the cut, so nothing reads a longer text.
            const int length = i < ChannelCount ? DecimalMaxLength : HexMaxLength;
            if (seen.texts[i].size() > static_cast<std::size_t>(length)) {
                fail("box " + std::to_string(i) + " longer than its MaxLength");
            }
        }
        for (const int value : seen.values) {
            // Sliders stay within 0..255: the widget refuses anything else,
            // and the handlers must not get round that.
            if (value < SliderMin || value > SliderMax) {
                fail("a slider at " + std::to_string(value));
            }
        }
        // The preview only ever shows a colour that exists: both paths that
        // paint it check every component against 0..255 first.
        if (seen.preview && *seen.preview > 0xFFFFFFu) {
            fail("preview painted with " + std::to_string(*seen.preview));
        }
        checkSleepingTimer();
    }

    // The timer may sleep only while a tick would change nothing: a tick
    // forced on a sleeping timer paints nothing, reports nothing and rewrites
    // no box or slider. Otherwise an idle window would show another colour or
    // miss a notice that the always-running timer would have given.
    void checkSleepingTimer() {
        if (w_.form().timerEnabled()) {
            return;
        }
        const auto before = std::tuple(w_.seen(), notices());
        w_.widgets().userTick();
        if (std::tuple(w_.seen(), notices()) != before) {
            fail("a tick on the sleeping timer changed the window");
        }
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
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const auto number = StrictNumber(before[i]);
            const auto whole = number ? FloorToInt16(*number) : std::nullopt;
            if (!whole || *whole < 0 || *whole > 255) {
                return;
            }
            parts[i] = *whole;
        }
        if (w_.widgets().backColor() != PackColour(parts[0], parts[1], parts[2])) {
            fail("a tick over readable boxes did not paint their colour");
        }
    }

    void fail(const std::string& what) {
        if (!violation_) {
            violation_ = what;
        }
    }

    std::string report() {
        std::ostringstream out;
        const std::size_t failing = played_.size() - 1;
        out << *violation_ << "\n  seed " << currentSeed << ", action " << failing
            << " (replay: TINTORA_PROPERTY_SEED=" << currentSeed << ")\n  last actions:\n";
        for (std::size_t i = failing >= 12 ? failing - 12 : 0; i <= failing; ++i) {
            out << "    #" << i << " " << describe(played_[i]) << "\n";
        }
        const SeenWindow seen = w_.seen();
        out << "  boxes";
        for (const Text& text : seen.texts) {
            out << " " << printable(text);
        }
        out << ", remembered " << printable(w_.form().rememberedText());
        return out.str();
    }

    [[nodiscard]] DecimalTexts decimalTexts() const {
        return {w_.widgets().text(TextGroup::Text1, 0), w_.widgets().text(TextGroup::Text1, 1),
                w_.widgets().text(TextGroup::Text1, 2)};
    }

    InMemoryWindow w_;
    SessionGenerator generator_;
    DepthTrace trace_;
    std::vector<UserAction> played_;
    std::optional<std::string> violation_;
    std::optional<DecimalTexts> stormTexts_;
    int stormNotices_ = 0;
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
// on a fresh window (or the one session TINTORA_PROPERTY_SEED names), fails
// the test at the first broken invariant and prints what the run reached.
inline void run(std::size_t total) {
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
    std::size_t notices = 0;
    int deepest = 0;
    std::string deepestChain;
    for (std::uint64_t seed = replay.value_or(1); played < total; ++seed) {
        currentSeed = seed;
        Session session(seed);
        const auto failure = session.run(std::min(ActionsPerSession, total - played));
        ++sessions;
        played += session.actionsPlayed();
        ticksInsideNotices += session.ticksInsideNotices();
        notices += session.notices();
        if (session.trace().deepest() > deepest) {
            deepest = session.trace().deepest();
            deepestChain = session.trace().deepestChain();
        }
        if (failure) {
            ADD_FAILURE() << *failure;
            break;
        }
    }
    std::printf("played %zu actions in %llu sessions on the in-memory window (%zu ticks under "
                "open notices, %zu notices shown)\ndeepest cascade: %d handlers: %s\n",
                played, static_cast<unsigned long long>(sessions), ticksInsideNotices, notices,
                deepest, deepestChain.c_str());
    std::set_terminate(previous);
}

} // namespace tintora::testing::property
