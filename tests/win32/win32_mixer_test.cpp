// The behaviour scenarios and the widget contract, on the real Win32 window.
#include "scenarios/mixer_scenarios.h"
#include "scenarios/user_steps.h"
#include "scenarios/widget_contract.h"
#include "win32_testing/win32_player.h"

namespace tintora::testing {
namespace {

class RecordedWin32Widgets : public EventRecord {
public:
    RecordedWin32Widgets() {
        window_.timer().schedule().setManualForTesting(true);
        window_.bind(recording(widgets_));
    }
    MixerWidgets& widgets() { return widgets_; }

private:
    win32::Win32MixerWindow window_;
    win32::Win32MixerWidgets widgets_{window_};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WidgetContract, RecordedWin32Widgets);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, MixerScenarios, UserSteps<Win32Player>);

} // namespace tintora::testing
