// The program exactly as app/main.cpp starts it, with the measurement probe
// watching the window: for bench/measure.sh only.
#include "app/application_setup.h"
#include "app/event_binding.h"
#include "measurement_probe.h"
#include "mixer/form1.h"
#include "window/mixer_window.h"
#include "window/qt_mixer_widgets.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tintora::setUpApplication(app);

    tintora::MixerWindow window;
    tintora::QtMixerWidgets widgets(window);
    tintora::Form1 form(widgets);
    tintora::bindEvents(window, form);

    tintora::measurement::Probe probe(window, *window.timer());
    window.show();
    return QApplication::exec();
}
