#include "qt_testing/qt_player.h"

#include "qt/preview_box.h"
#include "qt/tick_timer.h"
#include "qt_testing/window_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <stdexcept>

namespace tintora::testing {
namespace {

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

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

QMessageBox* openNotice() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box != nullptr && box->isVisible() ? box : nullptr;
}

} // namespace

QtPlayer::QtPlayer() {
    QGuiApplication::clipboard()->clear();
    mixer_.window.timer()->schedule().setManualForTesting(true);
    mixer_.window.show();
    if (!waitForActivation(&mixer_.window)) {
        throw std::runtime_error("the platform did not activate the new window");
    }
}

QtPlayer::~QtPlayer() = default;

bool QtPlayer::noticeOpen() {
    return openNotice() != nullptr;
}

void QtPlayer::whileNoticeOpen(std::function<void()> action) {
    notices_.whileOpen(std::move(action));
}

QWindow* QtPlayer::keyboardWindow() {
    if (QMessageBox* notice = openNotice()) {
        return notice->windowHandle();
    }
    QWindow* main = mixer_.window.windowHandle();
    if (QGuiApplication::focusWindow() != main) {
        // As a window manager gives the keyboard back when a notice closes.
        mixer_.window.activateWindow();
        (void)QTest::qWaitFor([main] { return QGuiApplication::focusWindow() == main; });
    }
    return main;
}

void QtPlayer::play(const UserAction& action) {
    switch (action.kind) {
    case UserAction::Kind::Press:
        press(action.key, action.modifiers);
        break;
    case UserAction::Kind::Type:
        type(toQString(action.text));
        break;
    case UserAction::Kind::Copy:
        QGuiApplication::clipboard()->setText(toQString(action.text));
        break;
    case UserAction::Kind::Click:
        click(action.row, action.spot);
        break;
    case UserAction::Kind::Drag:
        drag(action.row, action.amount);
        break;
    case UserAction::Kind::Wheel:
        wheel(action.row, action.amount, action.horizontal);
        break;
    case UserAction::Kind::Tick:
        if (mixer_.window.timer()->schedule().isEnabled()) {
            emit mixer_.window.timer()->timeout();
        }
        break;
    }
}

void QtPlayer::press(Key key, unsigned modifiers) {
    Qt::KeyboardModifiers qtModifiers;
    qtModifiers.setFlag(Qt::ShiftModifier, (modifiers & Shift) != 0);
    qtModifiers.setFlag(Qt::ControlModifier, (modifiers & Control) != 0);
    // Shift+Tab arrives as Backtab, as the platforms deliver it.
    const Qt::Key code = key == Key::Tab && (modifiers & Shift) != 0 ? Qt::Key_Backtab : qtKey(key);
    QTest::keyClick(keyboardWindow(), code, qtModifiers);
}

void QtPlayer::type(const QString& character) {
    const char16_t unit = character.isEmpty() ? 0 : character.at(0).toUpper().unicode();
    const auto code = unit >= 0x20 && unit < 0x7f ? static_cast<Qt::Key>(unit) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, keyboardWindow(), code, character, Qt::NoModifier);
}

QPoint QtPlayer::pointOn(std::size_t row, Spot spot) const {
    const ControlRow& control = layoutTable.at(row);
    QWidget* widget = mixer_.window.control(control.name, control.index);
    const QRect place = widget->geometry().intersected(mixer_.window.rect());
    if (control.controlClass == ControlClass::TextBox && spot == Spot::AfterText) {
        return {place.right() - 3, place.center().y()};
    }
    if (control.controlClass != ControlClass::HScrollBar || spot == Spot::Middle) {
        return place.center();
    }
    auto* slider = static_cast<QScrollBar*>(widget);
    const QRect thumb = sliderPart(slider, QStyle::SC_ScrollBarSlider);
    const QRect left = sliderPart(slider, QStyle::SC_ScrollBarSubLine);
    const QRect right = sliderPart(slider, QStyle::SC_ScrollBarAddLine);
    const int middle = thumb.center().y();
    QPoint at;
    switch (spot) {
    case Spot::LeftArrow:
        at = left.center();
        break;
    case Spot::RightArrow:
        at = right.center();
        break;
    case Spot::TroughLeft:
        at = {(left.right() + thumb.left()) / 2, middle};
        break;
    case Spot::TroughRight:
        at = {(thumb.right() + right.left()) / 2, middle};
        break;
    default: // the thumb
        at = thumb.center();
        break;
    }
    return at + slider->pos();
}

void QtPlayer::click(std::size_t row, Spot spot) {
    if (row == NoticeButton) {
        if (QMessageBox* notice = openNotice()) {
            QAbstractButton* button = notice->buttons().first();
            QTest::mouseClick(notice->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              button->mapTo(notice, button->rect().center()));
        }
        return;
    }
    QTest::mouseClick(mixer_.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      pointOn(row, spot));
}

void QtPlayer::drag(std::size_t row, int value) {
    if (noticeOpen()) {
        // The blocked window drops the press; the keys would go to the notice.
        QTest::mouseClick(mixer_.window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          pointOn(row, Spot::Middle));
        return;
    }
    const ControlRow& control = layoutTable.at(row);
    auto* slider = static_cast<QScrollBar*>(mixer_.window.control(control.name, control.index));
    QWindow* window = mixer_.window.windowHandle();
    const QPoint grip = pointOn(row, Spot::Thumb);
    const QRect groove = sliderPart(slider, QStyle::SC_ScrollBarGroove).translated(slider->pos());
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, grip);
    const int step = slider->sliderPosition() < value ? 1 : -1;
    QPoint at = grip;
    for (QPoint next = grip + QPoint(step, 0);
         slider->value() != value && next.x() >= groove.left() && next.x() <= groove.right();
         next.rx() += step) {
        QTest::mouseMove(window, next);
        if (step > 0 && slider->sliderPosition() > value) {
            QTest::mouseMove(window, at); // one pixel too far: back to the last one before
            break;
        }
        at = next;
        if (slider->sliderPosition() == value || (step < 0 && slider->sliderPosition() < value)) {
            break;
        }
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at);
    // Not every value has a pixel of its own: the arrow keys take it the rest.
    while (slider->value() != value) {
        const int before = slider->value();
        QTest::keyClick(keyboardWindow(), before < value ? Qt::Key_Right : Qt::Key_Left);
        if (slider->value() == before) {
            break; // the difference will show
        }
    }
}

void QtPlayer::wheel(std::size_t row, int amount, bool horizontal) {
    QWindow* window = mixer_.window.windowHandle();
    if (QGuiApplication::modalWindow() != nullptr && QGuiApplication::modalWindow() != window) {
        return; // Qt drops wheel events for a window a modal one blocks
    }
    const QPoint at = pointOn(row, Spot::Middle);
    // Qt counts a horizontal wheel positive to the left.
    const QPoint angle = horizontal ? QPoint(-amount, 0) : QPoint(0, amount);
    QWheelEvent event(at, window->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &event);
}

SeenWindow QtPlayer::seen() {
    QtMixerWindow& window = mixer_.window;
    SeenWindow seen;
    for (int i = 0; i < ChannelCount; ++i) {
        seen.texts.at(static_cast<std::size_t>(i)) = window.decimalBox(i)->text().toStdU16String();
        seen.texts.at(static_cast<std::size_t>(ChannelCount + i)) =
            window.hexBox(i)->text().toStdU16String();
        seen.values.at(static_cast<std::size_t>(i)) = window.slider(i)->value();
    }

    PreviewBox* preview = window.preview();
    const QImage pixels = preview->grab(preview->colourArea()).toImage();
    const QRgb first = pixels.pixel(0, 0);
    for (int y = 0; y < pixels.height() && seen.previewFault.empty(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            if (pixels.pixel(x, y) != first) {
                seen.previewFault = "not one colour: " + QColor(first).name().toStdString() +
                                    " and " + QColor(pixels.pixel(x, y)).name().toStdString() +
                                    " at " + std::to_string(x) + "," + std::to_string(y);
                break;
            }
        }
    }
    if (preview->colour()) {
        seen.preview = static_cast<Colour>(qRed(first) | qGreen(first) << 8 | qBlue(first) << 16);
    } else if (seen.previewFault.empty() &&
               QColor(first) != preview->palette().color(QPalette::Base)) {
        seen.previewFault = "shows " + QColor(first).name().toStdString() +
                            " before its first paint, not the window colour";
    }

    if (QMessageBox* notice = openNotice()) {
        seen.notice = notice->text().toStdU16String();
    }
    QWidget* focused = window.focusWidget();
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (focused != nullptr &&
            window.control(layoutTable[row].name, layoutTable[row].index) == focused) {
            seen.focus = row;
        }
    }
    seen.timerRunning = window.timer()->schedule().isEnabled();
    return seen;
}

} // namespace tintora::testing
