// The fixed properties of the window's controls, set when the window is
// designed and never changed: how many channel rows there are, a slider's
// range, a box's MaxLength and Timer1's interval. The logic's widget contract
// and every realisation take them from here.
#pragma once

#include <cstdint>

namespace tintora {

inline constexpr std::int16_t ChannelCount = 3; // rows: 0 red, 1 green, 2 blue
inline constexpr int SliderMin = 0;             // HScroll1
inline constexpr int SliderMax = 255;
inline constexpr int DecimalMaxLength = 3; // Text1
inline constexpr int HexMaxLength = 2;     // Text2
inline constexpr int TimerIntervalMs = 50; // Timer1
// The preview shows that it has the focus with a dotted outline this many
// pixels wide, just inside its frame; the mixed colour fills all within it.
inline constexpr int PreviewFocusOutline = 1;

// In which radix a box shows its number: Text1 decimal, Text2 hexadecimal.
enum class Radix { None, Decimal, Hexadecimal };

} // namespace tintora
