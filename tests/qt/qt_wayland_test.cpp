// What only the compositor decides on Wayland, asked of a real one: which
// window has the keyboard, and where windows lie. A client can neither
// activate nor place its own windows there, so nothing here tells Qt; the
// test waits for what the compositor gives and asks it where things are.
#include "qt_driver.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace tintora::testing {
namespace {

// The frame of the window with this caption in the compositor's tree, in
// output coordinates (empty if it is not mapped).
QRect compositorRect(const QString& caption) {
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
            const QJsonObject r = node[QStringLiteral("rect")].toObject();
            return {r[QStringLiteral("x")].toInt(), r[QStringLiteral("y")].toInt(),
                    r[QStringLiteral("width")].toInt(), r[QStringLiteral("height")].toInt()};
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue child : node[QLatin1String(children)].toArray()) {
                stack.append(child);
            }
        }
    }
    return {};
}

class WaylandNotice : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"))
            << "this suite asks a Wayland compositor";
    }

    QtDriver d;
};

TEST_F(WaylandNotice, TakesTheKeyboardLiesOverTheWindowAndGivesTheKeyboardBack) {
    QLineEdit* red = d.window.decimalBox(0);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        SCOPED_TRACE(key);
        d.click(0); // remembers "0": one notice, then the box holds "0" again
        bool noticeHadKeyboard = false;
        bool transientOfWindow = false;
        QRect noticeRect;
        QRect windowRect;
        int noticesShown = 0;
        d.notices.whileOpen([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            transientOfWindow = box->windowHandle()->transientParent() == d.window.windowHandle();
            noticeHadKeyboard = QTest::qWaitFor(
                [&] { return QGuiApplication::focusWindow() == box->windowHandle(); }, 5000);
            (void)QTest::qWaitFor([&] { return !compositorRect(box->windowTitle()).isEmpty(); },
                                  5000);
            noticeRect = compositorRect(box->windowTitle());
            windowRect = compositorRect(d.window.windowTitle());
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
        const std::size_t before = d.notices.seen().size();
        d.type(TextGroup::Text1, 0, u"x");
        EXPECT_EQ(d.notices.seen().size(), before + 1);
        EXPECT_TRUE(transientOfWindow);
        EXPECT_TRUE(noticeHadKeyboard);
        EXPECT_EQ(noticesShown, 1);
        EXPECT_TRUE(windowRect.contains(noticeRect.center()))
            << "notice at " << noticeRect.x() << "," << noticeRect.y() << ", window at "
            << windowRect.x() << "," << windowRect.y();
        EXPECT_EQ(red->text(), QStringLiteral("0"));
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return QGuiApplication::focusWindow() == d.window.windowHandle(); }, 5000))
            << "the compositor did not give the keyboard back to the window";
        EXPECT_EQ(QApplication::focusWidget(), red);
    }
}

} // namespace
} // namespace tintora::testing
