#include "qt/tick_timer.h"

#include "mixer/mixer_widgets.h"

namespace tintora {

TickTimer::TickTimer(QObject* parent)
    : QObject(parent) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] {
        if (clock_.interval() != TimerIntervalMs) {
            clock_.setInterval(TimerIntervalMs); // back on the grid after a wake
        }
        emit timeout();
    });
    sinceStart_.start();
    arm();
}

void TickTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    arm();
}

void TickTimer::setManual(bool manual) {
    manual_ = manual;
    arm();
}

void TickTimer::arm() {
    if (!enabled_ || manual_) {
        clock_.stop();
        return;
    }
    if (clock_.isActive()) {
        return;
    }
    clock_.start(firstTickDelayMs(static_cast<std::uint64_t>(sinceStart_.elapsed())));
}

} // namespace tintora
