// The long-run memory check: one window kept open for many minutes while
// seeded random user sessions play on it, heavier than the property run's
// (pastes of up to 100 000 characters, characters outside the BMP, many
// notices, each dismissed in one of the ways a user has), with the process's
// memory sampled every few actions and the trend after warm-up reported as a
// slope (least squares, and the median of pairwise slopes). The same sessions
// play on the program's window and on a bare window (one with the same
// controls), so that growth can be told apart: what both show belongs to the
// toolkit or the platform.
//
// A benchmark, not a test: it asserts nothing, it prints samples and a summary.
//
//   TINTORA_LONG_RUN_MINUTES=M          length of the run (default 30)
//   TINTORA_LONG_RUN_WARMUP_MINUTES=W   samples before this are left out of the
//                                     slope (default 5)
//   TINTORA_LONG_RUN_SAMPLE_ACTIONS=N   actions between samples (default 100)
//   TINTORA_LONG_RUN_PAUSE_MS=P         events handled between actions (default 80)
//   TINTORA_PROPERTY_SEED=S           first session's seed (default 1)
#pragma once

#include "process_memory.h"
#include "scenarios/property_sessions.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace tintora::testing::long_run {

// What a long run does to a window: the user's side of MixerDriver, without
// the form, so that a bare window can take the same sessions.
class SessionTarget {
public:
    virtual ~SessionTarget() = default;
    virtual void paste(TextGroup group, std::int16_t index, std::u16string_view text) = 0;
    virtual void type(TextGroup group, std::int16_t index, std::u16string_view keys) = 0;
    virtual void click(std::int16_t index) = 0;
    virtual void scroll(std::int16_t index, std::int16_t value) = 0;
    virtual void tick() = 0;
    // Runs `action` inside each notice before it is dismissed.
    virtual void whileNoticeOpen(std::function<void()> action) = 0;
    // Dismisses the next notice: 0 its button, 1 Return, 2 Escape.
    virtual void dismissNextNoticeBy(int way) = 0;
    // Notices shown since the last call; the target keeps no record of them,
    // so that a long run does not grow on the rig's side.
    virtual int takeNoticeCount() = 0;
    // Lets the window handle its events (paints, the clipboard) for a while,
    // as between a user's actions.
    virtual void rest(std::chrono::milliseconds pause) = 0;
};

// Characters outside the BMP, each a surrogate pair, and sequences of them.
inline constexpr std::u16string_view Astral[] = {
    u"\U0001F600",
    u"\U0001F44D",
    u"\U00020BB7",
    u"\U0001F1E8\U0001F1F3",
    u"\U0001F469\u200D\U0001F4BB",
    u"\U0001D7D9",
    u"\U0001F3FB",
};

struct Settings {
    std::chrono::minutes length{30};
    std::chrono::minutes warmUp{5};
    std::size_t sampleEvery = 100;
    std::chrono::milliseconds pause{80};
    std::uint64_t firstSeed = 1;

    static Settings fromEnvironment() {
        Settings s;
        using property::fromEnvironment;
        s.length = std::chrono::minutes(fromEnvironment("TINTORA_LONG_RUN_MINUTES").value_or(30));
        s.warmUp =
            std::chrono::minutes(fromEnvironment("TINTORA_LONG_RUN_WARMUP_MINUTES").value_or(5));
        s.sampleEvery = fromEnvironment("TINTORA_LONG_RUN_SAMPLE_ACTIONS").value_or(100);
        s.pause =
            std::chrono::milliseconds(fromEnvironment("TINTORA_LONG_RUN_PAUSE_MS").value_or(80));
        s.firstSeed = fromEnvironment("TINTORA_PROPERTY_SEED").value_or(1);
        return s;
    }
};

struct Sample {
    double minutes = 0;
    std::size_t actions = 0;
    std::size_t notices = 0;
    ProcessMemory memory;
};

// Least-squares slope of resident memory over time, in kB a minute, over the
// samples from `from` minutes on; 0 with fewer than two such samples.
inline double slopeKbPerMinute(const std::vector<Sample>& samples, double from) {
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const Sample& s : samples) {
        if (s.minutes < from) {
            continue;
        }
        const auto y = static_cast<double>(s.memory.residentKb);
        n += 1;
        sx += s.minutes;
        sy += y;
        sxx += s.minutes * s.minutes;
        sxy += s.minutes * y;
    }
    const double d = n * sxx - sx * sx;
    return n < 2 || d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

// The median of the slopes between every two samples from `from` minutes on
// (Theil-Sen), in kB a minute: unlike least squares, a single step (the
// allocator taking one more block for the largest paste so far) does not
// read as a trend.
inline double medianSlopeKbPerMinute(const std::vector<Sample>& samples, double from) {
    std::vector<double> slopes;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        for (std::size_t j = i + 1; j < samples.size(); ++j) {
            const double dt = samples[j].minutes - samples[i].minutes;
            if (samples[i].minutes >= from && dt > 0) {
                slopes.push_back(static_cast<double>(samples[j].memory.residentKb -
                                                     samples[i].memory.residentKb) /
                                 dt);
            }
        }
    }
    if (slopes.empty()) {
        return 0;
    }
    const auto middle = slopes.begin() + static_cast<std::ptrdiff_t>(slopes.size() / 2);
    std::nth_element(slopes.begin(), middle, slopes.end());
    return *middle;
}

// One heavy session's actions, from its own seeded stream, so that the
// program and the bare window get the same sequence whatever they answer.
class HeavySession {
public:
    explicit HeavySession(std::uint64_t seed)
        : random_(seed)
        , notices_(~seed) {}

    // Plays the next action on `target`.
    void playNext(SessionTarget& target) {
        const auto index = static_cast<std::int16_t>(below(ChannelCount));
        const TextGroup group = below(100) < 70 ? TextGroup::Text1 : TextGroup::Text2;
        const std::size_t roll = below(100);
        if (roll < 10) {
            target.click(index);
        } else if (roll < 30) {
            target.type(group, index, keys(1 + below(3)));
        } else if (roll < 36) {
            target.type(group, index, astral(1 + below(3)));
        } else if (roll < 50) {
            target.paste(
                group, index,
                below(100) < 60
                    ? std::u16string(property::PasteTexts[below(std::size(property::PasteTexts))])
                    : keys(below(6)));
        } else if (roll < 56) {
            target.paste(group, index, longText());
        } else if (roll < 72) {
            target.scroll(index, static_cast<std::int16_t>(below(SliderMax + 1)));
        } else {
            target.tick();
        }
    }

    // How an open notice goes: the ticks that arrive under it (returned),
    // then one of the ways to dismiss it.
    // Drawn from a stream of their own: the bare window and the program need not
    // show the same notices.
    std::size_t planNotice(SessionTarget& target) {
        const auto below = [this](std::size_t n) { return notices_() % n; };
        const std::size_t roll = below(100);
        target.dismissNextNoticeBy(static_cast<int>(below(3)));
        return roll < 30 ? 0 : roll < 90 ? 1 + below(4) : 5 + below(20);
    }

private:
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(random_() % n); }

    std::u16string keys(std::size_t count) {
        std::u16string text;
        for (std::size_t i = 0; i < count; ++i) {
            text.push_back(property::Keys[below(std::size(property::Keys))]);
        }
        return text;
    }

    std::u16string astral(std::size_t count) {
        std::u16string text;
        for (std::size_t i = 0; i < count; ++i) {
            text += Astral[below(std::size(Astral))];
        }
        return text;
    }

    // 100 to 100 000 characters, evenly spread over the orders of magnitude:
    // digits alone (a number far too long), or keys mixed with astral text.
    std::u16string longText() {
        const double exponent = 2.0 + 3.0 * static_cast<double>(below(1001)) / 1000.0;
        const auto length = static_cast<std::size_t>(std::pow(10.0, exponent));
        std::u16string text;
        text.reserve(length + 8);
        const bool digits = below(2) == 0;
        while (text.size() < length) {
            if (digits) {
                text.push_back(static_cast<char16_t>(u'0' + below(10)));
            } else if (below(8) == 0) {
                text += Astral[below(std::size(Astral))];
            } else {
                text.push_back(property::Keys[below(std::size(property::Keys))]);
            }
        }
        return text;
    }

    std::mt19937_64 random_;
    std::mt19937_64 notices_;
};

// Plays sessions of property::ActionsPerSession actions, seed after seed, on
// one window for the whole length, samples memory, prints every sample and
// the summary, and returns the samples.
inline std::vector<Sample> run(SessionTarget& target, const char* where,
                               const Settings& settings = Settings::fromEnvironment()) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto minutes = [&] {
        return std::chrono::duration<double, std::ratio<60>>(Clock::now() - start).count();
    };
    std::vector<Sample> samples;
    std::size_t actions = 0;
    std::size_t notices = 0;
    std::size_t ticksUnderNotices = 0;
    const auto sample = [&] {
        notices += static_cast<std::size_t>(target.takeNoticeCount());
        samples.push_back({minutes(), actions, notices, sampleProcessMemory()});
        const Sample& s = samples.back();
        std::printf("sample %.2f min, %zu actions, %zu notices, %ld kB resident", s.minutes,
                    s.actions, s.notices, s.memory.residentKb);
        if (s.memory.gdiObjects >= 0) {
            std::printf(", %ld GDI, %ld USER objects", s.memory.gdiObjects, s.memory.userObjects);
        }
        std::printf("\n");
        std::fflush(stdout);
    };

    std::printf("long run on %s: %lld min, warm-up %lld min, a sample every %zu actions\n", where,
                static_cast<long long>(settings.length.count()),
                static_cast<long long>(settings.warmUp.count()), settings.sampleEvery);
    sample();
    for (std::uint64_t seed = settings.firstSeed; Clock::now() - start < settings.length; ++seed) {
        HeavySession session(seed);
        target.whileNoticeOpen([&] {
            const std::size_t ticks = session.planNotice(target);
            for (std::size_t i = 0; i < ticks; ++i) {
                target.tick();
                ++ticksUnderNotices;
            }
        });
        for (std::size_t i = 0;
             i < property::ActionsPerSession && Clock::now() - start < settings.length; ++i) {
            session.playNext(target);
            ++actions;
            target.rest(settings.pause);
            if (actions % settings.sampleEvery == 0) {
                sample();
            }
        }
    }
    target.whileNoticeOpen({});
    sample();

    const auto at = [&](double minute) {
        for (const Sample& s : samples) {
            if (s.minutes >= minute) {
                return s;
            }
        }
        return samples.back();
    };
    const Sample& last = samples.back();
    const double warmUp = static_cast<double>(settings.warmUp.count());
    std::printf("summary on %s: %.1f min, %zu actions, %zu notices, %zu ticks under notices\n"
                "  resident %ld kB at start, %ld kB at 2 min, %ld kB at the end\n"
                "  slope after %.0f min of warm-up: %.1f kB/min (least squares), %.1f kB/min "
                "(median); over the second half: %.1f kB/min (least squares)\n",
                where, last.minutes, last.actions, last.notices, ticksUnderNotices,
                samples.front().memory.residentKb, at(2.0).memory.residentKb,
                last.memory.residentKb, warmUp, slopeKbPerMinute(samples, warmUp),
                medianSlopeKbPerMinute(samples, warmUp),
                slopeKbPerMinute(samples, last.minutes / 2));
    if (last.memory.gdiObjects >= 0) {
        std::printf("  GDI objects %ld at 2 min, %ld at the end; USER objects %ld, %ld\n",
                    at(2.0).memory.gdiObjects, last.memory.gdiObjects, at(2.0).memory.userObjects,
                    last.memory.userObjects);
    }
    std::fflush(stdout);
    return samples;
}

} // namespace tintora::testing::long_run
