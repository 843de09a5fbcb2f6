// Runs the benchmarks inside a QApplication set up as the program sets itself
// up, on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "qt/application_setup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    QApplication app(argc, argv);
    // A blinking caret would wake the event loop twice a second.
    QApplication::setCursorFlashTime(0);
    tintora::qt::setUpApplication(app);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
