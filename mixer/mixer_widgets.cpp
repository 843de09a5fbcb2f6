#include "mixer/mixer_widgets.h"

#include "mixer/failure.h"

namespace tintora {

std::int16_t MixerWidgets::checked(std::int16_t index) {
    if (index < 0 || index >= ChannelCount) {
        throw Failure{};
    }
    return index;
}

Text MixerWidgets::text(TextGroup group, std::int16_t index) const {
    return heldText(group, checked(index));
}

void MixerWidgets::setText(TextGroup group, std::int16_t index, std::u16string_view text) {
    const std::u16string_view cut = cutToLength(text, maxLength(group));
    // The same text again changes nothing: no Change, and the caret and
    // selection stay where the user left them.
    if (cut != heldText(group, checked(index))) {
        assignText(group, index, cut);
    }
}

std::int16_t MixerWidgets::value(std::int16_t index) const {
    return heldValue(checked(index));
}

void MixerWidgets::setValue(std::int16_t index, std::int16_t value) {
    checked(index);
    if (value < SliderMin || value > SliderMax) {
        throw Failure{}; // refused, where a toolkit's slider would clamp it and report a change
    }
    if (value != heldValue(index)) {
        assignValue(index, value);
    }
}

} // namespace tintora
