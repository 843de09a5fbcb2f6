#include "mixer/mixer_events.h"

#include "mixer/form1.h"

namespace tintora {

MixerEvents handlersOf(Form1& form) {
    return {
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
    };
}

} // namespace tintora
