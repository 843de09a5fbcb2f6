// One user action's whole cascade on the real Qt widgets (offscreen), with
// real key events where the user presses keys. The keystroke in a decimal box
// is counted by keystroke_count under callgrind instead (bench/measure.sh):
// its instruction counts repeat where times do not.
#include "qt_bench_window.h"
#include "reference_controls.h"

#include "qt/preview_box.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QTimerEvent>

#include <benchmark/benchmark.h>

namespace tintora::bench {
namespace {

// Right and Left in turn on the focused slider: one value change per key.
void BM_Qt_SliderChange(benchmark::State& state) {
    ProgramWindow program;
    QScrollBar* slider = program.window.slider(0);
    focus(slider);
    bool right = false;
    for (auto _ : state) {
        right = !right;
        pressKey(slider, right ? Qt::Key_Right : Qt::Key_Left);
    }
    if (program.window.hexBox(0)->text() != (right ? QStringLiteral("1") : QStringLiteral("0"))) {
        state.SkipWithError("the hexadecimal box did not follow the slider");
    }
}
BENCHMARK(BM_Qt_SliderChange);

// A two-digit value replacing the hexadecimal box's text, "C8" and "7F" in turn.
void BM_Qt_HexPaste(benchmark::State& state) {
    ProgramWindow program;
    QLineEdit* box = program.window.hexBox(0);
    bool high = false;
    for (auto _ : state) {
        high = !high;
        box->setText(high ? QStringLiteral("C8") : QStringLiteral("7F"));
    }
    if (program.window.slider(0)->value() != (high ? 200 : 127)) {
        state.SkipWithError("the slider did not follow the hexadecimal box");
    }
}
BENCHMARK(BM_Qt_HexPaste);

// The user clicked the box holding "25" and types '6': 256 is refused, the
// notice is raised (and returns at once) and "25" comes back.
void BM_Qt_RejectedKeystroke(benchmark::State& state) {
    ProgramWindow program;
    QLineEdit* box = program.window.decimalBox(0);
    box->setText(QStringLiteral("25"));
    testing::clickAt(program.window.windowHandle(),
                     testing::pointOn(box, testing::Spot::AfterText));
    for (auto _ : state) {
        box->end(false);
        pressKey(box, Qt::Key_6);
    }
    if (program.notices() != state.iterations() || box->text() != QStringLiteral("25")) {
        state.SkipWithError("the keystroke was not refused with one notice");
    }
}
BENCHMARK(BM_Qt_RejectedKeystroke);

// A timer event reaches the running timer as the event dispatcher delivers it.
void sendTick(QTimer* timer) {
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick);
}

// A tick that finds the colour it painted last, then whatever it left for the
// event loop. The live timer sleeps through such ticks; this is their cost
// when one is delivered anyway.
void BM_Qt_IdleTick(benchmark::State& state) {
    ProgramWindow program;
    program.window.decimalBox(0)->setText(QStringLiteral("200"));
    emit program.window.timer()->timeout();
    letQtRepaint();
    const int paints = program.window.preview()->paintCountForTesting();
    for (auto _ : state) {
        emit program.window.timer()->timeout();
        letQtRepaint();
    }
    state.counters["previewPaints"] = program.window.preview()->paintCountForTesting() - paints;
}
BENCHMARK(BM_Qt_IdleTick);

// The reference window's tick: its 50 ms timer's slot does nothing
// (reference_window.cpp).
void BM_Reference_IdleTick(benchmark::State& state) {
    QWidget window;
    buildReferenceControls(window);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [] {});
    timer.start(TimerIntervalMs);
    showActive(window);
    for (auto _ : state) {
        sendTick(&timer);
        letQtRepaint();
    }
}
BENCHMARK(BM_Reference_IdleTick);

} // namespace
} // namespace tintora::bench
