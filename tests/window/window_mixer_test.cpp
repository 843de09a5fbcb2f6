// The behaviour scenarios and the widget contract, on the real Qt widgets.
#include "qt_driver.h"
#include "scenarios/mixer_scenarios.h"
#include "scenarios/widget_contract.h"

#include <QLineEdit>
#include <QScrollBar>

namespace tintora::testing {
namespace {

class QtRig {
public:
    QtRig() {
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            QObject::connect(window_.decimalBox(i), &QLineEdit::textChanged, &window_,
                             [this, i](const QString& text) {
                                 record(describeEvent("Text1", i, text.toStdU16String()));
                             });
            QObject::connect(window_.hexBox(i), &QLineEdit::textChanged, &window_,
                             [this, i](const QString& text) {
                                 record(describeEvent("Text2", i, text.toStdU16String()));
                             });
            QObject::connect(
                window_.slider(i), &QScrollBar::valueChanged, &window_, [this, i](int value) {
                    record(describeEvent("HScroll1", i, QString::number(value).toStdU16String()));
                });
        }
    }
    MixerWidgets& widgets() { return widgets_; }
    std::vector<std::string>& events() { return events_; }
    void onChange(std::function<void(const std::string&)> hook) { hook_ = std::move(hook); }

private:
    void record(const std::string& event) {
        events_.push_back(event);
        if (hook_) {
            hook_(event);
        }
    }
    MixerWindow window_;
    QtMixerWidgets widgets_{window_};
    std::vector<std::string> events_;
    std::function<void(const std::string&)> hook_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WidgetContract, QtRig);
INSTANTIATE_TYPED_TEST_SUITE_P(Qt, MixerScenarios, QtDriver);

} // namespace tintora::testing
