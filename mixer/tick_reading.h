// What a tick makes of the three decimal texts, and the cache that lets an
// idle tick skip reading them as numbers again.
#pragma once

#include "mixer/mixer_widgets.h"

#include <array>
#include <cstdint>
#include <optional>

namespace tintora {

using DecimalTexts = std::array<Text, ChannelCount>;

// The colour, or else the channel whose box fails: the first in the order
// blue, green, red that does not read, else the first outside 0..255.
struct TickReading {
    std::optional<Colour> colour;
    std::optional<std::int16_t> failingChannel; // set exactly when there is no colour
};

[[nodiscard]] TickReading readTick(const DecimalTexts& texts);

// The reading a tick last made and the decimal texts it came from. A reading
// depends on nothing else, so an idle tick that finds the same texts reuses it.
class TickReadingCache {
public:
    [[nodiscard]] const TickReading& of(const DecimalTexts& texts);

private:
    std::optional<DecimalTexts> texts_;
    TickReading reading_;
};

} // namespace tintora
