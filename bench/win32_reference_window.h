// The Win32 reference window Tintora.exe is measured against: the same system
// controls from the layout table in a window of the same client size, with
// the system's default font, a black preview (as Tintora's is from its first
// tick on) and scroll bars whose thumbs go where the user moves them; no
// names, no timer, nothing of Tintora's own code. The plain mixer
// (win32_plain_mixer_player.h) adds its plain logic through the hooks.
#pragma once

#include "layout/layout_table.h"

#include <windows.h>

#include <array>
#include <cstddef>

namespace tintora::bench {

class ReferenceWindow {
public:
    // Made and shown; closing it ends the thread's message loop.
    ReferenceWindow();
    virtual ~ReferenceWindow();
    ReferenceWindow(const ReferenceWindow&) = delete;
    ReferenceWindow& operator=(const ReferenceWindow&) = delete;

    [[nodiscard]] HWND handle() const { return window_; }
    // The control of a layout row.
    [[nodiscard]] HWND control(std::size_t row) const { return controls_.at(row); }

protected:
    // After the user moved the scroll bar of layout row `row`.
    virtual void sliderMoved(std::size_t row) { (void)row; }
    // After the text of the box of layout row `row` changed, once the box has
    // finished handling what changed it.
    virtual void boxChanged(std::size_t row) { (void)row; }
    // Fills the preview with `colour` from now on.
    void paintPreview(COLORREF colour);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] std::size_t rowOf(HWND control) const;
    void scroll(HWND slider, int code, int thumbAt);

    HWND window_ = nullptr;
    std::array<HWND, layoutTable.size()> controls_{};
    HBRUSH previewBrush_ = nullptr;
};

} // namespace tintora::bench
