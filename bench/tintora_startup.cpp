// The program started as qt/main.cpp starts it, start-up messages included,
// with the measurement probe watching the window: for bench/measure.sh and
// bench/measure-wayland.sh only.
#include "measurement_probe.h"
#include "qt/application_setup.h"
#include "qt/qt_bound_mixer.h"
#include "qt/start_up_messages.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    tintora::qt::StartUpMessages startUp(argc, argv);
    QApplication app(argc, argv);
    startUp.connected();
    tintora::qt::setUpApplication(app);

    tintora::qt::QtBoundMixer mixer;

    tintora::measurement::Probe probe(mixer.window);
    mixer.window.show();
    return QApplication::exec();
}
