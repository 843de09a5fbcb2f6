#include "win32/tick_timer.h"

namespace tintora::win32 {

void TickTimer::start(HWND window) {
    window_ = window;
    schedule_.start();
}

void TickTimer::stop() {
    schedule_.stop();
    window_ = nullptr;
}

// SetTimer with the ID of a running timer replaces it. KillTimer leaves a
// WM_TIMER that is already in the queue; the schedule lets it pass.
bool TickTimer::arm(int delayMs) {
    return SetTimer(window_, Id, static_cast<UINT>(delayMs), nullptr) != 0;
}

void TickTimer::disarm() {
    KillTimer(window_, Id);
}

} // namespace tintora::win32
