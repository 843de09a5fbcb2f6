#include "qt_driver.h"

#include "qt/preview_box.h"
#include "qt/tick_timer.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <algorithm>
#include <stdexcept>

namespace tintora::testing {

QtDriver::QtDriver() {
    window.timer()->schedule().setManualForTesting(true);
    window.show();
    if (!waitForActivation(&window)) {
        throw std::runtime_error("the platform did not activate the new window");
    }
}

QtDriver::~QtDriver() = default;

QLineEdit* QtDriver::box(TextGroup group, std::int16_t index) const {
    return window.box(group, index);
}

void QtDriver::activate() {
    // A closed notice hands activation back to the window on a real desktop;
    // the offscreen platform needs to be told.
    if (QApplication::activeWindow() != &window) {
        window.activateWindow();
        (void)QTest::qWaitFor([this] { return QApplication::activeWindow() == &window; });
    }
}

void QtDriver::focusByKeyboard(QWidget* widget) {
    activate();
    widget->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != widget) {
        throw std::runtime_error("could not focus the widget");
    }
}

void QtDriver::paste(TextGroup group, std::int16_t index, std::u16string_view text) {
    QLineEdit* target = box(group, index);
    focusByKeyboard(target);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (text.empty()) {
        QTest::keyClick(target, Qt::Key_Delete);
        return;
    }
    QGuiApplication::clipboard()->setText(
        QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size())));
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

void QtDriver::type(TextGroup group, std::int16_t index, std::u16string_view keys) {
    QLineEdit* target = box(group, index);
    focusByKeyboard(target);
    QTest::keyClick(target, Qt::Key_End);
    typeKeys(target, QString(reinterpret_cast<const QChar*>(keys.data()),
                             static_cast<qsizetype>(keys.size())));
}

void QtDriver::click(std::int16_t index) {
    QLineEdit* target = window.decimalBox(index);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
}

void QtDriver::scroll(std::int16_t index, std::int16_t value) {
    // The user drags the thumb to the nearest position at or before the value,
    // lets go, and nudges it the rest of the way with the arrow keys: at 100 %
    // not every value has a pixel of its own.
    QScrollBar* slider = window.slider(index);
    if (slider->value() == value) {
        return;
    }
    activate();
    dragThumb(slider, value);
    if (QApplication::focusWidget() != slider) {
        throw std::runtime_error("the dragged slider did not take the focus");
    }
    while (slider->value() != value) {
        const int before = slider->value();
        QTest::keyClick(slider, before < value ? Qt::Key_Right : Qt::Key_Left);
        if (slider->value() == before) {
            throw std::runtime_error("the arrow keys do not move the slider");
        }
    }
}

void QtDriver::tick() {
    emit window.timer()->timeout();
}

void QtDriver::whileNoticeOpen(std::function<void()> action) {
    notices.whileOpen(std::move(action));
}

Text QtDriver::text(TextGroup group, std::int16_t index) const {
    const QString held = box(group, index)->text();
    return {reinterpret_cast<const char16_t*>(held.utf16()), static_cast<std::size_t>(held.size())};
}

std::int16_t QtDriver::value(std::int16_t index) const {
    return static_cast<std::int16_t>(window.slider(index)->value());
}

std::optional<Colour> QtDriver::backColor() const {
    return window.preview()->colour();
}

bool QtDriver::timerEnabled() const {
    return window.timer()->schedule().isEnabled();
}

int QtDriver::noticeCount() const {
    return static_cast<int>(notices.seen().size());
}

} // namespace tintora::testing
