// The behaviour scenarios and the widget contract, on the real Win32 window.
#include "scenarios/mixer_scenarios.h"
#include "scenarios/widget_contract.h"
#include "win32_driver.h"

namespace tintora::testing {
namespace {

class Win32Rig : public EventRecord {
public:
    Win32Rig() {
        window_.timer().schedule().setManualForTesting(true);
        window_.bind(recording(widgets_));
    }
    MixerWidgets& widgets() { return widgets_; }

private:
    win32::Win32MixerWindow window_;
    win32::Win32MixerWidgets widgets_{window_};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WidgetContract, Win32Rig);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, MixerScenarios, Win32Driver);

} // namespace tintora::testing
