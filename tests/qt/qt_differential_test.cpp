// The Qt window against the in-memory window, action by action, with Qt's
// own input path (on the offscreen platform, and again on a Wayland
// compositor).
#include "qt_testing/qt_player.h"
#include "scenarios/differential_runs.h"

namespace tintora::testing {
namespace {

TEST(QtDifferential, EveryActionShowsWhatTheInMemoryWindowShows) {
    differential::runSessions("Qt", [] { return std::make_unique<QtPlayer>(); });
}

} // namespace
} // namespace tintora::testing
