// The long-run memory check on the Qt window, on whatever platform Qt picks
// (xcb on an X display, wayland under a compositor): `program` plays the
// sessions on Tintora's window with real key, mouse and drag events, `bare`
// the same sessions on the bare window with the same controls. Settings and
// output: bench/long_run_sessions.h. scripts/long-run.sh runs both on
// X11 and Wayland and the Win32 pair under Wine.
//
//   long_run_qt program|bare
#include "bare_controls.h"
#include "long_run_sessions.h"
#include "qt_driver.h"

#include "qt/application_setup.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScrollBar>
#include <QTest>

#include <cstring>
#include <stdexcept>

namespace tintora::testing {
namespace {

QString toQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

// Puts `text` on the clipboard as a copy in another application does. On
// Wayland that application is wl-copy: Qt 6.4's Wayland clipboard keeps every
// text its own process sets (about 3 bytes a character, never released), which
// would swamp the measurement, and a user's paste reads another client's
// offer instead.
void putOnClipboard(std::u16string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (QGuiApplication::platformName() != QStringLiteral("wayland")) {
        clipboard->setText(toQString(text));
        return;
    }
    int changes = 0;
    const auto counting =
        QObject::connect(clipboard, &QClipboard::dataChanged, [&changes] { ++changes; });
    QProcess copy;
    copy.setStandardOutputFile(QProcess::nullDevice());
    copy.setStandardErrorFile(QProcess::nullDevice());
    copy.start(QStringLiteral("wl-copy"), {});
    copy.write(toQString(text).toUtf8());
    copy.closeWriteChannel();
    if (!copy.waitForFinished() || copy.exitCode() != 0) {
        throw std::runtime_error("wl-copy failed");
    }
    const QDeadlineTimer deadline(2000);
    while (changes == 0 && !deadline.hasExpired()) {
        QTest::qWait(5);
    }
    QObject::disconnect(counting);
}

// Selects the whole focused box and pastes `text` over it.
void pasteOver(QLineEdit* box, std::u16string_view text) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (text.empty()) {
        QTest::keyClick(box, Qt::Key_Delete);
        return;
    }
    putOnClipboard(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// Answers the open notice with Return or Escape, as asked; with its button
// (way 0) the watcher answers it.
void dismissByKey(int way) {
    if (way == 0) {
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        QTest::keyClick(box, way == 1 ? Qt::Key_Return : Qt::Key_Escape);
    }
}

class ProgramTarget final : public long_run::SessionTarget {
public:
    void paste(TextGroup group, std::int16_t index, std::u16string_view text) override {
        QLineEdit* target = d_.box(group, index);
        d_.focusByKeyboard(target);
        pasteOver(target, text);
    }
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) override {
        d_.type(group, index, keys);
    }
    void click(std::int16_t index) override { d_.click(index); }
    void scroll(std::int16_t index, std::int16_t value) override { d_.scroll(index, value); }
    void tick() override { d_.tick(); }
    void whileNoticeOpen(std::function<void()> action) override {
        d_.whileNoticeOpen([this, action] {
            if (action) {
                action();
            }
            dismissByKey(way_);
        });
    }
    void dismissNextNoticeBy(int way) override { way_ = way; }
    int takeNoticeCount() override {
        const int count = d_.noticeCount();
        d_.notices.forgetSeen();
        return count;
    }
    void rest(std::chrono::milliseconds pause) override {
        QTest::qWait(static_cast<int>(pause.count()));
    }

private:
    QtDriver d_;
    int way_ = 0;
};

// The bare window under the same input. It answers input the plainest way a
// window with these controls could: a notice for a box left holding something
// other than a number in its range (the box then reset to 0), and the preview
// painted with the sliders' colour.
class BareWindowTarget final : public long_run::SessionTarget {
public:
    BareWindowTarget()
        : controls_(bare::build(window_)) {
        controls_.preview->setAutoFillBackground(true);
        for (QScrollBar* slider : controls_.sliders) {
            QObject::connect(slider, &QScrollBar::valueChanged, &window_, [this] { paint(); });
        }
        window_.show();
        window_.activateWindow();
        (void)QTest::qWaitForWindowExposed(&window_);
    }

    void paste(TextGroup group, std::int16_t index, std::u16string_view text) override {
        QLineEdit* target = focus(box(group, index));
        pasteOver(target, text);
        check(group, target);
    }
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) override {
        QLineEdit* target = focus(box(group, index));
        QTest::keyClick(target, Qt::Key_End);
        typeKeys(target, toQString(keys));
        check(group, target);
    }
    void click(std::int16_t index) override {
        QLineEdit* target = controls_.decimalBoxes.at(index);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
    }
    void scroll(std::int16_t index, std::int16_t value) override {
        QScrollBar* slider = controls_.sliders.at(index);
        activate();
        dragThumb(slider, value);
        while (slider->value() != value) {
            const int before = slider->value();
            QTest::keyClick(slider, before < value ? Qt::Key_Right : Qt::Key_Left);
            if (slider->value() == before) {
                break;
            }
        }
    }
    void tick() override {} // the bare window's timer does nothing
    void whileNoticeOpen(std::function<void()> action) override {
        notices_.whileOpen([this, action] {
            if (action) {
                action();
            }
            dismissByKey(way_);
        });
    }
    void dismissNextNoticeBy(int way) override { way_ = way; }
    int takeNoticeCount() override {
        const auto count = static_cast<int>(notices_.seen().size());
        notices_.forgetSeen();
        return count;
    }
    void rest(std::chrono::milliseconds pause) override {
        QTest::qWait(static_cast<int>(pause.count()));
    }

private:
    QLineEdit* box(TextGroup group, std::int16_t index) const {
        return (group == TextGroup::Text1 ? controls_.decimalBoxes : controls_.hexBoxes).at(index);
    }
    void activate() {
        if (QApplication::activeWindow() != &window_) {
            window_.activateWindow();
            (void)QTest::qWaitFor([this] { return QApplication::activeWindow() == &window_; });
        }
    }
    QLineEdit* focus(QLineEdit* target) {
        activate();
        target->setFocus(Qt::TabFocusReason);
        return target;
    }
    void check(TextGroup group, QLineEdit* target) {
        bool ok = false;
        const QString text = target->text();
        const int value = text.toInt(&ok, group == TextGroup::Text1 ? 10 : 16);
        if (text.isEmpty() || (ok && value >= 0 && value <= SliderMax)) {
            return;
        }
        QMessageBox::warning(&window_, QStringLiteral("出错了"),
                             QStringLiteral("请输入数据0-255!"));
        target->setText(QStringLiteral("0"));
    }
    void paint() {
        QPalette palette = controls_.preview->palette();
        palette.setColor(QPalette::Window,
                         QColor(controls_.sliders[0]->value(), controls_.sliders[1]->value(),
                                controls_.sliders[2]->value()));
        controls_.preview->setPalette(palette);
    }

    QWidget window_;
    bare::Controls controls_;
    NoticeWatcher notices_;
    int way_ = 0;
};

} // namespace
} // namespace tintora::testing

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    if (!bare && (argc < 2 || std::strcmp(argv[1], "program") != 0)) {
        std::fprintf(stderr, "usage: %s program|bare\n", argv[0]);
        return 2;
    }
    const std::string where = std::string(bare ? "the bare window" : "Tintora's window") + " on " +
                              QGuiApplication::platformName().toStdString();
    if (bare) {
        tintora::testing::BareWindowTarget target;
        tintora::testing::long_run::run(target, where.c_str());
    } else {
        tintora::qt::setUpApplication(app);
        tintora::testing::ProgramTarget target;
        tintora::testing::long_run::run(target, where.c_str());
    }
    return 0;
}
