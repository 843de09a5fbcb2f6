// The behaviour scenarios and the widget contract, on the real Qt widgets.
#include "qt_driver.h"
#include "scenarios/mixer_scenarios.h"
#include "scenarios/widget_contract.h"

#include <QLineEdit>
#include <QScrollBar>

namespace tintora::testing {
namespace {

class QtRig : public EventRecord {
public:
    QtRig() {
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            QObject::connect(window_.decimalBox(i), &QLineEdit::textChanged, &window_,
                             [this, i] { textChanged(widgets_, TextGroup::Text1, i); });
            QObject::connect(window_.hexBox(i), &QLineEdit::textChanged, &window_,
                             [this, i] { textChanged(widgets_, TextGroup::Text2, i); });
            QObject::connect(window_.slider(i), &QScrollBar::valueChanged, &window_,
                             [this, i] { valueChanged(widgets_, i); });
        }
    }
    MixerWidgets& widgets() { return widgets_; }

private:
    MixerWindow window_;
    QtMixerWidgets widgets_{window_};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WidgetContract, QtRig);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, MixerScenarios, QtDriver);

} // namespace tintora::testing
