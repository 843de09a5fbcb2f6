// The behaviour scenarios and the widget contract, on the real Qt widgets.
#include "qt_driver.h"
#include "scenarios/mixer_scenarios.h"
#include "scenarios/widget_contract.h"

namespace tintora::testing {
namespace {

class QtRig : public EventRecord {
public:
    QtRig() { window_.bind(recording(widgets_)); }
    MixerWidgets& widgets() { return widgets_; }

private:
    QtMixerWindow window_;
    QtMixerWidgets widgets_{window_};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WidgetContract, QtRig);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, MixerScenarios, QtDriver);

} // namespace tintora::testing
