#include "long_run.h"

#include "mixer_testing/differential.h"
#include "mixer_testing/user_sessions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace tintora::bench::long_run {
namespace {

std::uint64_t fromEnvironment(const char* name, std::uint64_t otherwise) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoull(value, nullptr, 10) : otherwise;
}

void print(const Sample& s) {
    std::printf("sample %.2f min, %zu actions, %zu notices, %ld kB resident", s.minutes, s.actions,
                s.notices, s.memory.residentKb);
    if (s.memory.gdiObjects >= 0) {
        std::printf(", %ld GDI, %ld USER objects", s.memory.gdiObjects, s.memory.userObjects);
    }
    std::printf("\n");
    std::fflush(stdout);
}

} // namespace

Settings Settings::fromEnvironment() {
    Settings s;
    s.length = std::chrono::minutes(
        long_run::fromEnvironment("TINTORA_LONG_RUN_MINUTES", s.length.count()));
    s.warmUp = std::chrono::minutes(
        long_run::fromEnvironment("TINTORA_LONG_RUN_WARMUP_MINUTES", s.warmUp.count()));
    s.sampleEvery = long_run::fromEnvironment("TINTORA_LONG_RUN_SAMPLE_ACTIONS", s.sampleEvery);
    s.pause = std::chrono::milliseconds(
        long_run::fromEnvironment("TINTORA_LONG_RUN_PAUSE_MS", s.pause.count()));
    s.firstSeed = long_run::fromEnvironment("TINTORA_LONG_RUN_SEED", s.firstSeed);
    return s;
}

double slopeKbPerMinute(const std::vector<Sample>& samples, double from) {
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

double medianSlopeKbPerMinute(const std::vector<Sample>& samples, double from) {
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

std::vector<Sample> run(const Window& window, const std::string& where, const Settings& settings) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto minutes = [&] {
        return std::chrono::duration<double, std::ratio<60>>(Clock::now() - start).count();
    };
    const auto timeLeft = [&] { return Clock::now() - start < settings.length; };
    std::vector<Sample> samples;
    std::size_t actions = 0;
    std::size_t notices = 0;
    std::size_t openNotices = 0;
    std::size_t ticksUnderNotices = 0;
    const auto sample = [&] {
        window.forgetNotices();
        samples.push_back({minutes(), actions, notices, sampleProcessMemory()});
        print(samples.back());
    };

    // Sessions as long as the differential's, drawn one after another as the
    // run needs them; each action is moved out of its session as it is
    // played, since playing it may draw the next session.
    std::uint64_t seed = settings.firstSeed;
    std::vector<testing::UserAction> session;
    std::size_t next = 0;
    const auto playNext = [&] {
        if (next == session.size()) {
            session = testing::randomSession(seed++, testing::differential::ActionsPerSession,
                                             testing::Texts::Heavy);
            next = 0;
        }
        const testing::UserAction action = std::move(session[next++]);
        ticksUnderNotices += openNotices > 0 && action.kind == testing::UserAction::Kind::Tick;
        if (action.kind == testing::UserAction::Kind::Copy) {
            window.copy(action.text);
        } else {
            window.player.play(action);
        }
        ++actions;
        window.rest(settings.pause);
        if (actions % settings.sampleEvery == 0) {
            sample();
        }
    };

    std::printf("long run on %s: %lld min, warm-up %lld min, a sample every %zu actions\n",
                where.c_str(), static_cast<long long>(settings.length.count()),
                static_cast<long long>(settings.warmUp.count()), settings.sampleEvery);
    sample();
    // Inside each notice's modal loop the actions go on, as the differential
    // plays them (differential::replay), until one answers it.
    window.player.whileNoticeOpen([&] {
        ++notices;
        ++openNotices;
        while (timeLeft() && window.player.noticeOpen()) {
            playNext();
        }
        --openNotices;
    });
    while (timeLeft()) {
        playNext();
    }
    window.player.whileNoticeOpen({});
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
                where.c_str(), last.minutes, last.actions, last.notices, ticksUnderNotices,
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

} // namespace tintora::bench::long_run
