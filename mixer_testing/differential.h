// One program on every window: seeded random user sessions
// (user_sessions.h), played on the in-memory window, whose state after each
// action is what every realisation must show after the same action. Replayed
// on another player, a session's actions are played as they stand, whatever
// that window does.
//
// A difference is reported with the session's seed, the action after which
// it showed, and the shortest list of actions found that still shows one.
#pragma once

#include "mixer_testing/window_player.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tintora::testing::differential {

inline constexpr std::size_t ActionsPerSession = 50;

// What a player showed after an action: after the action returned, or from
// inside a notice it opened, in the order the observations came.
struct Observation {
    std::size_t action = 0;
    SeenWindow seen;
};
using Observations = std::vector<Observation>;

// Plays `actions` on `player`, observing after each. With `expected`, stops at
// the first observation that differs from it.
Observations replay(WindowPlayer& player, const std::vector<UserAction>& actions,
                    const Observations* expected = nullptr);

// What differs, as one line; empty when the two agree. The focus is not
// compared while a notice is open: the notice has it then.
[[nodiscard]] std::string difference(const SeenWindow& expected, const SeenWindow& seen);

using MakePlayer = std::function<std::unique_ptr<WindowPlayer>()>;

struct SessionResult {
    std::size_t actions = 0;
    std::size_t observations = 0;
    std::optional<std::string> divergence; // the report, when the player differed
};

// Plays session `seed` on the in-memory window and on a fresh player from
// `make`, and compares them after every action; on a difference, minimises
// the actions on fresh players.
[[nodiscard]] SessionResult compareSession(std::uint64_t seed, const MakePlayer& make,
                                           std::size_t length = ActionsPerSession);

} // namespace tintora::testing::differential
