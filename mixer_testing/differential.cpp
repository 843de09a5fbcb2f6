#include "mixer_testing/differential.h"

#include "mixer_testing/in_memory_window.h"
#include "mixer_testing/printable_text.h"
#include "mixer_testing/user_sessions.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <sstream>
#include <string_view>

namespace tintora::testing::differential {
namespace {

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
