// Timer1 on the Qt window: the tick schedule (mixer/tick_schedule.h) on a
// QTimer, started with the window.
#pragma once

#include "mixer/tick_schedule.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace tintora::qt {

class TickTimer final : public QObject, private TickClock {
    Q_OBJECT
public:
    explicit TickTimer(QObject* parent = nullptr);

    [[nodiscard]] TickSchedule& schedule() { return schedule_; }
    [[nodiscard]] const TickSchedule& schedule() const { return schedule_; }

signals:
    void timeout();

private:
    [[nodiscard]] std::uint64_t nowMs() const override;
    [[nodiscard]] bool arm(int delayMs) override;
    void disarm() override;

    QTimer clock_;
    QElapsedTimer sinceStart_;
    TickSchedule schedule_{*this};
};

} // namespace tintora::qt
