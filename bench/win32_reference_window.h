// The bare Win32 window Tintora.exe is measured against: the same system
// controls from the layout table in a window of the same client size, with
// the system's default font, a preview painted with the sliders' colour, and
// a notice for a box left holding something other than a number in its range
// (the box then reset to 0). Nothing of Tintora's own code runs in it.
#pragma once

#include "mixer/mixer_widgets.h"

#include <windows.h>

#include <array>

namespace tintora::testing {

class BareWindow {
public:
    // Made and shown; closing it ends the thread's message loop.
    BareWindow();
    ~BareWindow();
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;

    [[nodiscard]] HWND handle() const { return window_; }
    [[nodiscard]] HWND box(TextGroup group, std::int16_t index) const {
        return (group == TextGroup::Text1 ? decimal_ : hex_).at(index);
    }
    [[nodiscard]] HWND slider(std::int16_t index) const { return sliders_.at(index); }

    // What the window does once input into `box` is over.
    void check(TextGroup group, HWND box);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void repaintPreview();

    HWND window_ = nullptr;
    std::array<HWND, ChannelCount> decimal_{};
    std::array<HWND, ChannelCount> hex_{};
    std::array<HWND, ChannelCount> sliders_{};
    HWND preview_ = nullptr;
    HBRUSH brush_ = nullptr;
};

} // namespace tintora::testing
