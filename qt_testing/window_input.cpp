#include "qt_testing/window_input.h"

#include <QGuiApplication>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace tintora::testing {
namespace {

Qt::Key qtKey(Key key) {
    switch (key) {
    case Key::Tab:
        return Qt::Key_Tab;
    case Key::Left:
        return Qt::Key_Left;
    case Key::Right:
        return Qt::Key_Right;
    case Key::Up:
        return Qt::Key_Up;
    case Key::Down:
        return Qt::Key_Down;
    case Key::Home:
        return Qt::Key_Home;
    case Key::End:
        return Qt::Key_End;
    case Key::PageUp:
        return Qt::Key_PageUp;
    case Key::PageDown:
        return Qt::Key_PageDown;
    case Key::Backspace:
        return Qt::Key_Backspace;
    case Key::Delete:
        return Qt::Key_Delete;
    case Key::Return:
        return Qt::Key_Return;
    case Key::Escape:
        return Qt::Key_Escape;
    case Key::Space:
        return Qt::Key_Space;
    case Key::A:
        return Qt::Key_A;
    case Key::C:
        return Qt::Key_C;
    case Key::V:
        return Qt::Key_V;
    case Key::X:
        return Qt::Key_X;
    }
    return Qt::Key_unknown;
}

} // namespace

void pressKey(QWindow* window, Key key, unsigned modifiers) {
    Qt::KeyboardModifiers held;
    held.setFlag(Qt::ShiftModifier, (modifiers & Shift) != 0);
    held.setFlag(Qt::ControlModifier, (modifiers & Control) != 0);
    const Qt::Key code = key == Key::Tab && (modifiers & Shift) != 0 ? Qt::Key_Backtab : qtKey(key);
    QTest::keyClick(window, code, held);
}

void typeCharacter(QWindow* window, const QString& character) {
    const char16_t unit = character.isEmpty() ? 0 : character.at(0).toUpper().unicode();
    const auto code = unit >= 0x20 && unit < 0x7f ? static_cast<Qt::Key>(unit) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, window, code, character, Qt::NoModifier);
}

void clickAt(QWindow* window, QPoint at) {
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
}

void turnWheel(QWindow* window, QPoint at, int amount, bool horizontal) {
    // The platform's wheel events reach no window a modal one blocks.
    if (QGuiApplication::modalWindow() != nullptr && QGuiApplication::modalWindow() != window) {
        return;
    }
    // Qt counts a horizontal wheel positive to the left.
    const QPoint angle = horizontal ? QPoint(-amount, 0) : QPoint(0, amount);
    QWheelEvent event(at, window->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &event);
}

QRect sliderPart(const QScrollBar* slider, QStyle::SubControl part) {
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

QPoint pointOn(const QWidget* control, Spot spot) {
    const QWidget* window = control->window();
    const QRect place =
        QRect(control->mapTo(window, QPoint(0, 0)), control->size()).intersected(window->rect());
    const auto* slider = qobject_cast<const QScrollBar*>(control);
    if (spot == Spot::AfterText) {
        return {place.right() - 3, place.center().y()};
    }
    if (slider == nullptr || spot == Spot::Middle) {
        return place.center();
    }
    const QRect thumb = sliderPart(slider, QStyle::SC_ScrollBarSlider);
    const QRect left = sliderPart(slider, QStyle::SC_ScrollBarSubLine);
    const QRect right = sliderPart(slider, QStyle::SC_ScrollBarAddLine);
    const int middle = thumb.center().y();
    QPoint at = thumb.center();
    if (spot == Spot::LeftArrow) {
        at = left.center();
    } else if (spot == Spot::RightArrow) {
        at = right.center();
    } else if (spot == Spot::TroughLeft) {
        at = {(left.right() + thumb.left()) / 2, middle};
    } else if (spot == Spot::TroughRight) {
        at = {(thumb.right() + right.left()) / 2, middle};
    }
    return slider->mapTo(window, at);
}

void dragThumb(QWindow* window, QScrollBar* slider, int value,
               const std::function<void()>& eachMove) {
    const QPoint grip = pointOn(slider, Spot::Thumb);
    const QPoint offset = grip - sliderPart(slider, QStyle::SC_ScrollBarSlider).center();
    const QRect groove = sliderPart(slider, QStyle::SC_ScrollBarGroove).translated(offset);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, grip);
    const int step = slider->sliderPosition() < value ? 1 : -1;
    QPoint at = grip;
    for (QPoint next = grip + QPoint(step, 0);
         slider->sliderPosition() != value && next.x() >= groove.left() &&
         next.x() <= groove.right();
         next.rx() += step) {
        QTest::mouseMove(window, next);
        if (eachMove) {
            eachMove();
        }
        if (step > 0 && slider->sliderPosition() > value) {
            QTest::mouseMove(window, at); // one pixel too far: back to the last one before
            break;
        }
        at = next;
        if (step < 0 && slider->sliderPosition() < value) {
            break;
        }
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
    while (slider->value() != value && slider->hasFocus()) {
        const int before = slider->value();
        pressKey(window, before < value ? Key::Right : Key::Left);
        if (slider->value() == before) {
            break;
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

} // namespace tintora::testing
