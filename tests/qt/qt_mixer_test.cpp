// The behaviour scenarios and the widget contract, on the real Qt widgets.
#include "qt_testing/qt_player.h"
#include "scenarios/mixer_scenarios.h"
#include "scenarios/user_steps.h"
#include "scenarios/widget_contract.h"

namespace tintora::testing {
namespace {

class RecordedQtWidgets : public EventRecord {
public:
    RecordedQtWidgets() { window_.bind(recording(widgets_)); }
    MixerWidgets& widgets() { return widgets_; }

private:
    qt::QtMixerWindow window_;
    qt::QtMixerWidgets widgets_{window_};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WidgetContract, RecordedQtWidgets);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, MixerScenarios, UserSteps<QtPlayer>);

} // namespace tintora::testing
