#include "qt_testing/qt_player.h"

#include "qt/preview_box.h"
#include "qt/tick_timer.h"
#include "qt_testing/laid_out_window.h"
#include "qt_testing/window_input.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>

#include <stdexcept>

namespace tintora::testing {

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
    return testing::keyboardWindow(&mixer_.window);
}

void QtPlayer::play(const UserAction& action) {
    if (action.kind == UserAction::Kind::Tick) {
        emit mixer_.window.timer()->timeout();
        return;
    }
    playInput({&mixer_.window, [this](std::size_t row) { return controlOf(row); }}, action);
}

QWidget* QtPlayer::controlOf(std::size_t row) const {
    return mixer_.window.control(layoutTable.at(row).name, layoutTable.at(row).index);
}

SeenWindow QtPlayer::seen() {
    qt::QtMixerWindow& window = mixer_.window;
    SeenWindow seen;
    for (int i = 0; i < ChannelCount; ++i) {
        seen.texts.at(static_cast<std::size_t>(i)) = window.decimalBox(i)->text().toStdU16String();
        seen.texts.at(static_cast<std::size_t>(ChannelCount + i)) =
            window.hexBox(i)->text().toStdU16String();
        seen.values.at(static_cast<std::size_t>(i)) = window.slider(i)->value();
    }

    qt::PreviewBox* preview = window.preview();
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
