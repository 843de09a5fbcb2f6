#include "win32/label_fonts.h"

#include "layout/label_fit.h"
#include "win32/wide_text.h"

#include <cmath>
#include <string>

namespace tintora::win32 {
namespace {

constexpr double PointsPerInch = 72.0;

int textWidth(HWND control, const std::wstring& text, HFONT font) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

HFONT sizedFont(LOGFONTW font, double points, UINT dpi) {
    font.lfHeight = -static_cast<LONG>(std::lround(points * dpi / PointsPerInch));
    return CreateFontIndirectW(&font);
}

} // namespace

LabelFonts::~LabelFonts() {
    for (const HFONT font : fonts_) {
        DeleteObject(font);
    }
}

int LabelFonts::fit(HWND label, HFONT messageFont, UINT dpi, int left, int windowWidth) {
    const std::wstring text = windowText(label);
    LOGFONTW message{};
    GetObjectW(messageFont, sizeof(message), &message);
    // A positive height is a cell height, which has no point size to step from.
    const double messagePoints =
        message.lfHeight < 0 ? -message.lfHeight * PointsPerInch / dpi : SmallestLabelPointSize;
    const double points = fittedPointSize(left, windowWidth, messagePoints, [&](double size) {
        if (size == messagePoints) {
            return textWidth(label, text, messageFont);
        }
        const HFONT font = sizedFont(message, size, dpi);
        const int width = textWidth(label, text, font);
        DeleteObject(font);
        return width;
    });
    HFONT font = messageFont;
    if (points != messagePoints) {
        font = sizedFont(message, points, dpi);
        fonts_.push_back(font);
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return textWidth(label, text, font);
}

} // namespace tintora::win32
