// What only real widgets can show: key, mouse and drag input reaching the
// handlers through Qt's own event handling, the notice as the user sees it,
// and the live timer.
#include "qt/caret_rest.h"
#include "qt/preview_box.h"
#include "qt/tick_timer.h"
#include "qt_testing/qt_player.h"
#include "qt_testing/window_input.h"
#include "scenarios/call_log.h"
#include "scenarios/user_steps.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

namespace tintora::testing {
namespace {

class WindowInput : public ::testing::Test {
protected:
    WindowInput() { d.form().setTraceForTesting(&log); }
    ~WindowInput() override { d.form().setTraceForTesting(nullptr); }

    void expectRed(const QString& decimal, const QString& hex, int value) {
        EXPECT_EQ(window.decimalBox(0)->text(), decimal);
        EXPECT_EQ(window.hexBox(0)->text(), hex);
        EXPECT_EQ(window.slider(0)->value(), value);
    }

    // Gives the focus to a widget the way the Tab key does (no click).
    void focusByKeyboard(QWidget* widget) {
        (void)d.player.keyboardWindow(); // the window active, as after a notice
        widget->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), widget);
    }

    UserSteps<QtPlayer> d;
    qt::QtMixerWindow& window = d.player.window();
    CallLog log;
};

TEST_F(WindowInput, KeyClicksIntoADecimalBoxRunOneCascadePerKey) {
    QLineEdit* box = window.decimalBox(0);
    focusByKeyboard(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, "200");
    expectRed("200", "C8", 200);
    EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "Text1_Change(0)"), 3);
    QTest::keyClick(box, Qt::Key_Backspace);
    expectRed("20", "14", 20);
}

TEST_F(WindowInput, PastingWhatABoxAlreadyHoldsRunsNoHandler) {
    d.paste(TextGroup::Text2, 0, u"0");
    d.paste(TextGroup::Text1, 0, u"0");
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(WindowInput, ADraggedThumbRaisesChangeOnceOnRelease) {
    QScrollBar* slider = window.slider(0);
    bool boxFollowedDuringDrag = false;
    dragThumb(window.windowHandle(), slider, 100, [&] {
        boxFollowedDuringDrag |= window.decimalBox(0)->text() != QStringLiteral("0");
    });
    EXPECT_FALSE(boxFollowedDuringDrag);
    EXPECT_LE(slider->value(), 100);
    EXPECT_EQ(std::count(log.calls.begin(), log.calls.end(), "HScroll1_Change(0)"), 1);
    EXPECT_EQ(window.decimalBox(0)->text(), QString::number(slider->value()));
}

TEST_F(WindowInput, TheNoticeIsAModalBoxWithOneChineseButtonAndNoIcon) {
    bool windowBlocked = false;
    d.whileNoticeOpen([&] {
        windowBlocked = QApplication::activeModalWidget() != &window &&
                        QApplication::activeModalWidget() != nullptr;
    });
    d.type(TextGroup::Text1, 0, u"x");
    ASSERT_EQ(d.player.notices().seen().size(),
              2u); // nothing remembered: notice, emptied box, notice
    const SeenNotice& notice = d.player.notices().seen().front();
    EXPECT_EQ(notice.text, QStringLiteral("请输入数据0-255!"));
    EXPECT_EQ(notice.title, QStringLiteral("出错了"));
    EXPECT_EQ(notice.icon, QMessageBox::NoIcon);
    EXPECT_EQ(notice.modality, Qt::ApplicationModal);
    EXPECT_EQ(notice.buttons, QStringList{QStringLiteral("确定")});
    EXPECT_TRUE(windowBlocked);
    EXPECT_EQ(d.player.notices().deepestOpen(), 1);
}

TEST_F(WindowInput, ReturnAndEscapeDismissTheNoticeWhoseOneButtonIsTheDefault) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        int dismissedByKey = 0;
        d.whileNoticeOpen([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            ASSERT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->buttons().front());
            QTest::keyClick(box, key);
            dismissedByKey += box->isVisible() ? 0 : 1;
        });
        const auto before = static_cast<int>(d.player.notices().seen().size());
        d.type(TextGroup::Text1, 0, u"x");
        EXPECT_EQ(dismissedByKey, static_cast<int>(d.player.notices().seen().size()) - before)
            << key;
        EXPECT_GT(dismissedByKey, 0) << key;
    }
}

TEST_F(WindowInput, ClicksOnLabelsAndThePreviewRunNoHandler) {
    for (const char* name : {"Label1", "Label4", "Label10", "Label12"}) {
        QTest::mouseClick(window.control(name), Qt::LeftButton);
    }
    QTest::mouseClick(window.preview(), Qt::LeftButton);
    // Pressed there and released over a decimal box: the press holds the mouse.
    const QPoint overBox = window.decimalBox(2)->geometry().center();
    for (QWidget* pressed : {window.control("Label4"), static_cast<QWidget*>(window.preview())}) {
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          pressed->geometry().center());
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, overBox);
    }
    EXPECT_TRUE(log.calls.empty());
}

// Clicked through the window, which picks the widget under the pointer.
TEST_F(WindowInput, ThePixelALabelSharesWithTheRedRowBelongsToTheRow) {
    d.paste(TextGroup::Text1, 0, u"77");
    const std::pair<const char*, QWidget*> strips[] = {
        {"Label10", window.decimalBox(0)},
        {"Label11", window.hexBox(0)},
        {"Label1", window.slider(0)},
    };
    for (const auto& [label, control] : strips) {
        const QRect shared = window.control(label)->geometry().intersected(control->geometry());
        ASSERT_FALSE(shared.isEmpty()) << label;
        focusByKeyboard(window.preview());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, shared.center());
        EXPECT_EQ(QApplication::focusWidget(), control) << label;
    }
    EXPECT_EQ(d.form().rememberedText(), u"77");
}

TEST_F(WindowInput, TheBoxesContextMenuSpeaksChinese) {
    // Qt's own translation is loaded at start-up, once.
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy").remove(u'&'),
              QStringLiteral("复制(C)").remove(u'&'))
        << QCoreApplication::translate("QLineEdit", "&Copy").toStdString();
}

TEST_F(WindowInput, TheLiveTimerPaintsBlackSleepsAndWakesOnAKeyPress) {
    qt::TickTimer* timer = window.timer();
    timer->schedule().setManualForTesting(false);
    qt::PreviewBox* preview = window.preview();
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview->colour().has_value(); }, 5000));
    EXPECT_EQ(preview->colour(), 0u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !timer->schedule().isRunning(); }, 5000));
    QCoreApplication::processEvents(); // the paint of black, if it is still to come
    const int paintsAfterBlack = preview->paintCountForTesting();
    for (int i = 0; i < 5; ++i) {
        d.tick();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(preview->paintCountForTesting(), paintsAfterBlack);

    d.type(TextGroup::Text1, 1, u"1"); // green
    EXPECT_TRUE(timer->schedule().isRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !timer->schedule().isRunning(); }, 5000));
    EXPECT_EQ(preview->colour(), 0x000100u);
}

// Timers the box and its parts run: while it has the focus, the caret's blink.
int boxTimers(QLineEdit* box) {
    QObjectList parts = box->findChildren<QObject*>();
    parts.append(box);
    int timers = 0;
    for (QObject* part : parts) {
        timers +=
            static_cast<int>(QAbstractEventDispatcher::instance()->registeredTimers(part).size());
    }
    return timers;
}

TEST_F(WindowInput, AFocusedBoxCaretRestsAfterAQuietSpellAndAKeyOrAClickWakesIt) {
    auto* caret = QCoreApplication::instance()->findChild<qt::CaretRest*>();
    ASSERT_NE(caret, nullptr);
    // The tests' desktop never blinks; this one does, with a short quiet spell.
    struct BlinkingDesktop {
        explicit BlinkingDesktop(qt::CaretRest& rest, QWidget& window)
            : rest(rest)
            , window(window) {
            QGuiApplication::styleHints()->setCursorFlashTime(1000);
            rest.setQuietSpell(std::chrono::milliseconds(50));
        }
        ~BlinkingDesktop() {
            QTest::keyClick(&window, Qt::Key_Shift); // awake, then still for good
            QGuiApplication::styleHints()->setCursorFlashTime(0);
            rest.setQuietSpell(qt::CaretRest::defaultQuietSpell);
        }
        qt::CaretRest& rest;
        QWidget& window;
    } blinking(*caret, window);

    QLineEdit* box = window.decimalBox(0);
    d.paste(TextGroup::Text1, 0, u"123");
    QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
    const auto state = [&] {
        return std::tuple(box->text(), box->selectedText(), box->cursorPosition(),
                          QApplication::focusWidget());
    };
    const auto before = state();
    ASSERT_EQ(std::get<1>(before), QStringLiteral("3"));
    const auto handlerCalls = log.calls.size();
    const std::pair<const char*, std::function<void()>> wakers[] = {
        {"key press", [&] { QTest::keyClick(box, Qt::Key_Shift); }},
        {"click on a label", [&] { QTest::mouseClick(window.control("Label10"), Qt::LeftButton); }},
    };
    for (const auto& [how, wakeUp] : wakers) {
        EXPECT_GT(boxTimers(box), 0) << how;
        ASSERT_TRUE(QTest::qWaitFor([&] { return caret->isResting(); }, 5000)) << how;
        EXPECT_EQ(boxTimers(box), 0) << how;
        EXPECT_TRUE(state() == before) << how;
        wakeUp();
        EXPECT_FALSE(caret->isResting()) << how;
        EXPECT_GT(boxTimers(box), 0) << how;
        EXPECT_TRUE(state() == before) << how;
    }
    EXPECT_EQ(log.calls.size(), handlerCalls);
}

} // namespace
} // namespace tintora::testing
