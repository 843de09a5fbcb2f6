// The bare window Tintora is measured against: a bare Qt 6 window of the same client
// size holding the same controls with the same texts, built the plainest way,
// and a 50 ms timer whose slot does nothing. No translations, icon, names or
// event filters. bench/measure.sh runs it next to the program; with
// TINTORA_BARE_TIMER=off it has no timer at all, the bare window for an idle window
// whose only activity is a focused line edit's caret.
#include "bare_controls.h"
#include "mixer/mixer_widgets.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#ifdef TINTORA_MEASUREMENT_PROBE
#include "measurement_probe.h"
#endif

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    tintora::bare::build(window);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [] {});
    if (qEnvironmentVariable("TINTORA_BARE_TIMER") != QStringLiteral("off")) {
        timer.start(tintora::TimerIntervalMs);
    }

#ifdef TINTORA_MEASUREMENT_PROBE
    tintora::measurement::Probe probe(window);
#endif
    window.show();
    return QApplication::exec();
}
