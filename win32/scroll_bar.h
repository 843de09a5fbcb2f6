// One slider of the window, on a native SCROLLBAR control, keeping the widget
// contract where the control does not:
//  - a SCROLLBAR does not move itself: its parent gets WM_HSCROLL with what
//    the user did (arrow, trough, keyboard, released thumb) and sets the
//    position, here in moved(), which raises Change;
//  - SetScrollPos raises nothing, so setValue raises Change itself when the
//    value differs.
#pragma once

#include "layout/layout_table.h"
#include "mixer/mixer_events.h"

#include <windows.h>

#include <cstdint>

namespace tintora::win32 {

class ScrollBar {
public:
    ScrollBar() = default;
    ScrollBar(const ScrollBar&) = delete;
    ScrollBar& operator=(const ScrollBar&) = delete;

    // Makes the control for an HScrollBar row of the layout table, at 0.
    // `events` must outlive the control.
    void create(HWND parent, HMENU id, HINSTANCE instance, const ControlRow& row, DWORD style,
                const MixerEvents& events);

    [[nodiscard]] HWND handle() const { return handle_; }
    [[nodiscard]] int value() const;
    // Moves the thumb to `value`, within 0..255; Change follows if it differs.
    void setValue(int value);
    // The control's WM_HSCROLL, with its request code.
    void moved(WPARAM request);

private:
    HWND handle_ = nullptr;
    std::int16_t index_ = 0;
    const MixerEvents* events_ = nullptr;
};

} // namespace tintora::win32
