#include "qt/start_up_messages.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tintora {
namespace {

struct HeldMessage {
    QtMsgType type;
    std::string file;
    std::string function;
    std::string category;
    int line;
    QString text;
};

std::vector<HeldMessage>& held() {
    static std::vector<HeldMessage> messages;
    return messages;
}

// Whether Qt said it could reach no display server (xcb), or libwayland none.
bool foundNoDisplay() {
    for (const HeldMessage& message : held()) {
        if (message.text.contains(QStringLiteral("could not connect to display")) ||
            message.text.contains(QStringLiteral("wl_display"))) {
            return true;
        }
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const std::string why =
            foundNoDisplay() ? "no display to open a window on (DISPLAY and WAYLAND_DISPLAY name "
                               "no X or Wayland server that can be reached)"
                             : text.section(u'\n', 0, 0).toStdString();
        std::fprintf(stderr, "tintora: cannot start: %s\n", why.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    held().push_back({type, context.file ? context.file : "",
                      context.function ? context.function : "",
                      context.category ? context.category : "", context.line, text});
}

} // namespace

StartUpMessages::StartUpMessages()
    : previous_(qInstallMessageHandler(&hold)) {}

StartUpMessages::~StartUpMessages() {
    connected();
}

void StartUpMessages::connected() {
    if (!holding_) {
        return;
    }
    holding_ = false;
    qInstallMessageHandler(previous_);
    for (const HeldMessage& message : held()) {
        const QMessageLogContext context(message.file.c_str(), message.line,
                                         message.function.c_str(), message.category.c_str());
        qt_message_output(message.type, context, message.text);
    }
    held().clear();
}

} // namespace tintora
