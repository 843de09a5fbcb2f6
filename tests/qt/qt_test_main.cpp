// Runs GoogleTest inside a QApplication on the offscreen platform, or on the
// one QT_QPA_PLATFORM names, set up as the program sets itself up
// (translations, icon).
#include "qt/application_setup.h"

#include <QApplication>

#include <cstdio>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // A suite meant for one platform proves nothing on another one that Qt fell back to.
    const QString asked =
        qEnvironmentVariable("QT_QPA_PLATFORM").section(u';', 0, 0).section(u':', 0, 0);
    if (QGuiApplication::platformName() != asked) {
        std::fprintf(stderr, "FAILED: asked for the Qt platform \"%s\" but runs on \"%s\"\n",
                     qPrintable(asked), qPrintable(QGuiApplication::platformName()));
        return 1;
    }
    QApplication::setCursorFlashTime(0);
    tintora::qt::setUpApplication(app);
    return RUN_ALL_TESTS();
}
