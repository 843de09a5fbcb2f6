// The layout's unit: a twip is 1/1440 inch, 15 of them a pixel at 96 dots per
// inch. The table's numbers are all multiples of 15, so at 96 DPI no rounding
// ever takes place.
#pragma once

namespace tintora {

inline constexpr int BaseDpi = 96;
inline constexpr int TwipsPerInch = 1440;

// Rounded to the nearest pixel, as MulDiv does.
[[nodiscard]] constexpr int twipsToPixels(int twips, int dpi = BaseDpi) {
    return (twips * dpi + TwipsPerInch / 2) / TwipsPerInch;
}

} // namespace tintora
