// Timer1's schedule, the same on every toolkit: a tick every TimerIntervalMs
// on a grid that starts with the window. Form1 disables the timer while a tick
// could change nothing, so an idle window does not wake at all; enabled again,
// it ticks at the next point of the grid, never later than an always-running
// timer would have, and every TimerIntervalMs after that.
//
// A toolkit lends it a clock it can arm and disarm (TickClock) and tells it
// when that clock fires; the schedule decides when the clock runs. A clock
// the platform refuses to arm (Windows has a quota of timers) is not running:
// the schedule says so, and tries again the next time the timer is enabled.
#pragma once

#include "layout/control_properties.h"

#include <cstdint>

namespace tintora {

// When a timer that was disabled ticks first once enabled again: at the next
// point of the TimerIntervalMs grid that began as the window was made, so no
// tick comes later than it would from a timer that never stopped.
[[nodiscard]] constexpr int firstTickDelayMs(std::uint64_t sinceStartMs) {
    return TimerIntervalMs - static_cast<int>(sinceStartMs % TimerIntervalMs);
}

// A toolkit's timer, as the schedule drives it.
class TickClock {
public:
    virtual ~TickClock() = default;
    // Milliseconds on a clock that never goes back.
    [[nodiscard]] virtual std::uint64_t nowMs() const = 0;
    // Fires in `delayMs`, then every `delayMs`, in place of any armed clock.
    // False when the platform refused; the clock is then not armed.
    [[nodiscard]] virtual bool arm(int delayMs) = 0;
    virtual void disarm() = 0;

protected:
    TickClock() = default;
    TickClock(const TickClock&) = default;
    TickClock& operator=(const TickClock&) = default;
};

class TickSchedule {
public:
    // Enabled, but not started: the clock runs once the window is made.
    explicit TickSchedule(TickClock& clock)
        : clock_(clock) {}
    TickSchedule(const TickSchedule&) = delete;
    TickSchedule& operator=(const TickSchedule&) = delete;

    // The window is made: the grid begins now.
    void start();
    // The window is going: the clock stops for good.
    void stop();

    // Enabling an enabled timer whose clock is not running arms it again.
    void setEnabled(bool enabled);
    [[nodiscard]] bool isEnabled() const { return enabled_; }
    // Whether the clock is armed, i.e. whether the process will wake for a tick.
    [[nodiscard]] bool isRunning() const { return armedMs_ != 0; }

    // The clock fired: after the first tick of a wake it goes back to the
    // grid's own interval.
    void ticked();

    // Tests and benchmarks deliver ticks themselves: the clock stays off
    // whatever the enabled state, which is still tracked.
    void setManualForTesting(bool manual);

private:
    void update();

    TickClock& clock_;
    bool started_ = false;
    bool stopped_ = false;
    bool enabled_ = true;
    bool manual_ = false;
    int armedMs_ = 0; // the armed clock's interval; 0 when none is
    std::uint64_t startedAtMs_ = 0;
};

} // namespace tintora
