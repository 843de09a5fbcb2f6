// The labels' fonts: the message font, or, for a label whose text the
// window's edge would cut, a smaller size of it (layout/label_fit.h). Holds
// the smaller fonts for as long as the labels use them.
#pragma once

#include <windows.h>

#include <vector>

namespace tintora::win32 {

class LabelFonts {
public:
    LabelFonts() = default;
    ~LabelFonts();
    LabelFonts(const LabelFonts&) = delete;
    LabelFonts& operator=(const LabelFonts&) = delete;

    // Gives `label`, whose text starts `left` pixels into a window
    // `windowWidth` wide, the font its text fits in, and returns the text's
    // width in that font.
    int fit(HWND label, HFONT messageFont, UINT dpi, int left, int windowWidth);
    void swap(LabelFonts& other) noexcept { fonts_.swap(other.fonts_); }

private:
    std::vector<HFONT> fonts_;
};

} // namespace tintora::win32
