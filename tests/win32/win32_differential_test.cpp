// The Win32 window against the in-memory window, action by action, with the
// window messages the system posts for a user's input (under Wine).
#include "scenarios/differential_runs.h"
#include "win32_testing/win32_player.h"

namespace tintora::testing {
namespace {

TEST(Win32Differential, EveryActionShowsWhatTheInMemoryWindowShows) {
    differential::runSessions("Win32", [] { return std::make_unique<Win32Player>(); });
}

} // namespace
} // namespace tintora::testing
