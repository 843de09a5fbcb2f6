// What the mixer logic needs of its widgets. Every realisation (in memory for
// tests, on Qt widgets, on Win32 controls) keeps these rules; the ones that
// need no toolkit are kept here, once, and a realisation fills in only the
// protected hooks below:
//  - an index outside 0..2 is a Failure in every operation;
//  - setText first cuts the text to the box's MaxLength (3 for a decimal box,
//    2 for a hexadecimal box), then hands it on. MaxLength counts UTF-16
//    units, and the cut never splits a surrogate pair: a character that does
//    not fit whole is dropped whole (cutToLength);
//  - setValue refuses a value outside 0..255 with a Failure and keeps the old
//    value;
//  - setText and setValue raise the widget's Change synchronously, before they
//    return (the hooks' part: a toolkit raises its own change events), and
//    only when the stored text or value really changes: the same text or
//    value again reaches no hook, so it raises nothing and leaves a box's
//    caret and selection where the user left them;
//  - giving the widgets their initial values raises nothing;
//  - after setText has changed a box, the typing position stands after the
//    new text, so keys typed on after a handler has rewritten the box keep
//    their order.
#pragma once

#include "conversions/channel_conversions.h"
#include "layout/control_properties.h"
#include "mixer/surrogate_pairs.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tintora {

using Text = std::u16string;
using Colour = std::uint32_t; // 0x00BBGGRR

// The two groups of boxes, one element per channel (0 red, 1 green, 2 blue).
enum class TextGroup { Text1, Text2 }; // decimal, hexadecimal

// A slider spans exactly one colour component.
static_assert(SliderMin == ComponentMin && SliderMax == ComponentMax);

[[nodiscard]] constexpr TextGroup groupOf(Radix radix) {
    return radix == Radix::Decimal ? TextGroup::Text1 : TextGroup::Text2;
}

[[nodiscard]] constexpr int maxLength(TextGroup group) {
    return group == TextGroup::Text1 ? DecimalMaxLength : HexMaxLength;
}

class MixerWidgets {
public:
    virtual ~MixerWidgets() = default;

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) const;
    void setText(TextGroup group, std::int16_t index, std::u16string_view text);

    [[nodiscard]] std::int16_t value(std::int16_t index) const; // HScroll1
    void setValue(std::int16_t index, std::int16_t value);

    virtual void setBackColor(Colour colour) = 0; // Picture1

    // Timer1 starts enabled with the window. Form1 disables it while a tick
    // could change nothing; a disabled timer raises no Timer event. Enabling
    // an enabled timer keeps it as it is, or arms a clock that could not be
    // armed before.
    virtual void setTimerEnabled(bool enabled) = 0;

    // Modal: returns once the user has dismissed the notice.
    virtual void showNotice(std::u16string_view prompt, std::u16string_view title) = 0;

protected:
    MixerWidgets() = default;
    MixerWidgets(const MixerWidgets&) = delete;
    MixerWidgets& operator=(const MixerWidgets&) = delete;

    // `index`, or a Failure when it is outside 0..2.
    static std::int16_t checked(std::int16_t index);

    // The toolkit's side, always with an index in 0..2.
    [[nodiscard]] virtual Text heldText(TextGroup group, std::int16_t index) const = 0;
    // `text` is already cut to the box's MaxLength and differs from what the
    // box holds.
    virtual void assignText(TextGroup group, std::int16_t index, std::u16string_view text) = 0;
    [[nodiscard]] virtual std::int16_t heldValue(std::int16_t index) const = 0;
    // `value` is already within 0..255 and differs from the slider's.
    virtual void assignValue(std::int16_t index, std::int16_t value) = 0;
};

} // namespace tintora
