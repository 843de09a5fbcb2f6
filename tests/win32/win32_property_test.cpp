// The property run on the real Win32 window: the first sessions of the
// in-memory run, action for action, played with window messages. What the
// model cannot show is checked here: the native edit and scroll bar controls
// (key handling, paste, the length limit, scroll requests) nesting with the
// handlers' assignments.
//
//   TINTORA_WINDOW_PROPERTY_SESSIONS=N   sessions to play (default 5: every
//                                        notice is a real message box, and
//                                        30 sessions take three minutes)
//   TINTORA_PROPERTY_SEED=S              replays session S alone
#include "scenarios/property_sessions.h"
#include "win32_driver.h"

#include <cstdlib>

namespace tintora::testing {
namespace {

TEST(Win32Property, RandomUserSessionsKeepTheInvariants) {
    const char* sessions = std::getenv("TINTORA_WINDOW_PROPERTY_SESSIONS");
    const int count = sessions != nullptr ? std::atoi(sessions) : 0;
    property::run<Win32Driver>("the Win32 window", static_cast<std::size_t>(count > 0 ? count : 5) *
                                                       property::ActionsPerSession);
}

} // namespace
} // namespace tintora::testing
