// The colour preview: a child window that paints one colour. It starts in the
// system's window colour (COLOR_WINDOW), repaints only when its colour really
// changes, so a tick that finds the colour unchanged costs no paint, takes
// the focus like any control and then shows a dotted focus rectangle in its
// outermost pixels, where it never tints the colour area.
#pragma once

#include "mixer/mixer_widgets.h"

#include <windows.h>

#include <optional>

namespace tintora::win32 {

class PreviewBox {
public:
    PreviewBox(HWND parent, int id, HINSTANCE instance);
    PreviewBox(const PreviewBox&) = delete;
    PreviewBox& operator=(const PreviewBox&) = delete;

    [[nodiscard]] HWND handle() const { return window_; }
    // 0x00BBGGRR, the layout of a COLORREF.
    void setColour(Colour colour);
    [[nodiscard]] std::optional<Colour> colour() const { return colour_; }
    [[nodiscard]] int paintCountForTesting() const { return paintCount_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    HWND window_ = nullptr;
    std::optional<Colour> colour_;
    int paintCount_ = 0;
};

} // namespace tintora::win32
