// Counts with callgrind the instructions of keystrokes typed into a decimal
// box of the program's window, or into a bare line edit, on the offscreen
// platform: bench/measure.sh runs it as
//   valgrind --tool=callgrind keystroke_count program|bare cascade|paint N
// Only the N keystrokes are counted (and, with "paint", the repaints after
// each), not the start-up or a few keystrokes typed first to warm up.
#include "qt_rigs.h"

#include "qt/application_setup.h"

#include <QApplication>
#include <QScrollBar>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <unistd.h>

namespace {

int usage() {
    std::fprintf(stderr, "usage: keystroke_count program|bare cascade|paint COUNT\n");
    return 2;
}

void type(QLineEdit* box, bool paint, long count) {
    tintora::bench::prepareTyping(box);
    bool typed = false;
    const auto keystroke = [&] {
        tintora::bench::typeNext(box, typed);
        if (paint) {
            tintora::bench::letQtRepaint();
        }
    };
    for (int i = 0; i < 20; ++i) {
        keystroke();
    }
    CALLGRIND_ZERO_STATS;
    for (long i = 0; i < count; ++i) {
        keystroke();
    }
    CALLGRIND_STOP_INSTRUMENTATION;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        return usage();
    }
    const bool program = std::strcmp(argv[1], "program") == 0;
    const bool paint = std::strcmp(argv[2], "paint") == 0;
    const long count = std::strtol(argv[3], nullptr, 10);
    if ((!program && std::strcmp(argv[1], "bare") != 0) ||
        (!paint && std::strcmp(argv[2], "cascade") != 0) || count <= 0) {
        return usage();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0);
    if (program) {
        tintora::qt::setUpApplication(app);
        tintora::bench::QtRig rig;
        QLineEdit* box = rig.window.decimalBox(0);
        tintora::bench::focus(box);
        type(box, paint, count);
        std::printf("keystrokes %ld slider %d\n", count, rig.window.slider(0)->value());
    } else {
        tintora::bench::BareRig rig;
        type(&rig.box, paint, count);
        std::printf("keystrokes %ld\n", count);
    }
    std::fflush(stdout);
    _exit(0);
}
