#include "win32/tick_timer.h"

#include "mixer/mixer_widgets.h"

namespace tintora::win32 {

void TickTimer::start(HWND window) {
    window_ = window;
    startedAt_ = GetTickCount64();
    arm();
}

void TickTimer::stop() {
    if (interval_ != 0) {
        KillTimer(window_, Id);
    }
    interval_ = 0;
    window_ = nullptr;
}

void TickTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    arm();
}

void TickTimer::setManual(bool manual) {
    manual_ = manual;
    arm();
}

void TickTimer::ticked() {
    if (interval_ != 0 && interval_ != TimerIntervalMs) {
        interval_ = TimerIntervalMs;
        SetTimer(window_, Id, interval_, nullptr);
    }
}

// The one place where the clock is set or killed. KillTimer leaves a WM_TIMER
// that is already in the queue; it still arrives and raises Timer, which is
// harmless: Form1 disables the timer only while a tick could change nothing,
// and such a late tick does not re-arm the clock (interval_ is 0 by then).
void TickTimer::arm() {
    if (!enabled_ || manual_ || window_ == nullptr) {
        if (interval_ != 0 && window_ != nullptr) {
            KillTimer(window_, Id);
        }
        interval_ = 0;
        return;
    }
    if (interval_ != 0) {
        return;
    }
    interval_ = static_cast<UINT>(firstTickDelayMs(GetTickCount64() - startedAt_));
    SetTimer(window_, Id, interval_, nullptr);
}

} // namespace tintora::win32
