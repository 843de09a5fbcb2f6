#include "qt/application_setup.h"
#include "qt/qt_bound_mixer.h"
#include "qt/start_up_messages.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // No platform to start: what failed in one line and exit code 1, not an abort.
    tintora::qt::StartUpMessages startUp(argc, argv);
    QApplication app(argc, argv);
    startUp.connected();
    tintora::qt::setUpApplication(app);

    tintora::qt::QtBoundMixer mixer; // the window from the layout table, its five events bound
    mixer.window.show();
    return QApplication::exec();
}
