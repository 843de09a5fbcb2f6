#include "qt_testing/window_input.h"

#include <QGuiApplication>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWindow>

namespace tintora::testing {

void typeKeys(QWidget* widget, const QString& keys) {
    for (qsizetype at = 0; at < keys.size(); ++at) {
        if (keys.at(at) == u'\b') {
            QTest::keyClick(widget, Qt::Key_Backspace);
        } else {
            // A character outside the BMP is one key: both halves of its pair.
            const bool pair = keys.at(at).isHighSurrogate() && at + 1 < keys.size() &&
                              keys.at(at + 1).isLowSurrogate();
            const QString text = keys.mid(at, pair ? 2 : 1);
            at += pair ? 1 : 0;
            const int code = text.toUpper().at(0).unicode();
            const auto qtKey =
                code >= 0x20 && code < 0x7f ? static_cast<Qt::Key>(code) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, widget, qtKey, text, Qt::NoModifier);
        }
    }
}

bool waitForActivation(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window)) {
        return false;
    }
    // An X server without a window manager activates nothing by itself: the
    // window asks, as a window manager would activate a new window for it.
    if (QGuiApplication::focusWindow() != window->windowHandle()) {
        window->activateWindow();
    }
    return QTest::qWaitFor(
        [window] { return QGuiApplication::focusWindow() == window->windowHandle(); });
}

QRect sliderPart(QScrollBar* slider, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.upsideDown = slider->invertedAppearance();
    return slider->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, slider);
}

void dragThumb(QScrollBar* slider, int target, const std::function<void()>& eachMove) {
    const QPoint grip = sliderPart(slider, QStyle::SC_ScrollBarSlider).center();
    const QRect groove = sliderPart(slider, QStyle::SC_ScrollBarGroove);
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, grip);
    const int step = slider->sliderPosition() < target ? 1 : -1;
    QPoint at = grip;
    for (QPoint next = grip; next.x() >= groove.left() && next.x() <= groove.right();
         next.rx() += step) {
        QTest::mouseMove(slider, next);
        if (eachMove) {
            eachMove();
        }
        if (step > 0 && slider->sliderPosition() > target) {
            QTest::mouseMove(slider, at); // one pixel too far: back to the last one before
            break;
        }
        at = next;
        if (slider->sliderPosition() == target || (step < 0 && slider->sliderPosition() < target)) {
            break;
        }
    }
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace tintora::testing
