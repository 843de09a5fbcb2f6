// How a label's text is kept inside the window. The table's label widths were
// drawn for a smaller font than most desktops use: a label whose text needs
// more room grows to the right, and the window clips what passes its edge;
// where that edge would still cut the text, the label's font steps down until
// the text ends inside. Each toolkit measures its own text.
#pragma once

#include <algorithm>

namespace tintora {

inline constexpr double SmallestLabelPointSize = 6.0;
inline constexpr double LabelPointSizeStep = 0.5;

// The font size, in points, for a label whose text starts at `left` in a
// window `windowWidth` wide: `pointSize` where the text ends inside, else the
// largest step below it at which it does, but never below the smallest size.
// `textWidth(points)` is the text's width in the label's font at that size, in
// the unit of `left` and `windowWidth`.
template <typename TextWidth>
[[nodiscard]] double fittedPointSize(int left, int windowWidth, double pointSize,
                                     TextWidth&& textWidth) {
    while (pointSize > SmallestLabelPointSize && left + textWidth(pointSize) > windowWidth) {
        pointSize = std::max(SmallestLabelPointSize, pointSize - LabelPointSizeStep);
    }
    return pointSize;
}

} // namespace tintora
