// The window against its layout table: geometry, content, limits, focus and
// tab order, accessible names; at whatever QT_SCALE_FACTOR the run sets.
#include "layout/layout_table.h"
#include "qt/preview_box.h"
#include "qt/tick_timer.h"
#include "qt_testing/qt_player.h"
#include "qt_testing/window_input.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tintora::testing {
namespace {

class WindowLayout : public ::testing::Test {
protected:
    QtPlayer player;
    qt::QtMixerWindow& window = player.window();
};

TEST_F(WindowLayout, WindowHasItsCaptionAndFixedClientArea) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tintora1.1"));
    EXPECT_EQ(window.size(), QSize(clientWidthPixels, clientHeightPixels));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    const qreal scale = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                            ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                            : 1.0;
    EXPECT_DOUBLE_EQ(window.devicePixelRatioF(), scale);
}

TEST_F(WindowLayout, EveryControlStandsWhereTheTableSays) {
    for (const ControlRow& row : layoutTable) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.index));
        QWidget* widget = window.control(row.name, row.index);
        ASSERT_NE(widget, nullptr);
        const QRect expected(row.left / 15, row.top / 15, row.width / 15, row.height / 15);
        if (row.controlClass == ControlClass::Label) {
            // A label grows to the right only where its text needs it; the window clips it.
            EXPECT_EQ(widget->pos(), expected.topLeft());
            EXPECT_EQ(widget->height(), expected.height());
            EXPECT_GE(widget->width(), expected.width());
            const auto* label = qobject_cast<QLabel*>(widget);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), QString::fromUtf8(row.content));
            EXPECT_EQ(label->focusPolicy(), Qt::NoFocus);
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                << "text cut short by its own label";
        } else {
            EXPECT_EQ(widget->geometry(), expected);
        }
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(box->text(), QString::fromUtf8(row.content));
            EXPECT_EQ(box->maxLength(), row.maxLength);
        }
        if (auto* slider = qobject_cast<QScrollBar*>(widget)) {
            EXPECT_EQ(slider->orientation(), Qt::Horizontal);
            EXPECT_EQ(slider->minimum(), 0);
            EXPECT_EQ(slider->maximum(), 255);
            EXPECT_EQ(slider->value(), 0);
            EXPECT_EQ(slider->singleStep(), 1);
            EXPECT_EQ(slider->pageStep(), 1);
            EXPECT_FALSE(slider->hasTracking());
        }
    }
    EXPECT_TRUE(window.timer()->schedule().isEnabled());
    EXPECT_EQ(window.preview()->colour(), std::nullopt);
}

TEST_F(WindowLayout, LongLabelsReachPastTheRightEdgeButTheirTextsEndInside) {
    for (const char* name : {"Label8", "Label9", "Label11"}) {
        auto* label = qobject_cast<QLabel*>(window.control(name));
        ASSERT_NE(label, nullptr);
        EXPECT_GT(label->geometry().right(), window.width()) << name;
        EXPECT_LE(label->x() + label->fontMetrics().horizontalAdvance(label->text()),
                  window.width())
            << name;
    }
}

// The desktop's font changes while the window is open: each label is fitted
// to its text anew, and back at the desktop's own size keeps its font.
TEST(WindowFonts, EveryLabelTextEndsInsideTheWindowAsTheDesktopFontChanges) {
    const QFont desktopFont = QApplication::font();
    const qt::QtMixerWindow window;
    for (const qreal points : {9.0, 10.0, 11.0, 12.0, desktopFont.pointSizeF()}) {
        QFont changed = desktopFont;
        changed.setPointSizeF(points);
        QApplication::setFont(changed);
        for (const ControlRow& row : layoutTable) {
            if (const auto* label = qobject_cast<QLabel*>(window.control(row.name, row.index))) {
                EXPECT_LE(label->x() + label->fontMetrics().horizontalAdvance(label->text()),
                          window.width())
                    << row.name << " at " << points << " pt";
                EXPECT_LE(label->font().pointSizeF(), points) << row.name;
            }
        }
    }
    for (const auto* label : window.findChildren<QLabel*>()) {
        EXPECT_EQ(label->font(), window.font()) << label->objectName().toStdString();
    }
    QApplication::setFont(desktopFont);
}

TEST(WindowStartUp, ThePreviewHasTheFocusWhenTheWindowFirstShows) {
    qt::QtMixerWindow window;
    window.show();
    ASSERT_TRUE(waitForActivation(&window));
    EXPECT_EQ(QApplication::focusWidget(), window.preview());
    EXPECT_TRUE(window.timer()->schedule().isRunning());
}

TEST_F(WindowLayout, EveryInputHasADistinctChineseAccessibleName) {
    QSet<QString> names;
    const QList<QWidget*> inputs = {
        window.decimalBox(0), window.decimalBox(1), window.decimalBox(2), window.hexBox(0),
        window.hexBox(1),     window.hexBox(2),     window.slider(0),     window.slider(1),
        window.slider(2),     window.preview()};
    for (QWidget* input : inputs) {
        names.insert(input->accessibleName());
    }
    EXPECT_EQ(names.size(), inputs.size());
    EXPECT_EQ(window.decimalBox(0)->accessibleName(), QStringLiteral("红 十进制"));
    EXPECT_EQ(window.hexBox(1)->accessibleName(), QStringLiteral("绿 十六进制"));
    EXPECT_EQ(window.slider(2)->accessibleName(), QStringLiteral("蓝 滑块"));
}

} // namespace
} // namespace tintora::testing
