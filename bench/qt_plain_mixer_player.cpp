#include "qt_plain_mixer_player.h"

#include "qt_testing/laid_out_window.h"
#include "qt_testing/window_input.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>

#include <stdexcept>

namespace tintora::bench {

QtPlainMixerPlayer::QtPlainMixerPlayer()
    : controls_(buildReferenceControls(window_)) {
    for (QLineEdit* box : controls_.decimalBoxes) {
        QObject::connect(box, &QLineEdit::textEdited, &window_, [this, box] { check(box, 10); });
    }
    for (QLineEdit* box : controls_.hexBoxes) {
        QObject::connect(box, &QLineEdit::textEdited, &window_, [this, box] { check(box, 16); });
    }
    controls_.preview->setAutoFillBackground(true);
    for (QScrollBar* slider : controls_.sliders) {
        QObject::connect(slider, &QScrollBar::valueChanged, &window_, [this] { paintPreview(); });
    }
    window_.show();
    if (!testing::waitForActivation(&window_)) {
        throw std::runtime_error("the platform did not activate the plain mixer");
    }
}

QtPlainMixerPlayer::~QtPlainMixerPlayer() = default;

void QtPlainMixerPlayer::play(const testing::UserAction& action) {
    testing::playInput({&window_, [this](std::size_t row) { return controls_.byRow.at(row); }},
                       action);
}

bool QtPlainMixerPlayer::noticeOpen() {
    return testing::openNotice() != nullptr;
}

void QtPlainMixerPlayer::whileNoticeOpen(std::function<void()> action) {
    notices_.whileOpen(std::move(action));
}

testing::SeenWindow QtPlainMixerPlayer::seen() {
    testing::SeenWindow seen;
    for (std::size_t i = 0; i < ChannelCount; ++i) {
        seen.texts.at(i) = controls_.decimalBoxes.at(i)->text().toStdU16String();
        seen.texts.at(ChannelCount + i) = controls_.hexBoxes.at(i)->text().toStdU16String();
        seen.values.at(i) = controls_.sliders.at(i)->value();
    }
    seen.preview = painted_;
    if (QMessageBox* notice = testing::openNotice()) {
        seen.notice = notice->text().toStdU16String();
    }
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (controls_.byRow[row] == window_.focusWidget()) {
            seen.focus = row;
        }
    }
    return seen;
}

void QtPlainMixerPlayer::check(QLineEdit* box, int base) {
    bool ok = false;
    const QString text = box->text();
    const int value = text.toInt(&ok, base);
    if (text.isEmpty() || (ok && value >= SliderMin && value <= SliderMax)) {
        return;
    }
    QMessageBox::warning(&window_, QStringLiteral("出错了"), QStringLiteral("请输入数据0-255!"));
    box->setText(QStringLiteral("0"));
}

void QtPlainMixerPlayer::paintPreview() {
    const int red = controls_.sliders[0]->value();
    const int green = controls_.sliders[1]->value();
    const int blue = controls_.sliders[2]->value();
    QPalette palette = controls_.preview->palette();
    palette.setColor(QPalette::Window, QColor(red, green, blue));
    controls_.preview->setPalette(palette);
    painted_ = static_cast<Colour>(red | green << 8 | blue << 16);
}

} // namespace tintora::bench
