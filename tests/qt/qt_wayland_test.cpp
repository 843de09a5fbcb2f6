// What only the compositor decides on Wayland, asked of a real one: which
// window has the keyboard, where windows lie, and who draws their frames. A
// client can neither activate nor place its own windows there, so nothing here
// tells Qt; the test waits for what the compositor gives and asks it where
// things are.
#include "qt_testing/qt_player.h"
#include "scenarios/user_steps.h"

#include "qt/qt_bound_mixer.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <iterator>

#include <gtest/gtest.h>

namespace tintora::testing {
namespace {

// The window with this caption in sway's tree (empty if it is not mapped).
QJsonObject compositorNode(const QString& caption) {
    QProcess swaymsg;
    swaymsg.start(QStringLiteral("swaymsg"), {QStringLiteral("-t"), QStringLiteral("get_tree")});
    if (!swaymsg.waitForFinished(5000)) {
        return {};
    }
    QJsonArray stack{QJsonDocument::fromJson(swaymsg.readAllStandardOutput()).object()};
    while (!stack.isEmpty()) {
        const QJsonObject node = stack.takeAt(0).toObject();
        if (node[QStringLiteral("name")].toString() == caption &&
            node.contains(QStringLiteral("pid"))) {
            return node;
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue child : node[QLatin1String(children)].toArray()) {
                stack.append(child);
            }
        }
    }
    return {};
}

// Its frame, in output coordinates (empty if it is not mapped).
QRect compositorRect(const QString& caption) {
    const QJsonObject r = compositorNode(caption)[QStringLiteral("rect")].toObject();
    return {r[QStringLiteral("x")].toInt(), r[QStringLiteral("y")].toInt(),
            r[QStringLiteral("width")].toInt(), r[QStringLiteral("height")].toInt()};
}

class WaylandNotice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"))
            << "this suite asks a Wayland compositor";
    }

    UserSteps<QtPlayer> d;
    qt::QtMixerWindow& window = d.player.window();
};

TEST_F(WaylandNotice, TakesTheKeyboardLiesOverTheWindowAndGivesTheKeyboardBack) {
    QLineEdit* red = window.decimalBox(0);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        d.click(0); // remembers "0": one notice, then the box holds "0" again
        bool noticeHadKeyboard = false;
        bool transientOfWindow = false;
        QRect noticeRect;
        QRect windowRect;
        int noticesShown = 0;
        d.whileNoticeOpen([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            transientOfWindow = box->windowHandle()->transientParent() == window.windowHandle();
            noticeHadKeyboard = QTest::qWaitFor(
                [&] { return QGuiApplication::focusWindow() == box->windowHandle(); }, 5000);
            (void)QTest::qWaitFor([&] { return !compositorRect(box->windowTitle()).isEmpty(); },
                                  5000);
            noticeRect = compositorRect(box->windowTitle());
            windowRect = compositorRect(window.windowTitle());
            for (QWidget* top : QApplication::topLevelWidgets()) {
                noticesShown +=
                    qobject_cast<QMessageBox*>(top) != nullptr && top->isVisible() ? 1 : 0;
            }
            if (!noticeHadKeyboard) {
                return; // the watcher clicks the button instead
            }
            // The key goes where the compositor sent the keyboard.
            QTest::keyClick(QGuiApplication::focusWindow(), key);
            EXPECT_FALSE(box->isVisible());
        });
        const std::size_t before = d.player.notices().seen().size();
        d.type(TextGroup::Text1, 0, u"x");
        EXPECT_EQ(d.player.notices().seen().size(), before + 1);
        EXPECT_TRUE(transientOfWindow);
        EXPECT_TRUE(noticeHadKeyboard);
        EXPECT_EQ(noticesShown, 1);
        EXPECT_TRUE(windowRect.contains(noticeRect.center()))
            << "notice at " << noticeRect.x() << "," << noticeRect.y() << ", window at "
            << windowRect.x() << "," << windowRect.y();
        EXPECT_EQ(red->text(), QStringLiteral("0"));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return QGuiApplication::focusWindow() == window.windowHandle(); }, 5000))
            << "the compositor did not give the keyboard back to the window";
        EXPECT_EQ(QApplication::focusWidget(), red);
    }
}

// Whether Mesa's EGL is mapped into this process: what Qt 6.4 loads only to
// decide whether it may draw its own frame.
bool mesaMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libEGL_mesa");
}

// Who draws the window's one frame, in the session the test runs in
// (TINTORA_FRAMES): "compositor" on sway, which offers xdg-decoration, so
// Mesa stays out (where Qt would load it to ask, the program tells Qt to leave
// sway the frame); "users-zero" on sway with the user's own
// QT_WAYLAND_DISABLE_WINDOWDECORATION=0, which the program leaves as it is;
// "qt" on weston, which offers no xdg-decoration, so Qt draws the frame.
TEST(WaylandFrames, OneFrameDrawnByTheOneWhoShould) {
    struct Case {
        const char* name;
        const char* variable; // QT_WAYLAND_DISABLE_WINDOWDECORATION once set up; null: unset
        bool qtDrawsFrame;
        bool swayDrawsFrame;
    };
    static constexpr Case cases[] = {
        {"compositor", "1", false, true},
        {"users-zero", "0", false, true},
        {"qt", nullptr, true, false},
    };
    const QByteArray session = qgetenv("TINTORA_FRAMES");
    const auto* c = std::find_if(std::begin(cases), std::end(cases),
                                 [&](const Case& k) { return session == k.name; });
    ASSERT_NE(c, std::end(cases)) << "TINTORA_FRAMES names no case: " << session.constData();

    qt::QtBoundMixer mixer; // the program's own window; weston gives no seat to activate it
    QWidget& window = mixer.window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const bool variableSet = qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION");
    if (session == "compositor") {
        EXPECT_FALSE(mesaMapped());
        // Set only where Qt would otherwise load Mesa (before 6.8).
        EXPECT_TRUE(!variableSet || qgetenv("QT_WAYLAND_DISABLE_WINDOWDECORATION") == c->variable);
    } else {
        EXPECT_EQ(variableSet, c->variable != nullptr);
        if (c->variable != nullptr) {
            EXPECT_EQ(qgetenv("QT_WAYLAND_DISABLE_WINDOWDECORATION"), c->variable);
        }
    }
    const QMargins qtFrame = window.windowHandle()->frameMargins();
    EXPECT_EQ(qtFrame.top() > 0, c->qtDrawsFrame)
        << "Qt's frame: " << qtFrame.left() << "," << qtFrame.top() << "," << qtFrame.right() << ","
        << qtFrame.bottom();
    if (c->swayDrawsFrame) {
        // sway maps the window before it settles who draws the frame.
        const auto border = [&] {
            return compositorNode(window.windowTitle())[QStringLiteral("border")].toString();
        };
        (void)QTest::qWaitFor([&] { return border() == QStringLiteral("normal"); });
        EXPECT_EQ(border().toStdString(), "normal");
    }
}

} // namespace
} // namespace tintora::testing
