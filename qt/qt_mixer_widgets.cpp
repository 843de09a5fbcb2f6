#include "qt/qt_mixer_widgets.h"

#include "qt/notice_box.h"
#include "qt/preview_box.h"
#include "qt/qt_mixer_window.h"
#include "qt/tick_timer.h"

#include <QLineEdit>
#include <QScrollBar>

namespace tintora::qt {
namespace {

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

} // namespace

QtMixerWidgets::QtMixerWidgets(QtMixerWindow& window)
    : window_(window) {}

Text QtMixerWidgets::heldText(TextGroup group, std::int16_t index) const {
    return window_.box(group, index)->text().toStdU16String();
}

void QtMixerWidgets::assignText(TextGroup group, std::int16_t index, std::u16string_view text) {
    window_.box(group, index)->setText(toQString(text));
}

std::int16_t QtMixerWidgets::heldValue(std::int16_t index) const {
    return static_cast<std::int16_t>(window_.slider(index)->value());
}

void QtMixerWidgets::assignValue(std::int16_t index, std::int16_t value) {
    window_.slider(index)->setValue(value);
}

void QtMixerWidgets::setBackColor(Colour colour) {
    window_.preview()->setColour(colour);
}

void QtMixerWidgets::setTimerEnabled(bool enabled) {
    window_.timer()->schedule().setEnabled(enabled);
}

void QtMixerWidgets::showNotice(std::u16string_view prompt, std::u16string_view title) {
    if (showNotice_) {
        showNotice_(prompt, title);
        return;
    }
    showNoticeBox(&window_, toQString(prompt), toQString(title));
}

} // namespace tintora::qt
