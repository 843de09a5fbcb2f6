#include "qt/start_up_messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace tintora::qt {
namespace {

// A copy of a context's text, which may be null: Qt's default handler prints
// no category for a null one.
using HeldText = std::optional<std::string>;

HeldText copied(const char* text) {
    return text ? HeldText(text) : std::nullopt;
}

const char* given(const HeldText& text) {
    return text ? text->c_str() : nullptr;
}

struct HeldMessage {
    QtMsgType type;
    HeldText file;
    HeldText function;
    HeldText category;
    int line;
    QString text;
};

// What the handler shares with the thread that connects. Qt logs from its own
// threads too while the application connects, so all of it is touched under
// the mutex only.
struct Store {
    std::mutex mutex;
    std::vector<HeldMessage> messages;
    QtMessageHandler previous = nullptr;
    bool holding = false;
    QString platformOption; // the value given to -platform; empty without one
};

Store& store() {
    static Store instance;
    return instance;
}

void sendOn(QtMessageHandler handler, const HeldMessage& message) {
    const QMessageLogContext context(given(message.file), message.line, given(message.function),
                                     given(message.category));
    handler(message.type, context, message.text);
}

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

bool isWayland(const QString& plugin) {
    return plugin.startsWith(QLatin1String("wayland"));
}

// The plugins Qt was asked for, and by whom, as the user would write it.
struct Request {
    QString askedBy;
    QStringList plugins; // in the order Qt tries them
    bool byOption = false;
    bool byDefault = false;
};

// Qt splits a platform list at ';', drops a plugin's arguments after ':' and
// knows plugins by their lower-case names.
QStringList pluginNames(const QString& list) {
    QStringList names;
    for (const QString& entry : list.split(u';', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u':', 0, 0).trimmed().toLower();
        if (!name.isEmpty() && !names.contains(name)) {
            names.append(name);
        }
    }
    return names;
}

// Qt's default platform is not public; Qt names each plugin it tried, in
// quotes, in its qt.qpa.plugin messages.
QStringList triedPlugins(const std::vector<HeldMessage>& messages) {
    QStringList names;
    for (const HeldMessage& message : messages) {
        const QString name = message.text.section(u'"', 1, 1).toLower();
        if (message.category == "qt.qpa.plugin" && !name.isEmpty() && !names.contains(name)) {
            names.append(name);
        }
    }
    return names;
}

Request request(const Store& store) {
    if (!store.platformOption.isEmpty()) {
        return {QStringLiteral("-platform ") + store.platformOption,
                pluginNames(store.platformOption), true, false};
    }
    const QString variable = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!variable.isEmpty()) {
        return {QStringLiteral("QT_QPA_PLATFORM=") + variable, pluginNames(variable), false, false};
    }
    QStringList tried = triedPlugins(store.messages);
    QString askedBy =
        QLatin1String(tried.size() > 1 ? "Qt's default platforms" : "Qt's default platform");
    for (qsizetype i = 0; i < tried.size(); ++i) {
        askedBy += QLatin1String(i == 0 ? " " : ", then ") + quoted(tried[i]);
    }
    return {askedBy, tried, false, true};
}

// The plugins Qt found, from the list its fatal message ends with; empty if it
// gave none.
QStringList installedPlugins(const QString& fatalText) {
    const QString marker = QStringLiteral("platform plugins are:");
    const qsizetype at = fatalText.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at < 0) {
        return {};
    }
    QString list = fatalText.mid(at + marker.size()).section(u'\n', 0, 0).trimmed();
    if (list.endsWith(u'.')) {
        list.chop(1);
    }
    QStringList installed;
    for (const QString& name : list.split(u',', Qt::SkipEmptyParts)) {
        installed.append(name.trimmed());
    }
    return installed;
}

// xcb needs the X display DISPLAY names; the Wayland plugins the compositor
// WAYLAND_DISPLAY names, or wayland-0 when it is not set, as libwayland does.
QString unreachableDisplay(const QString& plugin) {
    if (plugin == QLatin1String("xcb")) {
        const QString display = qEnvironmentVariable("DISPLAY");
        if (display.isEmpty()) {
            return QStringLiteral(
                "DISPLAY is not set, so there is no X display to open a window on");
        }
        return QStringLiteral("the X display %1 named by DISPLAY cannot be reached")
            .arg(quoted(display));
    }
    const QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) {
        return QStringLiteral("the Wayland display \"wayland-0\" (the default, as WAYLAND_DISPLAY "
                              "is not set) cannot be reached");
    }
    return QStringLiteral("the Wayland display %1 named by WAYLAND_DISPLAY cannot be reached")
        .arg(quoted(display));
}

// "set QT_QPA_PLATFORM=xcb to use the X display ":0" named by DISPLAY", where
// DISPLAY names one, the plugin is installed and no plugin for that kind of
// display was tried already.
QString otherDisplay(const Request& asked, const QStringList& installed, const QString& plugin,
                     const char* variable, const QString& kind) {
    const QString display = qEnvironmentVariable(variable);
    const bool tried =
        std::any_of(asked.plugins.begin(), asked.plugins.end(), [&](const QString& p) {
            return p == plugin || (isWayland(p) && isWayland(plugin));
        });
    if (display.isEmpty() || tried || (!installed.isEmpty() && !installed.contains(plugin))) {
        return {};
    }
    return QStringLiteral("%1 to use the %2 display %3 named by %4")
        .arg(asked.byOption ? QStringLiteral("give -platform ") + plugin
                            : QStringLiteral("set QT_QPA_PLATFORM=") + plugin,
             kind, quoted(display), QLatin1String(variable));
}

// One line: the platform asked for, what failed for each plugin tried, and
// what the user can do about it.
QString explainPlatformFailure(const Store& store, const QString& fatalText) {
    const Request asked = request(store);
    const QStringList installed = installedPlugins(fatalText);
    QStringList failures;
    bool missing = false;
    bool missingWayland = false;
    bool failedOtherwise = false;
    bool noX = false;
    bool noWayland = false;
    for (const QString& plugin : asked.plugins) {
        if (!installed.isEmpty() && !installed.contains(plugin)) {
            failures.append(QStringLiteral("the Qt platform plugin %1 is not installed%2")
                                .arg(quoted(plugin), missing ? QString()
                                                             : QStringLiteral(" (installed: ") +
                                                                   installed.join(u", ") + u')'));
            missing = true;
            missingWayland = missingWayland || isWayland(plugin);
        } else if (plugin == QLatin1String("xcb") || isWayland(plugin)) {
            failures.append(unreachableDisplay(plugin));
            noX = noX || plugin == QLatin1String("xcb");
            noWayland = noWayland || isWayland(plugin);
        } else {
            failures.append(QStringLiteral("the Qt platform plugin %1 did not start (Qt's "
                                           "messages above say why)")
                                .arg(quoted(plugin)));
            failedOtherwise = true;
        }
    }
    failures.removeDuplicates(); // wayland-egl and wayland reach the same display
    if (failures.isEmpty()) {
        failures.append(QStringLiteral("no display could be reached (DISPLAY: %1, "
                                       "WAYLAND_DISPLAY: %2)")
                            .arg(quoted(qEnvironmentVariable("DISPLAY")),
                                 quoted(qEnvironmentVariable("WAYLAND_DISPLAY"))));
    }

    QStringList advice;
    if (missingWayland) {
        advice.append(QStringLiteral("install qt6-wayland"));
    }
    // Where Qt's own default lacks the Wayland plugin, installing it is the answer.
    if (failedOtherwise || (missing && !(asked.byDefault && missingWayland))) {
        advice.append(asked.byOption ? QStringLiteral("leave out -platform, or give it one of the "
                                                      "installed plugins")
                      : asked.byDefault
                          ? QStringLiteral("set QT_QPA_PLATFORM to one of the installed "
                                           "plugins")
                          : QStringLiteral("unset QT_QPA_PLATFORM, or set it to one of the "
                                           "installed plugins"));
    }
    if (noX || noWayland || asked.plugins.isEmpty()) {
        advice.append(noWayland && !noX ? QStringLiteral("start tintora inside a Wayland session")
                                        : QStringLiteral("start tintora inside a desktop session"));
        advice.append(
            otherDisplay(asked, installed, QStringLiteral("xcb"), "DISPLAY", QStringLiteral("X")));
        advice.append(otherDisplay(asked, installed, QStringLiteral("wayland"), "WAYLAND_DISPLAY",
                                   QStringLiteral("Wayland")));
        advice.removeAll(QString());
    }
    return QStringLiteral("cannot start with %1: %2; %3")
        .arg(asked.askedBy, failures.join(u", and "), advice.join(u", or "));
}

bool platformFailed(const Store& store, const QString& fatalText) {
    if (fatalText.contains(QStringLiteral("platform plugin"), Qt::CaseInsensitive)) {
        return true;
    }
    for (const HeldMessage& message : store.messages) {
        if (message.category == "qt.qpa.plugin") {
            return true;
        }
    }
    return false;
}

// Called with the mutex held, which stays held: any other thread that logs
// now waits until the process is gone. Qt's fatal message itself is left out:
// its advice is to reinstall, and the summary carries its list of plugins.
[[noreturn]] void refuse(const Store& store, const QString& fatalText) {
    const QString why = platformFailed(store, fatalText)
                            ? explainPlatformFailure(store, fatalText)
                            : QStringLiteral("cannot start: ") + fatalText.section(u'\n', 0, 0);
    for (const HeldMessage& message : store.messages) {
        sendOn(store.previous, message);
    }
    const QByteArray line = (QStringLiteral("tintora: ") + why + u'\n').toLocal8Bit();
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    Store& held = store();
    std::unique_lock lock(held.mutex);
    if (!held.holding) { // logged while connected() handed the handler back
        const QtMessageHandler previous = held.previous;
        lock.unlock();
        previous(type, context, text);
        return;
    }
    if (type == QtFatalMsg) {
        refuse(held, text);
    }
    held.messages.push_back({type, copied(context.file), copied(context.function),
                             copied(context.category), context.line, text});
}

// Qt takes the last -platform (or --platform) on the command line.
QString platformOption(int argc, const char* const* argv) {
    QString value;
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-platform" || argument == "--platform") {
            value = QString::fromLocal8Bit(argv[++i]);
        }
    }
    return value;
}

} // namespace

StartUpMessages::StartUpMessages(int argc, const char* const* argv) {
    Store& held = store();
    const std::lock_guard lock(held.mutex);
    held.platformOption = platformOption(argc, argv);
    held.holding = true;
    held.previous = qInstallMessageHandler(&hold);
}

StartUpMessages::~StartUpMessages() {
    connected();
}

void StartUpMessages::connected() {
    Store& held = store();
    const std::lock_guard lock(held.mutex);
    if (!held.holding) {
        return;
    }
    held.holding = false;
    qInstallMessageHandler(held.previous);
    // Still under the mutex, so that a thread logging now comes after them.
    for (const HeldMessage& message : held.messages) {
        sendOn(held.previous, message);
    }
    held.messages = {};
}

} // namespace tintora::qt
