#include "qt_driver.h"

#include "window/preview_box.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <stdexcept>

namespace tintora::testing {

void typeKeys(QWidget* widget, const QString& keys) {
    for (const QChar key : keys) {
        if (key == u'\b') {
            QTest::keyClick(widget, Qt::Key_Backspace);
        } else {
            const QString text(key);
            const int code = text.toUpper().at(0).unicode();
            const auto qtKey = code >= 0x20 && code < 0x7f ? static_cast<Qt::Key>(code)
                                                           : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, widget, qtKey, text, Qt::NoModifier);
        }
    }
}

QtDriver::QtDriver() {
    window.timer()->stop();
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    bindEvents(window, form_);
}

QtDriver::~QtDriver() = default;

QLineEdit* QtDriver::box(TextGroup group, std::int16_t index) const {
    return group == TextGroup::Text1 ? window.decimalBox(index) : window.hexBox(index);
}

void QtDriver::focusByKeyboard(QWidget* widget) {
    // A closed notice hands activation back to the window on a real desktop;
    // the offscreen platform needs to be told.
    if (QApplication::activeWindow() != &window) {
        QApplication::setActiveWindow(&window);
    }
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
    typeKeys(target,
             QString(reinterpret_cast<const QChar*>(keys.data()), static_cast<qsizetype>(keys.size())));
}

void QtDriver::click(std::int16_t index) {
    QLineEdit* target = window.decimalBox(index);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
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

void dragThumb(QScrollBar* slider, const std::function<bool()>& arrived) {
    const QPoint grip = sliderPart(slider, QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, grip);
    const QRect groove = sliderPart(slider, QStyle::SC_ScrollBarGroove);
    QPoint at = grip;
    for (int x = groove.left(); x <= groove.right() && !arrived(); ++x) {
        at.setX(x);
        QTest::mouseMove(slider, at);
    }
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, at);
}

void QtDriver::scroll(std::int16_t index, std::int16_t value) {
    // The user drags the thumb until it stands at the value and lets go.
    QScrollBar* slider = window.slider(index);
    if (slider->value() == value) {
        return;
    }
    dragThumb(slider, [slider, value] { return slider->sliderPosition() == value; });
    if (slider->value() != value) {
        throw std::runtime_error("no thumb position gives " + std::to_string(value));
    }
}

void QtDriver::tick() { QMetaObject::invokeMethod(window.timer(), "timeout", Qt::DirectConnection); }

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

std::optional<Colour> QtDriver::backColor() const { return window.preview()->colour(); }

int QtDriver::noticeCount() const { return static_cast<int>(notices.seen().size()); }

} // namespace tintora::testing
