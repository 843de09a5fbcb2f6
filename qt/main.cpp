#include "qt/application_setup.h"
#include "qt/qt_bound_mixer.h"
#include "qt/start_up_messages.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    tintora::StartUpMessages startUp; // no display: one line and exit code 1, not an abort
    QApplication app(argc, argv);
    startUp.connected();
    tintora::setUpApplication(app);

    tintora::QtBoundMixer mixer; // the window from the layout table, its five events bound
    mixer.window.show();
    return QApplication::exec();
}
