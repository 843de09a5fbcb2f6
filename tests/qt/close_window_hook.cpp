// Preloaded (LD_PRELOAD) into the real program by the test that closes its
// window; the program itself has no option or hook for that. Once its event
// loop has run for a while, this asks the platform to close the one window
// shown, the request the title bar's close button makes, and the program's
// exit status says whether closing the window ended it cleanly.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

void closeTheWindowSoon() {
    // Long enough for the first paint and a few timer ticks.
    constexpr int afterMs = 300;
    QTimer::singleShot(afterMs, qApp, [] {
        QList<QWindow*> shown = QGuiApplication::topLevelWindows();
        shown.removeIf([](const QWindow* window) { return !window->isVisible(); });
        if (shown.size() != 1) {
            std::fprintf(stderr, "close_window_hook: %d windows shown, expected 1\n",
                         static_cast<int>(shown.size()));
            std::_Exit(3);
        }
        shown.front()->close(); // the platform's close request, delivered as the user's
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(closeTheWindowSoon)
