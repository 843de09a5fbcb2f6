#include "qt/application_setup.h"

#include "qt/caret_rest.h"
#include "qt/window_frames.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

namespace tintora::qt {

void setUpApplication(QApplication& app) {
    // Parented to the application, so it lives as long as it does.
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
    QApplication::setApplicationName(QStringLiteral("Tintora"));
    QApplication::setApplicationVersion(QStringLiteral(TINTORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tintora"));
    QIcon icon;
    for (const char* size : {"16", "32", "48"}) {
        icon.addFile(QStringLiteral(":/icons/tintora-%1.png").arg(QLatin1String(size)));
    }
    QApplication::setWindowIcon(icon);
    new CaretRest(app); // parented to the application
    leaveWindowFramesToACompositorThatDrawsThem();
}

} // namespace tintora::qt
