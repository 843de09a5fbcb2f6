#include "qt_testing/laid_out_window.h"

#include "qt_testing/window_input.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

namespace tintora::testing {
namespace {

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

void click(const LaidOutWindow& on, std::size_t row, Spot spot) {
    if (row != NoticeButton) {
        clickAt(on.window->windowHandle(), pointOn(on.control(row), spot));
    } else if (QMessageBox* notice = openNotice()) {
        clickAt(notice->windowHandle(), pointOn(notice->buttons().first(), Spot::Middle));
    }
}

} // namespace

QMessageBox* openNotice() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box != nullptr && box->isVisible() ? box : nullptr;
}

QWindow* keyboardWindow(QWidget* window) {
    if (QMessageBox* notice = openNotice()) {
        return notice->windowHandle();
    }
    QWindow* main = window->windowHandle();
    if (QGuiApplication::focusWindow() != main) {
        window->activateWindow();
        (void)QTest::qWaitFor([main] { return QGuiApplication::focusWindow() == main; });
    }
    return main;
}

void playInput(const LaidOutWindow& on, const UserAction& action) {
    switch (action.kind) {
    case UserAction::Kind::Press:
        pressKey(keyboardWindow(on.window), action.key, action.modifiers);
        break;
    case UserAction::Kind::Type:
        typeCharacter(keyboardWindow(on.window), toQString(action.text));
        break;
    case UserAction::Kind::Copy:
        QGuiApplication::clipboard()->setText(toQString(action.text));
        break;
    case UserAction::Kind::Click:
        click(on, action.row, action.spot);
        break;
    case UserAction::Kind::Drag:
        if (openNotice() != nullptr) {
            // The blocked window drops the press, and there is no thumb to drag.
            click(on, action.row, Spot::Thumb);
        } else {
            dragThumb(keyboardWindow(on.window), static_cast<QScrollBar*>(on.control(action.row)),
                      action.amount);
        }
        break;
    case UserAction::Kind::Wheel:
        turnWheel(on.window->windowHandle(), pointOn(on.control(action.row), Spot::Middle),
                  action.amount, action.horizontal);
        break;
    case UserAction::Kind::Tick:
        break;
    }
}

} // namespace tintora::testing
