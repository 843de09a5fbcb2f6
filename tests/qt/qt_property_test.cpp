// The property run on the real window: the first sessions of the in-memory
// run, action for action, played with real key, mouse and drag events. What
// the model cannot show is checked here: Qt's own edits (key handling, paste,
// maxLength, slider drags and keys) nesting with the handlers' assignments.
//
//   TINTORA_WINDOW_PROPERTY_SESSIONS=N   sessions to play (default 30)
//   TINTORA_PROPERTY_SEED=S              replays session S alone
#include "qt_driver.h"
#include "scenarios/property_sessions.h"

namespace tintora::testing {
namespace {

TEST(WindowProperty, RandomUserSessionsKeepTheInvariants) {
    const int sessions = qEnvironmentVariableIntValue("TINTORA_WINDOW_PROPERTY_SESSIONS");
    property::run<QtDriver>("the real window",
                            static_cast<std::size_t>(sessions > 0 ? sessions : 30) *
                                property::ActionsPerSession);
}

} // namespace
} // namespace tintora::testing
