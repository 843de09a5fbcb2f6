// The long-run memory check on the Qt window, on whatever platform Qt picks
// (xcb on an X display, wayland under a compositor): `program` plays the
// sessions on Tintora's window through its player (qt_testing/qt_player.h),
// `plain-mixer` the same sessions on the plain mixer
// (qt_plain_mixer_player.h). Settings and output: bench/long_run.h.
// scripts/long-run.sh runs both on X11 and Wayland and the Win32 pair under
// Wine.
//
//   qt_long_run program|plain-mixer
#include "long_run.h"
#include "qt_plain_mixer_player.h"

#include "qt/application_setup.h"
#include "qt_testing/qt_player.h"

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace tintora::bench {
namespace {

QString toQString(std::u16string_view text) {
    return QStringView(text.data(), static_cast<qsizetype>(text.size())).toString();
}

// Puts `text` on the clipboard as a copy in another application does. On
// Wayland that application is wl-copy: Qt 6.4's Wayland clipboard keeps every
// text its own process sets (about 3 bytes a character, never released), which
// would swamp the measurement, and a user's paste reads another client's
// offer instead.
void copyAsAnotherProgram(std::u16string_view text) {
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

void rest(std::chrono::milliseconds pause) {
    QTest::qWait(static_cast<int>(pause.count()));
}

template <typename Player> void runOn(Player& player, const std::string& where) {
    long_run::run(
        {player, &rest, &copyAsAnotherProgram, [&player] { player.notices().forgetSeen(); }},
        where);
}

} // namespace
} // namespace tintora::bench

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool plain = argc == 2 && std::strcmp(argv[1], "plain-mixer") == 0;
    if (!plain && (argc != 2 || std::strcmp(argv[1], "program") != 0)) {
        std::fprintf(stderr, "usage: %s program|plain-mixer\n", argv[0]);
        return 2;
    }
    const std::string platform = QGuiApplication::platformName().toStdString();
    if (plain) {
        tintora::bench::QtPlainMixerPlayer player;
        tintora::bench::runOn(player, "the plain mixer on " + platform);
    } else {
        tintora::qt::setUpApplication(app);
        tintora::testing::QtPlayer player;
        tintora::bench::runOn(player, "Tintora's window on " + platform);
    }
    return 0;
}
