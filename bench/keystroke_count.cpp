// Counts with callgrind the instructions of keystrokes typed into the red
// decimal box of the program's window, or into a lone line edit, on the
// offscreen platform, as Qt hands a key to the focused widget
// (qt_bench_window.h): '3' after "12", then Backspace, and so on, every key
// changing the text.
// bench/measure.sh runs it as
//   valgrind --tool=callgrind keystroke_count program|lone-box cascade|paint N
// Only the N keystrokes are counted (and, with "paint", the repaints after
// each), not the start-up or a few keystrokes typed first to warm up.
#include "qt_bench_window.h"

#include "layout/control_placement.h"
#include "qt/application_setup.h"

#include <QApplication>
#include <QLineEdit>
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
#include <unistd.h>

namespace tintora::bench {
namespace {

// The lone box: one line edit alone, where the red decimal box is and as long
// as it, in a window of Tintora's client size, with nothing connected.
class LoneBox {
public:
    LoneBox() {
        const ControlRow& red = layoutTable.at(*rowOf("Text1", 0));
        const PixelRect place = pixelRect(red);
        window.setFixedSize(clientWidthPixels, clientHeightPixels);
        box.setMaxLength(red.maxLength);
        box.setGeometry(place.left, place.top, place.width, place.height);
        showActive(window);
        focus(&box);
    }
    QWidget window;
    QLineEdit box{&window};
};

int usage() {
    std::fprintf(stderr, "usage: keystroke_count program|lone-box cascade|paint COUNT\n");
    return 2;
}

// Types `count` keys into the focused `box`, after 20 not counted.
void type(QLineEdit* box, bool paint, long count) {
    box->setText(QStringLiteral("12"));
    box->end(false);
    letQtRepaint();
    bool typed = false;
    const auto keystroke = [&] {
        pressKey(box, typed ? Qt::Key_Backspace : Qt::Key_3);
        typed = !typed;
        if (paint) {
            letQtRepaint();
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
    if (box->text() != (typed ? QStringLiteral("123") : QStringLiteral("12"))) {
        std::fprintf(stderr, "the keystrokes did not reach the box\n");
        std::fflush(stderr);
        _exit(1);
    }
}

} // namespace
} // namespace tintora::bench

int main(int argc, char* argv[]) {
    using namespace tintora::bench;
    if (argc != 4) {
        return usage();
    }
    const bool program = std::strcmp(argv[1], "program") == 0;
    const bool paint = std::strcmp(argv[2], "paint") == 0;
    const long count = std::strtol(argv[3], nullptr, 10);
    if ((!program && std::strcmp(argv[1], "lone-box") != 0) ||
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
        ProgramWindow programWindow;
        QLineEdit* box = programWindow.window.decimalBox(0);
        focus(box);
        type(box, paint, count);
        std::printf("keystrokes %ld slider %d\n", count, programWindow.window.slider(0)->value());
    } else {
        LoneBox lone;
        type(&lone.box, paint, count);
        std::printf("keystrokes %ld\n", count);
    }
    std::fflush(stdout);
    _exit(0);
}
