// Timer1 on the Win32 window: the tick schedule (mixer/tick_schedule.h) on the
// window's WM_TIMER, started once the window is made.
#pragma once

#include "mixer/tick_schedule.h"

#include <windows.h>

namespace tintora::win32 {

class TickTimer final : private TickClock {
public:
    // The ID of Timer1 in its window's WM_TIMER.
    static constexpr UINT_PTR Id = 1;

    TickTimer() = default;
    TickTimer(const TickTimer&) = delete;
    TickTimer& operator=(const TickTimer&) = delete;

    // The window is made: the grid begins, and the clock runs while enabled.
    void start(HWND window);
    // The window is going: the clock stops for good.
    void stop();
    // The window's WM_TIMER for this timer.
    void ticked() { schedule_.ticked(); }

    [[nodiscard]] TickSchedule& schedule() { return schedule_; }
    [[nodiscard]] const TickSchedule& schedule() const { return schedule_; }

private:
    [[nodiscard]] std::uint64_t nowMs() const override { return GetTickCount64(); }
    // SetTimer fails when the desktop's quota of timers is used up.
    [[nodiscard]] bool arm(int delayMs) override;
    void disarm() override;

    HWND window_ = nullptr;
    TickSchedule schedule_{*this};
};

} // namespace tintora::win32
