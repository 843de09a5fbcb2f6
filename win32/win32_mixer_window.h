// The mixer's one window on the Win32 API, built from the layout table with
// native controls: EDIT boxes (EditBox), SCROLLBAR sliders (ScrollBar),
// STATIC labels and the preview (PreviewBox), and Timer1 (TickTimer). It
// realises the layout and raises the five events the logic is bound to; the
// logic itself is Form1's. Where a native control differs from the widget
// contract, the difference is evened out in that control's own class.
#pragma once

#include "layout/twips.h"
#include "mixer/mixer_events.h"
#include "mixer/mixer_widgets.h"
#include "win32/edit_box.h"
#include "win32/label_fonts.h"
#include "win32/preview_box.h"
#include "win32/screen_reader_names.h"
#include "win32/scroll_bar.h"
#include "win32/tick_timer.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace tintora::win32 {

class Win32MixerWindow {
public:
    // The window with every control and its initial value, not yet shown, its
    // timer enabled. Throws std::runtime_error, leaving no window behind,
    // when the system cannot make it whole.
    explicit Win32MixerWindow(HINSTANCE instance = GetModuleHandleW(nullptr));
    ~Win32MixerWindow();
    Win32MixerWindow(const Win32MixerWindow&) = delete;
    Win32MixerWindow& operator=(const Win32MixerWindow&) = delete;

    // Form1 binds its handlers with bind(handlersOf(form)).
    void bind(MixerEvents events) { events_ = std::move(events); }
    // Closing the window then ends the thread's message loop with exit code 0.
    void endLoopWhenClosed() { endLoopWhenClosed_ = true; }
    void show(int showCommand);

    [[nodiscard]] HWND handle() const { return window_; }
    [[nodiscard]] EditBox& box(TextGroup group, int index) { return boxAt(group, index); }
    [[nodiscard]] const EditBox& box(TextGroup group, int index) const {
        return boxAt(group, index);
    }
    [[nodiscard]] ScrollBar& slider(int index) { return sliders_.at(index); }
    [[nodiscard]] const ScrollBar& slider(int index) const { return sliders_.at(index); }
    [[nodiscard]] PreviewBox& preview() const { return *preview_; }
    [[nodiscard]] TickTimer& timer() { return timer_; }
    [[nodiscard]] const TickTimer& timer() const { return timer_; }
    // The control realising a row of the layout table, by name and index.
    [[nodiscard]] HWND control(std::string_view name, int index = -1) const;
    [[nodiscard]] UINT dpi() const { return dpi_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls(HINSTANCE instance);
    void destroy();
    void layOut(UINT dpi);
    EditBox& boxAt(TextGroup group, int index);
    [[nodiscard]] const EditBox& boxAt(TextGroup group, int index) const;

    // One handler a window message.
    void boxNotified(HWND control, WORD code);
    void sliderRequested(HWND control, WPARAM request);
    void timerTicked(UINT_PTR id);
    void activationChanged(WORD state);
    void focusReceived();
    void dpiChanged(UINT dpi, const RECT& suggested);
    void wheelTurned(int delta, POINT onScreen);
    void destroyed();

    HWND window_ = nullptr;
    UINT dpi_ = BaseDpi;
    HFONT font_ = nullptr;
    LabelFonts labelFonts_;
    std::vector<HWND> controls_;                  // parallel to the layout table
    std::array<EditBox, 2 * ChannelCount> boxes_; // Text1(0..2), then Text2(0..2)
    std::array<ScrollBar, ChannelCount> sliders_;
    std::unique_ptr<PreviewBox> preview_;
    ScreenReaderNames names_;
    TickTimer timer_;
    HWND focus_ = nullptr; // the control that had the focus when the window was deactivated
    MixerEvents events_;
    bool endLoopWhenClosed_ = false;
};

} // namespace tintora::win32
