// Timer1 on the real window: a tick every TimerIntervalMs on a grid that
// starts with the window. Form1 disables it while a tick could change nothing,
// so an idle window does not wake at all; enabled again, it ticks at the next
// point of the grid, never later than an always-running timer would have.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace tintora {

class TickTimer final : public QObject {
    Q_OBJECT
public:
    explicit TickTimer(QObject* parent = nullptr);

    void setEnabled(bool enabled);
    [[nodiscard]] bool isEnabled() const { return enabled_; }
    // Whether a clock is armed, i.e. whether the process will wake for a tick.
    [[nodiscard]] bool isRunning() const { return clock_.isActive(); }
    // Tests and benchmarks deliver ticks themselves: the clock stays off
    // whatever the enabled state, which is still tracked.
    void setManual(bool manual);

signals:
    void timeout();

private:
    void arm();

    QTimer clock_;
    QElapsedTimer sinceStart_;
    bool enabled_ = true;
    bool manual_ = false;
};

} // namespace tintora
