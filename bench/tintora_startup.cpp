// The program exactly as qt/main.cpp starts it, with the measurement probe
// watching the window: for bench/measure.sh only.
#include "measurement_probe.h"
#include "qt/application_setup.h"
#include "qt/qt_bound_mixer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tintora::qt::setUpApplication(app);

    tintora::qt::QtBoundMixer mixer;

    tintora::measurement::Probe probe(mixer.window);
    mixer.window.show();
    return QApplication::exec();
}
