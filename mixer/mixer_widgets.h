// What the mixer logic needs of its widgets. Every realisation (in memory for
// tests, on Qt widgets, on Win32 controls) keeps these rules:
//  - setText and setValue raise the widget's Change synchronously, before they
//    return, and only when the stored text or value really changes;
//  - setText first cuts the text to the box's MaxLength (3 for a decimal box,
//    2 for a hexadecimal box), then compares. MaxLength counts UTF-16 units,
//    and the cut never splits a surrogate pair: a character that does not
//    fit whole is dropped whole (cutToLength);
//  - setValue refuses a value outside 0..255 with a Failure and keeps the old
//    value;
//  - giving the widgets their initial values raises nothing;
//  - after setText the typing position stands after the new text, so keys
//    typed on after a handler has rewritten the box keep their order.
#pragma once

#include "conversions/channel_conversions.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tintora {

using Text = std::u16string;
using Colour = std::uint32_t; // 0x00BBGGRR

// The two groups of boxes, one element per channel (0 red, 1 green, 2 blue).
enum class TextGroup { Text1, Text2 }; // decimal, hexadecimal

// The widgets' fixed properties. Every realisation and the layout table take
// them from here.
inline constexpr std::int16_t ChannelCount = 3;
// A slider spans exactly one colour component.
inline constexpr int SliderMin = ComponentMin;
inline constexpr int SliderMax = ComponentMax;
inline constexpr int DecimalMaxLength = 3; // Text1
inline constexpr int HexMaxLength = 2;     // Text2
inline constexpr int TimerIntervalMs = 50; // Timer1

// When a timer that was disabled ticks first once enabled again: at the next
// point of the TimerIntervalMs grid that began as the window was made, so no
// tick comes later than it would from a timer that never stopped.
[[nodiscard]] constexpr int firstTickDelayMs(std::uint64_t sinceStartMs) {
    return TimerIntervalMs - static_cast<int>(sinceStartMs % TimerIntervalMs);
}

[[nodiscard]] constexpr int maxLength(TextGroup group) {
    return group == TextGroup::Text1 ? DecimalMaxLength : HexMaxLength;
}

// The longest start of `text` that fits in `length` UTF-16 units without
// leaving half of a surrogate pair behind.
[[nodiscard]] constexpr std::u16string_view cutToLength(std::u16string_view text, int length) {
    auto kept = std::min(text.size(), static_cast<std::size_t>(length));
    const auto highSurrogate = [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto lowSurrogate = [](char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    if (kept > 0 && kept < text.size() && highSurrogate(text[kept - 1]) &&
        lowSurrogate(text[kept])) {
        --kept;
    }
    return text.substr(0, kept);
}

class MixerWidgets {
public:
    virtual ~MixerWidgets() = default;

    // Index outside 0..2 is a Failure in every operation.
    [[nodiscard]] virtual Text text(TextGroup group, std::int16_t index) const = 0;
    virtual void setText(TextGroup group, std::int16_t index, std::u16string_view text) = 0;

    [[nodiscard]] virtual std::int16_t value(std::int16_t index) const = 0; // HScroll1
    virtual void setValue(std::int16_t index, std::int16_t value) = 0;

    virtual void setBackColor(Colour colour) = 0; // Picture1

    // Timer1 starts enabled with the window. Form1 disables it while a tick
    // could change nothing; a disabled timer raises no Timer event.
    virtual void setTimerEnabled(bool enabled) = 0;

    // Modal: returns once the user has dismissed the notice.
    virtual void showNotice(std::u16string_view prompt, std::u16string_view title) = 0;

protected:
    MixerWidgets() = default;
    MixerWidgets(const MixerWidgets&) = delete;
    MixerWidgets& operator=(const MixerWidgets&) = delete;
};

} // namespace tintora
