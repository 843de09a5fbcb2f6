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
#include <QWindow>

#include <stdexcept>

namespace tintora::testing {
namespace {

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
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
        pressKey(keyboardWindow(), action.key, action.modifiers);
        break;
    case UserAction::Kind::Type:
        typeCharacter(keyboardWindow(), toQString(action.text));
        break;
    case UserAction::Kind::Copy:
        QGuiApplication::clipboard()->setText(toQString(action.text));
        break;
    case UserAction::Kind::Click:
        click(action.row, action.spot);
        break;
    case UserAction::Kind::Drag:
        if (noticeOpen()) {
            // The blocked window drops the press, and there is no thumb to drag.
            click(action.row, Spot::Thumb);
        } else {
            dragThumb(keyboardWindow(), static_cast<QScrollBar*>(controlOf(action.row)),
                      action.amount);
        }
        break;
    case UserAction::Kind::Wheel:
        turnWheel(mixer_.window.windowHandle(), pointOn(controlOf(action.row), Spot::Middle),
                  action.amount, action.horizontal);
        break;
    case UserAction::Kind::Tick:
        emit mixer_.window.timer()->timeout();
        break;
    }
}

QWidget* QtPlayer::controlOf(std::size_t row) const {
    return mixer_.window.control(layoutTable.at(row).name, layoutTable.at(row).index);
}

void QtPlayer::click(std::size_t row, Spot spot) {
    if (row != NoticeButton) {
        clickAt(mixer_.window.windowHandle(), pointOn(controlOf(row), spot));
    } else if (QMessageBox* notice = openNotice()) {
        clickAt(notice->windowHandle(), pointOn(notice->buttons().first(), Spot::Middle));
    }
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
