// The property run on the in-memory widgets: many actions, a few seconds.
//
//   TINTORA_PROPERTY_ACTIONS=N   actions over all sessions (default 100000)
//   TINTORA_PROPERTY_SEED=S      replays session S alone, as reported on failure
#include "in_memory_driver.h"
#include "scenarios/property_sessions.h"

namespace tintora::testing {
namespace {

TEST(InMemoryProperty, RandomUserSessionsKeepTheInvariants) {
    property::run<InMemoryDriver>(
        "the in-memory widgets",
        property::fromEnvironment("TINTORA_PROPERTY_ACTIONS").value_or(100'000));
}

} // namespace
} // namespace tintora::testing
