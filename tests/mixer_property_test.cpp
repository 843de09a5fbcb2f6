// The property run on the in-memory window: many actions, a few seconds.
//
//   TINTORA_PROPERTY_ACTIONS=N   actions over all sessions (default 100000)
//   TINTORA_PROPERTY_SEED=S      replays session S alone, as reported on failure
#include "scenarios/property_sessions.h"

namespace tintora::testing {
namespace {

TEST(InMemoryProperty, RandomUserSessionsKeepTheInvariants) {
    property::run(property::fromEnvironment("TINTORA_PROPERTY_ACTIONS").value_or(100'000));
}

} // namespace
} // namespace tintora::testing
