// Where a realisation puts its controls, and how it finds them again: the
// layout table in pixels at a window's DPI, with each label fitted to its
// text, and a toolkit's controls looked up by name and index.
#pragma once

#include "layout/layout_table.h"
#include "layout/twips.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace tintora {

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
};

[[nodiscard]] constexpr PixelRect pixelRect(const ControlRow& row, int dpi = BaseDpi) {
    return {twipsToPixels(row.left, dpi), twipsToPixels(row.top, dpi),
            twipsToPixels(row.width, dpi), twipsToPixels(row.height, dpi)};
}

// Places every control of the table at `dpi`, in table order, with
// `place(row, rect)`. A label is fitted first: `fitLabel(row, left,
// windowWidth)` gives it the font in which its text ends inside the window
// (label_fit.h) and returns the width the text needs, to which a label
// narrower in the table grows.
template <typename FitLabel, typename Place>
void placeControls(int dpi, FitLabel&& fitLabel, Place&& place) {
    const int windowWidth = twipsToPixels(formRow.clientWidth, dpi);
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        PixelRect rect = pixelRect(layoutTable[row], dpi);
        if (layoutTable[row].controlClass == ControlClass::Label) {
            rect.width = std::max(rect.width, fitLabel(row, rect.left, windowWidth));
        }
        place(row, rect);
    }
}

// The control realising the row `name` (element `index`), among a toolkit's
// controls kept in table order; an empty Control where the table has no such row.
template <typename Control>
[[nodiscard]] Control controlOf(const std::vector<Control>& controls, std::string_view name,
                                int index) {
    const auto row = rowOf(name, index);
    return row ? controls.at(*row) : Control{};
}

} // namespace tintora
