#include "qt/application_setup.h"
#include "qt/qt_bound_mixer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tintora::setUpApplication(app);

    tintora::QtBoundMixer mixer; // the window from the layout table, its five events bound
    mixer.window.show();
    return QApplication::exec();
}
