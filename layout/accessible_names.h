// The names a screen reader speaks for the window's inputs: the channel and
// what the control is ("红 十进制", "绿 十六进制", "蓝 滑块"), and the preview's.
// The labels lie beside or below the controls they name, so no toolkit can
// take a control's name from them. Both windows give these names.
#pragma once

#include "layout/layout_table.h"

#include <array>
#include <string>
#include <string_view>

namespace tintora {

// UTF-8, for a control of the layout table; empty for the labels, which a
// screen reader reads as they are.
[[nodiscard]] inline std::string accessibleName(const ControlRow& row) {
    constexpr std::array<std::string_view, ChannelCount> channels{"红", "绿", "蓝"};
    const auto named = [&](std::string_view kind) {
        return std::string(channels.at(static_cast<std::size_t>(row.index))) + ' ' +
               std::string(kind);
    };
    switch (row.controlClass) {
    case ControlClass::TextBox:
        return named(row.radix == Radix::Decimal ? "十进制" : "十六进制");
    case ControlClass::HScrollBar:
        return named("滑块");
    case ControlClass::PictureBox:
        return "颜色预览";
    case ControlClass::Label:
        break;
    }
    return {};
}

} // namespace tintora
