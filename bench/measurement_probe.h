// Hooks for bench/measure.sh, built only into the measurement programs
// (tintora_startup, floor_startup), never into the program a user runs.
//
// Without TINTORA_PROBE_TICKS the program prints how long it took from exec to
// the end of the window's first paint and leaves at once, before any
// tear-down; measure.sh puts the moment of exec in TINTORA_PROBE_T0
// (microseconds since the epoch).
//
// With TINTORA_PROBE_TICKS=N it keeps running after the first paint, lets the
// timer settle for a few ticks, then has callgrind count exactly N ticks
// (everything the process does from one tick to the next) and leaves after the
// N-th, printing how many paint events the window and its widgets got meanwhile.
#pragma once

#include <QObject>

class QTimer;
class QWidget;

namespace tintora::measurement {

class Probe final : public QObject {
public:
    // Watches the window (and every widget in it) for paints and the timer for
    // ticks. Install before the window is shown.
    Probe(QWidget& window, QTimer& timer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void firstPaintDone();
    void tick();

    QTimer& timer_;
    bool painted_ = false;
    long ticksWanted_ = 0;
    long ticks_ = 0;
    long paints_ = 0;
};

} // namespace tintora::measurement
