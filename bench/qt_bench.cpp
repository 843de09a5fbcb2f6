// One user action's whole cascade on the real Qt widgets (offscreen), with
// real key events where the user presses keys, next to the same action on bare
// Qt widgets with nothing connected.
//
// The "…AndPaint" variants also let Qt repaint what changed before the next
// action, as the event loop would between two keystrokes.
#include "layout/layout_table.h"
#include "qt_rigs.h"

#include "qt/preview_box.h"

#include <QScrollBar>
#include <QTimerEvent>

#include <benchmark/benchmark.h>

namespace tintora::bench {
namespace {

template <typename Check>
void typeAlternately(benchmark::State& state, QLineEdit* box, bool paint, Check&& check) {
    prepareTyping(box);
    bool typed = false;
    for (auto _ : state) {
        typeNext(box, typed);
        if (paint) {
            letQtRepaint();
        }
    }
    if (box->text() != (typed ? QStringLiteral("123") : QStringLiteral("12")) || !check(typed)) {
        state.SkipWithError("the keystrokes did not have their effect");
    }
}

void BM_Bare_Keystroke(benchmark::State& state) {
    BareRig rig;
    typeAlternately(state, &rig.box, false, [](bool) { return true; });
}
BENCHMARK(BM_Bare_Keystroke);

void BM_Bare_KeystrokeAndPaint(benchmark::State& state) {
    BareRig rig;
    typeAlternately(state, &rig.box, true, [](bool) { return true; });
}
BENCHMARK(BM_Bare_KeystrokeAndPaint);

void decimalKeystroke(benchmark::State& state, bool paint) {
    QtRig rig;
    QLineEdit* box = rig.window.decimalBox(0);
    focus(box);
    const int paints = rig.window.preview()->paintCountForTesting();
    typeAlternately(state, box, paint, [&rig](bool typed) {
        return rig.window.slider(0)->value() == (typed ? 123 : 12) &&
               rig.window.hexBox(0)->text() == (typed ? QStringLiteral("7B") : QStringLiteral("C"));
    });
    if (paint) {
        state.counters["previewPaints"] =
            benchmark::Counter(rig.window.preview()->paintCountForTesting() - paints,
                               benchmark::Counter::kAvgIterations);
    }
}

void BM_Qt_DecimalKeystroke(benchmark::State& state) {
    decimalKeystroke(state, false);
}
BENCHMARK(BM_Qt_DecimalKeystroke);

void BM_Qt_DecimalKeystrokeAndPaint(benchmark::State& state) {
    decimalKeystroke(state, true);
}
BENCHMARK(BM_Qt_DecimalKeystrokeAndPaint);

// Right and Left in turn on the focused slider: one value change per key.
void BM_Qt_SliderChange(benchmark::State& state) {
    QtRig rig;
    QScrollBar* slider = rig.window.slider(0);
    focus(slider);
    bool right = false;
    for (auto _ : state) {
        right = !right;
        pressKey(slider, right ? Qt::Key_Right : Qt::Key_Left);
    }
    if (rig.window.hexBox(0)->text() != (right ? QStringLiteral("1") : QStringLiteral("0"))) {
        state.SkipWithError("the hexadecimal box did not follow the slider");
    }
}
BENCHMARK(BM_Qt_SliderChange);

// A two-digit value replacing the hexadecimal box's text, "C8" and "7F" in turn.
void BM_Qt_HexPaste(benchmark::State& state) {
    QtRig rig;
    QLineEdit* box = rig.window.hexBox(0);
    bool high = false;
    for (auto _ : state) {
        high = !high;
        box->setText(high ? QStringLiteral("C8") : QStringLiteral("7F"));
    }
    if (rig.window.slider(0)->value() != (high ? 200 : 127)) {
        state.SkipWithError("the slider did not follow the hexadecimal box");
    }
}
BENCHMARK(BM_Qt_HexPaste);

// The user clicked the box holding "25" and types '6': 256 is refused, the
// notice is raised (and returns at once) and "25" comes back.
void BM_Qt_RejectedKeystroke(benchmark::State& state) {
    QtRig rig;
    QLineEdit* box = rig.window.decimalBox(0);
    box->setText(QStringLiteral("25"));
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
    focus(box);
    for (auto _ : state) {
        box->end(false);
        pressKey(box, Qt::Key_6);
    }
    if (rig.notices() != state.iterations() || box->text() != QStringLiteral("25")) {
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
    QtRig rig;
    rig.window.decimalBox(0)->setText(QStringLiteral("200"));
    emit rig.window.timer()->timeout();
    letQtRepaint();
    const int paints = rig.window.preview()->paintCountForTesting();
    for (auto _ : state) {
        emit rig.window.timer()->timeout();
        letQtRepaint();
    }
    state.counters["previewPaints"] = rig.window.preview()->paintCountForTesting() - paints;
}
BENCHMARK(BM_Qt_IdleTick);

// The bare window: a 50 ms timer whose slot does nothing.
void BM_Bare_IdleTick(benchmark::State& state) {
    QWidget window;
    window.setFixedSize(tintora::clientWidthPixels, tintora::clientHeightPixels);
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [] {});
    timer.start(tintora::TimerIntervalMs);
    showAndActivate(window);
    for (auto _ : state) {
        sendTick(&timer);
        letQtRepaint();
    }
}
BENCHMARK(BM_Bare_IdleTick);

} // namespace
} // namespace tintora::bench
