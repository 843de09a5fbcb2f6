// Plays the scenarios' user actions on the real Win32 window with real window
// messages: keys posted to the focused control and handled by the window's own
// message loop step, mouse buttons posted at a point in a control, the
// WM_HSCROLL messages a scroll bar sends, and WM_TIMER. The window's clock is
// off, so that ticks come only when a scenario asks for one.
#pragma once

#include "mixer/form1.h"
#include "scenarios/mixer_driver.h"
#include "win32/win32_bound_mixer.h"
#include "win32_testing/notice_watcher.h"
#include "win32_testing/window_input.h"

#include <windows.h>

namespace tintora::testing {

class Win32Driver final : public MixerDriver {
public:
    Win32Driver();
    ~Win32Driver() override = default;

    void paste(TextGroup group, std::int16_t index, std::u16string_view text) override;
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) override;
    void click(std::int16_t index) override;
    void scroll(std::int16_t index, std::int16_t value) override;
    void tick() override;
    void whileNoticeOpen(std::function<void()> action) override;

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) const override;
    [[nodiscard]] std::int16_t value(std::int16_t index) const override;
    [[nodiscard]] std::optional<Colour> backColor() const override;
    [[nodiscard]] int noticeCount() const override;
    [[nodiscard]] int openNotices() const override { return notices.open(); }
    [[nodiscard]] bool timerEnabled() const override {
        return mixer.window.timer().schedule().isEnabled();
    }
    [[nodiscard]] Form1& form() override { return mixer.form(); }

    // Gives the focus to a control the way the Tab key does (no click).
    void focusByKeyboard(HWND control);
    // A key pressed and released on the focused control.
    void pressKey(UINT key);
    // A character typed into the focused control (what the keyboard layout
    // or an input method delivers as WM_CHAR).
    void typeCharacter(wchar_t character);
    // A left click at `at`, in the control's client coordinates.
    void clickAt(HWND control, POINT at);
    void processQueue();

    win32::Win32BoundMixer mixer;
    NoticeWatcher notices;
};

} // namespace tintora::testing
