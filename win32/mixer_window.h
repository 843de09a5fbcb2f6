// The mixer's one window on the Win32 API, built from the layout table with
// native controls: EDIT boxes, SCROLLBAR sliders, STATIC labels and the
// preview. It realises the layout and turns the controls' notifications into
// the five events the logic is bound to; the logic itself is Form1's.
//
// Where a native control differs from the widget contract, the difference is
// evened out in one place: for the boxes in EditBox (edit_box.h), for the
// sliders here:
//  - a SCROLLBAR does not move itself: the window sets its position from the
//    WM_HSCROLL code (arrow, trough, keyboard, released thumb) and raises
//    Change, and SetScrollPos raises nothing, so setSliderValue raises it.
#pragma once

#include "mixer/mixer_events.h"
#include "mixer/mixer_widgets.h"
#include "win32/edit_box.h"
#include "win32/label_fonts.h"
#include "win32/preview_window.h"
#include "win32/screen_reader_names.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace tintora::win32 {

class MixerWindow {
public:
    // The ID of Timer1 in the window's WM_TIMER.
    static constexpr UINT_PTR TimerId = 1;

    // The window with every control and its initial value, not yet shown, its
    // timer enabled.
    explicit MixerWindow(HINSTANCE instance = GetModuleHandleW(nullptr));
    ~MixerWindow();
    MixerWindow(const MixerWindow&) = delete;
    MixerWindow& operator=(const MixerWindow&) = delete;

    // Form1 binds its handlers with bind(handlersOf(form)).
    void bind(MixerEvents events) { events_ = std::move(events); }
    // Closing the window then ends the thread's message loop with exit code 0.
    void endLoopWhenClosed() { endLoopWhenClosed_ = true; }
    void show(int showCommand);

    [[nodiscard]] HWND handle() const { return window_; }
    [[nodiscard]] HWND box(TextGroup group, int index) const;
    [[nodiscard]] HWND slider(int index) const { return sliders_.at(index); }
    [[nodiscard]] PreviewWindow& preview() const { return *preview_; }
    // The control realising a row of the layout table, by name and index.
    [[nodiscard]] HWND control(std::string_view name, int index = -1) const;
    [[nodiscard]] UINT dpi() const { return dpi_; }

    [[nodiscard]] Text boxText(TextGroup group, int index) const;
    // Sets the text exactly as given; Change follows if it differs.
    void setBoxText(TextGroup group, int index, std::u16string_view text);
    [[nodiscard]] int sliderValue(int index) const;
    // Moves the slider within 0..255; Change follows if the value differs.
    void setSliderValue(int index, int value);

    // Timer1 ticks every TimerIntervalMs on a grid that starts with the
    // window. Form1 disables it while a tick could change nothing, so an idle
    // window does not wake at all; enabled again, it ticks at the next point
    // of the grid, never later than an always-running timer would have.
    void setTimerEnabled(bool enabled);
    [[nodiscard]] bool timerEnabled() const { return timerEnabled_; }
    // Whether a clock is armed, i.e. whether the thread will wake for a tick.
    [[nodiscard]] bool timerRunning() const { return timerInterval_ != 0; }
    // Tests deliver ticks themselves: the clock stays off whatever the
    // enabled state, which is still tracked.
    void setManualTicks(bool manual);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls(HINSTANCE instance);
    void layOut(UINT dpi);
    void armTimer();
    void sliderMoved(HWND control, WPARAM request);
    EditBox& boxAt(TextGroup group, int index);
    [[nodiscard]] const EditBox& boxAt(TextGroup group, int index) const;

    HWND window_ = nullptr;
    UINT dpi_ = 96;
    HFONT font_ = nullptr;
    LabelFonts labelFonts_;
    std::vector<HWND> controls_;                  // parallel to the layout table
    std::array<EditBox, 2 * ChannelCount> boxes_; // Text1(0..2), then Text2(0..2)
    std::array<HWND, ChannelCount> sliders_{};
    std::unique_ptr<PreviewWindow> preview_;
    ScreenReaderNames names_;
    HWND focus_ = nullptr; // the control that had the focus when the window was deactivated
    MixerEvents events_;
    bool timerEnabled_ = true;
    bool manualTicks_ = false;
    UINT timerInterval_ = 0; // of the armed clock; 0 when none is
    ULONGLONG createdAt_ = GetTickCount64();
    bool endLoopWhenClosed_ = false;
};

} // namespace tintora::win32
