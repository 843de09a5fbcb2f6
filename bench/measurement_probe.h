// Hooks for bench/measure.sh, built only into the measurement programs
// (tintora_startup, reference_startup), never into the program a user runs.
//
// Without TINTORA_PROBE_IDLE_MS the program prints how long it took from exec
// to the end of the window's first paint and leaves at once, before any
// tear-down; measure.sh puts the moment of exec in TINTORA_PROBE_T0
// (microseconds since the epoch).
//
// With TINTORA_PROBE_IDLE_MS=N it keeps running after the first paint, lets a
// second pass for what Qt does once after showing a window, then has
// callgrind count exactly N ms of idling and leaves, printing how many paint
// events the window and its widgets got meanwhile, its resident memory and the
// margins of the frame Qt draws round it (0 where another draws it or none is
// drawn). TINTORA_PROBE_FOCUS=box activates the window after the first paint,
// as a window manager would, and prints "box-at X Y", the centre of the first
// line edit (the red decimal box) on the screen, for measure.sh to click it
// with a real pointer click.
#pragma once

#include <QObject>

class QWidget;

namespace tintora::measurement {

class Probe final : public QObject {
public:
    // Watches the window and every widget in it for paints. Install before
    // the window is shown.
    explicit Probe(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void firstPaintDone();
    void startCounting();
    void stopCounting();

    QWidget& window_;
    bool painted_ = false;
    long idleMs_ = 0;
    long paints_ = 0;
};

} // namespace tintora::measurement
