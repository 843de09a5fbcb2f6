#include "mixer/tick_reading.h"

namespace tintora {

TickReading readTick(const DecimalTexts& texts) {
    std::array<std::int16_t, ChannelCount> components{};
    for (const std::int16_t channel : {2, 1, 0}) { // blue, green, red
        const auto number = StrictNumber(texts[channel]);
        const auto floored = number ? FloorToInt16(*number) : std::nullopt;
        if (!floored) {
            return {std::nullopt, channel};
        }
        components[channel] = *floored;
    }
    if (const auto colour = PackColour(components[0], components[1], components[2])) {
        return {*colour, std::nullopt};
    }
    for (const std::int16_t channel : {2, 1, 0}) {
        if (components[channel] < SliderMin || components[channel] > SliderMax) {
            return {std::nullopt, channel};
        }
    }
    return {std::nullopt, std::int16_t{0}}; // a packing that fails in range: red, as for no channel
}

const TickReading& TickReadingCache::of(const DecimalTexts& texts) {
    if (texts_ != texts) {
        texts_ = texts;
        reading_ = readTick(texts);
    }
    return reading_;
}

} // namespace tintora
