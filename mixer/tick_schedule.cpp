#include "mixer/tick_schedule.h"

namespace tintora {

void TickSchedule::start() {
    started_ = true;
    startedAtMs_ = clock_.nowMs();
    update();
}

void TickSchedule::stop() {
    stopped_ = true;
    update();
}

void TickSchedule::setEnabled(bool enabled) {
    enabled_ = enabled;
    update();
}

void TickSchedule::setManualForTesting(bool manual) {
    manual_ = manual;
    update();
}

void TickSchedule::ticked() {
    if (armedMs_ != 0 && armedMs_ != TimerIntervalMs) {
        armedMs_ = clock_.arm(TimerIntervalMs) ? TimerIntervalMs : 0;
    }
}

// A tick that the clock had already delivered when it was disarmed may still
// arrive (a WM_TIMER in the queue); it is harmless: Form1 disables the timer
// only while a tick could change nothing, and such a tick arms nothing.
void TickSchedule::update() {
    const bool runs = started_ && !stopped_ && enabled_ && !manual_;
    if (!runs) {
        if (armedMs_ != 0) {
            clock_.disarm();
            armedMs_ = 0;
        }
        return;
    }
    if (armedMs_ != 0) {
        return;
    }
    const int delay = firstTickDelayMs(clock_.nowMs() - startedAtMs_);
    armedMs_ = clock_.arm(delay) ? delay : 0;
}

} // namespace tintora
