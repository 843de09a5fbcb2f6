// The layout of the mixer's one window, as data: every control with its
// position and size in twips (1/1440 inch), its content and its place in the
// tab order. Each window realisation (QtMixerWindow, Win32MixerWindow) builds
// its controls from it; the logic only ever refers to the controls by name
// and index. No toolkit here.
#pragma once

#include "layout/control_properties.h"
#include "layout/twips.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace tintora {

enum class ControlClass { PictureBox, TextBox, HScrollBar, Label };

struct ControlRow {
    std::string_view name; // Picture1, Text1, HScroll1, Label1 ...
    ControlClass controlClass;
    int index; // element of a control group; -1 for a single control
    int left;
    int top;
    int width;
    int height;
    std::string_view content; // UTF-8: a box's text or a label's caption
    int maxLength;            // boxes only; 0 elsewhere
    Radix radix;              // boxes only; None elsewhere
    int tabIndex;
};

struct FormRow {
    std::string_view caption;
    int clientWidth;
    int clientHeight;
};

inline constexpr FormRow formRow{"Tintora1.1", 5235, 3855};
// The client area in pixels at 96 dots per inch (349 x 257).
inline constexpr int clientWidthPixels = twipsToPixels(formRow.clientWidth);
inline constexpr int clientHeightPixels = twipsToPixels(formRow.clientHeight);

// In tab order.
inline constexpr std::array<ControlRow, 22> layoutTable{{
    {"Picture1", ControlClass::PictureBox, -1, 0, 0, 3255, 2175, "", 0, Radix::None, 0},
    {"Text1", ControlClass::TextBox, 0, 3720, 2280, 495, 285, "0", 3, Radix::Decimal, 1},
    {"Text1", ControlClass::TextBox, 1, 3720, 2640, 495, 285, "0", 3, Radix::Decimal, 2},
    {"Text1", ControlClass::TextBox, 2, 3720, 3000, 495, 285, "0", 3, Radix::Decimal, 3},
    {"HScroll1", ControlClass::HScrollBar, 0, 360, 2280, 3255, 255, "", 0, Radix::None, 4},
    {"HScroll1", ControlClass::HScrollBar, 1, 360, 2640, 3255, 255, "", 0, Radix::None, 5},
    {"HScroll1", ControlClass::HScrollBar, 2, 360, 3000, 3255, 255, "", 0, Radix::None, 6},
    {"Label1", ControlClass::Label, -1, 0, 2280, 375, 255, "红", 0, Radix::None, 7},
    {"Label2", ControlClass::Label, -1, 0, 2640, 375, 255, "绿", 0, Radix::None, 8},
    {"Label3", ControlClass::Label, -1, 0, 3000, 375, 255, "蓝", 0, Radix::None, 9},
    {"Label4", ControlClass::Label, -1, 3960, 0, 855, 255, "欢迎使用", 0, Radix::None, 10},
    {"Label5", ControlClass::Label, -1, 3720, 840, 1455, 255, "程序开发：Morlan", 0, Radix::None,
     11},
    {"Label6", ControlClass::Label, -1, 3840, 480, 1215, 255, "Tintora1.1", 0, Radix::None, 12},
    {"Label7", ControlClass::Label, -1, 0, 3360, 3375, 255, "E-Mail:tintora@example.com", 0,
     Radix::None, 13},
    {"Label8", ControlClass::Label, -1, 3720, 1200, 1575, 255, "程序Bug在所难免", 0, Radix::None,
     14},
    {"Label9", ControlClass::Label, -1, 3720, 1560, 1695, 495, "请来信告诉我！", 0, Radix::None,
     15},
    {"Text2", ControlClass::TextBox, 0, 4440, 2280, 495, 270, "0", 2, Radix::Hexadecimal, 16},
    {"Text2", ControlClass::TextBox, 1, 4440, 2640, 495, 270, "0", 2, Radix::Hexadecimal, 17},
    {"Text2", ControlClass::TextBox, 2, 4440, 3000, 495, 270, "0", 2, Radix::Hexadecimal, 18},
    {"Label10", ControlClass::Label, -1, 3720, 2040, 735, 255, "十进制", 0, Radix::None, 19},
    {"Label11", ControlClass::Label, -1, 4440, 2040, 975, 255, "十六进制", 0, Radix::None, 20},
    {"Label12", ControlClass::Label, -1, 0, 3600, 4455, 255, "主页:https://www.example.com/tintora",
     0, Radix::None, 21},
}};

// The row of the control `name` (element `index` of a group, -1 for a single
// control), or nothing when the table has no such control.
[[nodiscard]] constexpr std::optional<std::size_t> rowOf(std::string_view name, int index = -1) {
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (layoutTable[row].name == name && layoutTable[row].index == index) {
            return row;
        }
    }
    return std::nullopt;
}

namespace layout_checks {

constexpr bool rowsAreInTabOrder() {
    for (std::size_t i = 0; i < layoutTable.size(); ++i) {
        if (layoutTable[i].tabIndex != static_cast<int>(i)) {
            return false;
        }
    }
    return true;
}

constexpr int countRows(std::string_view name) {
    int count = 0;
    for (const ControlRow& row : layoutTable) {
        count += row.name == name ? 1 : 0;
    }
    return count;
}

constexpr bool boxesHaveTheirRadixAndLength() {
    for (const ControlRow& row : layoutTable) {
        const Radix radix = row.name == "Text1"   ? Radix::Decimal
                            : row.name == "Text2" ? Radix::Hexadecimal
                                                  : Radix::None;
        const int length = radix == Radix::Decimal       ? DecimalMaxLength
                           : radix == Radix::Hexadecimal ? HexMaxLength
                                                         : 0;
        if (row.radix != radix || row.maxLength != length) {
            return false;
        }
    }
    return true;
}

} // namespace layout_checks

// Realisations create the controls in row order, so that the default focus
// chain is the table's tab order.
static_assert(layout_checks::rowsAreInTabOrder());
static_assert(layout_checks::countRows("Text1") == ChannelCount &&
              layout_checks::countRows("Text2") == ChannelCount &&
              layout_checks::countRows("HScroll1") == ChannelCount);
static_assert(layout_checks::boxesHaveTheirRadixAndLength());

} // namespace tintora
