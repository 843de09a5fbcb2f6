#include "qt/tick_timer.h"

namespace tintora::qt {

TickTimer::TickTimer(QObject* parent)
    : QObject(parent) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] {
        schedule_.ticked();
        emit timeout();
    });
    sinceStart_.start();
    schedule_.start();
}

std::uint64_t TickTimer::nowMs() const {
    return static_cast<std::uint64_t>(sinceStart_.elapsed());
}

bool TickTimer::arm(int delayMs) {
    clock_.start(delayMs);
    return true;
}

void TickTimer::disarm() {
    clock_.stop();
}

} // namespace tintora::qt
