// One slider of the window, on a native SCROLLBAR control, keeping the widget
// contract and the window's shared rules where the control does not:
//  - a SCROLLBAR does not move itself: its parent gets WM_HSCROLL with what
//    the user did (arrow, trough, released thumb) and sets the position, here
//    in moved(), which raises Change;
//  - SetScrollPos raises nothing, so setValue raises Change itself when the
//    value differs;
//  - the control reads Up and Page Up as towards the left end: as a value
//    control, Right, Up and Page Up add one, Left, Down and Page Down take
//    one, Home and End go to the ends;
//  - the wheel over it moves it one step a whole notch, away from the user or
//    to the right increasing it (mixer/wheel_notches.h);
//  - a click takes the keyboard focus, as it does in a box, and a click on
//    the thumb that does not move it changes nothing.
#pragma once

#include "layout/layout_table.h"
#include "mixer/mixer_events.h"
#include "mixer/wheel_notches.h"

#include <windows.h>

#include <cstdint>
#include <optional>

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
    // Every message of the control, first (win32/control_subclass.h).
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    [[nodiscard]] int value() const;
    // Moves the thumb to `value`, within 0..255; Change follows if it differs.
    void setValue(int value);
    // The control's WM_HSCROLL, with its request code.
    void moved(WPARAM request);
    // The wheel turned `delta` units over the slider: positive away from the
    // user, or to the right.
    void wheeled(int delta);

private:
    HWND handle_ = nullptr;
    std::int16_t index_ = 0;
    const MixerEvents* events_ = nullptr;
    WheelNotches notches_;
    std::optional<int> trackedFrom_; // where the held thumb was first reported
    bool thumbMoved_ = false;        // and whether it has left there since
};

} // namespace tintora::win32
