// The windows the Qt benchmarks and keystroke_count drive: the program's
// window wired as main() wires it, and the bare window, a bare line edit with
// nothing connected.
#pragma once

#include "layout/layout_table.h"
#include "qt/qt_bound_mixer.h"
#include "qt/tick_timer.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <stdexcept>

namespace tintora::bench {

inline void showAndActivate(QWidget& window) {
    window.show();
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    QCoreApplication::processEvents();
}

// Gives the focus the way the Tab key does.
inline void focus(QWidget* widget) {
    widget->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != widget) {
        throw std::runtime_error("could not focus the widget");
    }
}

// One key pressed and released, as the platform delivers it to a widget:
// shortcut override first, then the press and the release.
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
class QtRig {
public:
    QtRig() {
        mixer_.widgets().setNoticeShowerForTesting(
            [this](std::u16string_view, std::u16string_view) { ++notices_; });
        window.timer()->schedule().setManualForTesting(true);
        showAndActivate(window);
    }

    [[nodiscard]] std::int64_t notices() const { return notices_; }

private:
    std::int64_t notices_ = 0;
    qt::QtBoundMixer mixer_;

public:
    qt::QtMixerWindow& window = mixer_.window;
};

// The bare window: one bare line edit where the red decimal box is, in a window of
// the same size, nothing connected.
class BareRig {
public:
    BareRig() {
        window.setFixedSize(tintora::clientWidthPixels, tintora::clientHeightPixels);
        box.setMaxLength(3);
        box.setGeometry(248, 152, 33, 19);
        showAndActivate(window);
        focus(&box);
    }
    QWidget window;
    QLineEdit box{QStringLiteral("12"), &window};
};

// Puts "12" in the box with the cursor at its end, ready for typeNext().
inline void prepareTyping(QLineEdit* box) {
    box->setText(QStringLiteral("12"));
    box->end(false);
    letQtRepaint();
}

// '3' after "12", then Backspace, and so on: every key changes the text.
inline void typeNext(QLineEdit* box, bool& typed) {
    pressKey(box, typed ? Qt::Key_Backspace : Qt::Key_3);
    typed = !typed;
}

} // namespace tintora::bench
