// Timer1 on the Win32 window: a WM_TIMER every TimerIntervalMs on a grid that
// starts with the window. Form1 disables it while a tick could change nothing,
// so an idle window does not wake at all; enabled again, it ticks at the next
// point of the grid, never later than an always-running timer would have.
#pragma once

#include <windows.h>

namespace tintora::win32 {

class TickTimer {
public:
    // The ID of Timer1 in its window's WM_TIMER.
    static constexpr UINT_PTR Id = 1;

    TickTimer() = default;
    TickTimer(const TickTimer&) = delete;
    TickTimer& operator=(const TickTimer&) = delete;

    // Starts the grid and arms the clock of `window`, enabled.
    void start(HWND window);
    // The window is going: the clock is killed for good.
    void stop();

    void setEnabled(bool enabled);
    [[nodiscard]] bool isEnabled() const { return enabled_; }
    // Whether a clock is armed, i.e. whether the thread will wake for a tick.
    [[nodiscard]] bool isRunning() const { return interval_ != 0; }
    // Tests deliver ticks themselves: the clock stays off whatever the
    // enabled state, which is still tracked.
    void setManual(bool manual);

    // The window's WM_TIMER for this timer: puts the clock back on the grid's
    // own interval after the first tick of a wake.
    void ticked();

private:
    void arm();

    HWND window_ = nullptr;
    bool enabled_ = true;
    bool manual_ = false;
    UINT interval_ = 0; // of the armed clock; 0 when none is
    ULONGLONG startedAt_ = 0;
};

} // namespace tintora::win32
