// Runs the differential (mixer_testing/differential.h) on one realisation as
// a test: a fixed set of seeded sessions, each on a fresh window, failing at
// the first session whose window differs from the in-memory one.
//
//   TINTORA_DIFFERENTIAL_SESSIONS=N     sessions to play (default 200)
//   TINTORA_DIFFERENTIAL_FIRST_SEED=S   the first session's seed (default 1)
//   TINTORA_DIFFERENTIAL_SEED=S         replays session S alone, as a failure reports
#pragma once

#include "mixer_testing/differential.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace tintora::testing::differential {

inline std::optional<std::uint64_t> numberFromEnvironment(const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    return std::strtoull(text, nullptr, 10);
}

inline void runSessions(const char* realisation, const MakePlayer& make) {
    const auto replay = numberFromEnvironment("TINTORA_DIFFERENTIAL_SEED");
    const std::uint64_t sessions =
        replay ? 1 : numberFromEnvironment("TINTORA_DIFFERENTIAL_SESSIONS").value_or(200);
    const std::uint64_t first =
        replay.value_or(numberFromEnvironment("TINTORA_DIFFERENTIAL_FIRST_SEED").value_or(1));
    std::size_t actions = 0;
    std::size_t observations = 0;
    std::uint64_t played = 0;
    for (std::uint64_t seed = first; seed < first + sessions; ++seed) {
        const SessionResult result = compareSession(seed, make);
        ++played;
        actions += result.actions;
        observations += result.observations;
        if (result.divergence) {
            ADD_FAILURE() << realisation << ": " << *result.divergence;
            break;
        }
    }
    std::printf("%s: %llu sessions from seed %llu, %zu actions, %zu observations compared with "
                "the in-memory window\n",
                realisation, static_cast<unsigned long long>(played),
                static_cast<unsigned long long>(first), actions, observations);
}

} // namespace tintora::testing::differential
