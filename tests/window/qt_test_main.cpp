// Runs GoogleTest inside a QApplication on the offscreen platform, set up as
// the program sets itself up (translations, icon).
#include "app/application_setup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0);
    tintora::setUpApplication(app);
    return RUN_ALL_TESTS();
}
