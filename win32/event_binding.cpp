#include "win32/event_binding.h"

#include "mixer/form1.h"
#include "win32/mixer_window.h"

namespace tintora::win32 {

void bindEvents(MixerWindow& window, Form1& form) {
    window.bind({
        .change =
            [&form](TextGroup group, std::int16_t index) {
                if (group == TextGroup::Text1) {
                    form.Text1_Change(index);
                } else {
                    form.Text2_Change(index);
                }
            },
        .click = [&form](std::int16_t index) { form.Text1_Click(index); },
        .scroll = [&form](std::int16_t index) { form.HScroll1_Change(index); },
        .timer = [&form] { form.Timer1_Timer(); },
    });
}

} // namespace tintora::win32
