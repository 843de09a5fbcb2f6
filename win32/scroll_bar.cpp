#include "win32/scroll_bar.h"

#include "win32/control_subclass.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

namespace tintora::win32 {
namespace {

// Where a request moves a thumb that stands at `value`. Arrow and trough move
// by one (SmallChange and LargeChange are both 1); a dragged thumb counts
// only once it is released. Nothing for a request that moves nothing.
std::optional<int> target(WPARAM request, int value) {
    switch (LOWORD(request)) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        return value - 1;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        return value + 1;
    case SB_LEFT:
        return SliderMin;
    case SB_RIGHT:
        return SliderMax;
    case SB_THUMBPOSITION:
        return HIWORD(request);
    default: // SB_THUMBTRACK (the control draws the dragged thumb), SB_ENDSCROLL
        return std::nullopt;
    }
}

} // namespace

void ScrollBar::create(HWND parent, HMENU id, HINSTANCE instance, const ControlRow& row,
                       DWORD style, const MixerEvents& events) {
    handle_ = CreateWindowExW(0, L"SCROLLBAR", L"", style | WS_TABSTOP | SBS_HORZ, 0, 0, 0, 0,
                              parent, id, instance, nullptr);
    if (handle_ == nullptr) {
        throw std::runtime_error("a slider of the main window could not be made");
    }
    SCROLLINFO range{
        sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, SliderMin, SliderMax, 0, SliderMin, 0};
    SetScrollInfo(handle_, SB_CTL, &range, FALSE);
    index_ = static_cast<std::int16_t>(row.index);
    events_ = &events;
    if (!subclassControl(handle_, this)) {
        throw std::runtime_error("a slider of the main window could not be given its behaviour");
    }
}

int ScrollBar::value() const {
    return GetScrollPos(handle_, SB_CTL);
}

void ScrollBar::setValue(int value) {
    if (this->value() == value) {
        return;
    }
    SetScrollPos(handle_, SB_CTL, value, TRUE);
    if (events_->scroll) {
        events_->scroll(index_);
    }
}

void ScrollBar::moved(WPARAM request) {
    // A thumb pressed and let go where it was stays where it was: the control
    // reports, as the press's first track, a position computed from the
    // thumb's pixel, which may be the next value.
    const WORD code = LOWORD(request);
    if (code == SB_THUMBTRACK) {
        const int at = HIWORD(request);
        thumbMoved_ = thumbMoved_ || (trackedFrom_ && *trackedFrom_ != at);
        trackedFrom_ = trackedFrom_.value_or(at);
        return;
    }
    const bool moved = std::exchange(thumbMoved_, false);
    trackedFrom_.reset();
    if (code == SB_THUMBPOSITION && !moved) {
        return;
    }
    if (const auto to = target(request, value())) {
        setValue(std::clamp(*to, SliderMin, SliderMax));
    }
}

void ScrollBar::wheeled(int delta) {
    if (const int notches = notches_.add(delta); notches != 0) {
        setValue(std::clamp(value() + notches, SliderMin, SliderMax));
    }
}

LRESULT ScrollBar::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_RIGHT:
        case VK_UP:
        case VK_PRIOR:
            moved(SB_LINERIGHT);
            return 0;
        case VK_LEFT:
        case VK_DOWN:
        case VK_NEXT:
            moved(SB_LINELEFT);
            return 0;
        case VK_HOME:
            moved(SB_LEFT);
            return 0;
        case VK_END:
            moved(SB_RIGHT);
            return 0;
        default:
            break;
        }
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        wheeled(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Before the control's own handling, which tracks the mouse until the
        // button comes up.
        SetFocus(handle_);
        break;
    default:
        break;
    }
    return DefSubclassProc(handle_, message, wParam, lParam);
}

} // namespace tintora::win32
