#include "window/qt_mixer_widgets.h"

#include "mixer/failure.h"
#include "window/mixer_window.h"
#include "window/notice_box.h"
#include "window/preview_box.h"
#include "window/tick_timer.h"

#include <QLineEdit>
#include <QScrollBar>

#include <utility>

namespace tintora {
namespace {

void checkIndex(std::int16_t index) {
    if (index < 0 || index >= ChannelCount) {
        throw Failure{};
    }
}

QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

} // namespace

QtMixerWidgets::QtMixerWidgets(MixerWindow& window, NoticeShower showNotice)
    : window_(window)
    , showNotice_(std::move(showNotice)) {}

Text QtMixerWidgets::text(TextGroup group, std::int16_t index) const {
    checkIndex(index);
    const QLineEdit* box =
        group == TextGroup::Text1 ? window_.decimalBox(index) : window_.hexBox(index);
    const QString text = box->text();
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

void QtMixerWidgets::setText(TextGroup group, std::int16_t index, std::u16string_view text) {
    checkIndex(index);
    QLineEdit* box = group == TextGroup::Text1 ? window_.decimalBox(index) : window_.hexBox(index);
    box->setText(toQString(cutToLength(text, maxLength(group))));
}

std::int16_t QtMixerWidgets::value(std::int16_t index) const {
    checkIndex(index);
    return static_cast<std::int16_t>(window_.slider(index)->value());
}

void QtMixerWidgets::setValue(std::int16_t index, std::int16_t value) {
    checkIndex(index);
    if (value < SliderMin || value > SliderMax) {
        throw Failure{}; // refused, where QScrollBar would clamp and report a change
    }
    window_.slider(index)->setValue(value);
}

void QtMixerWidgets::setBackColor(Colour colour) {
    window_.preview()->setColour(colour);
}

void QtMixerWidgets::setTimerEnabled(bool enabled) {
    window_.timer()->setEnabled(enabled);
}

void QtMixerWidgets::showNotice(std::u16string_view prompt, std::u16string_view title) {
    if (showNotice_) {
        showNotice_(prompt, title);
        return;
    }
    showNoticeBox(&window_, toQString(prompt), toQString(title));
}

} // namespace tintora
