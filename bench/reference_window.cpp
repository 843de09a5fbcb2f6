// The reference window Tintora is measured against: a Qt 6 window of the same
// client size holding the same controls with the same texts, built the
// plainest way (reference_controls.h), and a 50 ms timer whose slot does
// nothing. bench/measure.sh runs it next to the program; with
// TINTORA_REFERENCE_TIMER=off it has no timer at all, the reference for an
// idle window whose only activity is a focused line edit's caret.
#include "reference_controls.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#ifdef TINTORA_MEASUREMENT_PROBE
#include "measurement_probe.h"
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    tintora::bench::buildReferenceControls(window);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [] {});
    if (qEnvironmentVariable("TINTORA_REFERENCE_TIMER") != QStringLiteral("off")) {
        timer.start(tintora::TimerIntervalMs);
    }

#ifdef TINTORA_MEASUREMENT_PROBE
    tintora::measurement::Probe probe(window);
#endif
    window.show();
    return QApplication::exec();
}
