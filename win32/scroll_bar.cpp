#include "win32/scroll_bar.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

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
    if (const auto to = target(request, value())) {
        setValue(std::clamp(*to, SliderMin, SliderMax));
    }
}

} // namespace tintora::win32
