// The behaviour scenarios and the widget contract, on the real Win32 window.
#include "scenarios/mixer_scenarios.h"
#include "scenarios/widget_contract.h"
#include "win32_driver.h"

namespace tintora::testing {
namespace {

class Win32Rig {
public:
    Win32Rig() {
        window_.setManualTicks(true);
        window_.bind({
            .change =
                [this](TextGroup group, std::int16_t index) {
                    record(describeEvent(group == TextGroup::Text1 ? "Text1" : "Text2", index,
                                         widgets_.text(group, index)));
                },
            .scroll =
                [this](std::int16_t index) {
                    const std::string value = std::to_string(widgets_.value(index));
                    record(describeEvent("HScroll1", index,
                                         std::u16string(value.begin(), value.end())));
                },
        });
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
    win32::MixerWindow window_;
    win32::Win32MixerWidgets widgets_{window_};
    std::vector<std::string> events_;
    std::function<void(const std::string&)> hook_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Win32, WidgetContract, Win32Rig);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, MixerScenarios, Win32Driver);

} // namespace tintora::testing
