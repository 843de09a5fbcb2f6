// The program's window as the Qt benchmarks and keystroke_count measure it,
// and what they do around an action: the key pressed, the focus given, the
// repaint let run.
#pragma once

#include "qt/qt_bound_mixer.h"
#include "qt/tick_timer.h"
#include "qt_testing/window_input.h"

#include <QApplication>
#include <QTest>

#include <cstdint>
#include <stdexcept>

namespace tintora::bench {

// Shows `window` and waits until it has the keyboard.
inline void showActive(QWidget& window) {
    window.show();
    if (!testing::waitForActivation(&window)) {
        throw std::runtime_error("the window was not activated");
    }
    QCoreApplication::processEvents();
}

// Gives the focus the way the Tab key does.
inline void focus(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != widget) {
        throw std::runtime_error("could not focus the widget");
    }
}

// One key pressed and released, as Qt hands it to the focused widget:
// shortcut override first, then the press and the release. Straight to the
// widget, not through its window as qt_testing/window_input.h delivers it:
// there the event loop runs after each key, repaints included, and the
// cascade could not be measured apart from them.
inline void pressKey(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
}

// Runs what an action left for the event loop: posted events, and with them
// the repaint of every widget that changed.
inline void letQtRepaint() {
    QCoreApplication::sendPostedEvents();
}

// The program's window as main() builds it, with the timer stopped so that
// ticks come only when asked for. A notice returns at once and is counted, so
// the cascade up to it and after it is the real one without a modal loop.
class ProgramWindow {
public:
    ProgramWindow() {
        mixer_.widgets().setNoticeShowerForTesting(
            [this](std::u16string_view, std::u16string_view) { ++notices_; });
        window.timer()->schedule().setManualForTesting(true);
        showActive(window);
    }

    [[nodiscard]] std::int64_t notices() const { return notices_; }

private:
    std::int64_t notices_ = 0;
    qt::QtBoundMixer mixer_;

public:
    qt::QtMixerWindow& window = mixer_.window;
};

} // namespace tintora::bench
