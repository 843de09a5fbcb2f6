// The names a screen reader speaks for the window's inputs: the channel and
// what the control is ("红 十进制", "绿 十六进制", "蓝 滑块"), and the preview's.
// The labels lie beside or below the controls they name, so no toolkit can
// take a control's name from them. Both windows give these names.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tintora {

// UTF-8, for the control of the layout table with this name and index; empty
// for the labels, which a screen reader reads as they are.
[[nodiscard]] inline std::string accessibleName(std::string_view control, int index) {
    constexpr std::array<std::string_view, 3> channels{"红", "绿", "蓝"};
    const auto named = [&](std::string_view kind) {
        return std::string(channels.at(static_cast<std::size_t>(index))) + ' ' + std::string(kind);
    };
    if (control == "Text1") {
        return named("十进制");
    }
    if (control == "Text2") {
        return named("十六进制");
    }
    if (control == "HScroll1") {
        return named("滑块");
    }
    if (control == "Picture1") {
        return "颜色预览";
    }
    return {};
}

} // namespace tintora
