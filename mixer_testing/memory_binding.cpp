#include "mixer_testing/memory_binding.h"

namespace tintora {

void bindMemoryWidgets(MemoryWidgets& widgets, Form1& form) {
    widgets.bind({
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

} // namespace tintora
