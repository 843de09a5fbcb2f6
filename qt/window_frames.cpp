#include "qt/window_frames.h"

#include <QGuiApplication>
#include <QVersionNumber>

#include <cstdlib>
#include <cstring>

#include <wayland-client.h>

namespace tintora::qt {
namespace {

constexpr const char* kDisableQtFrames = "QT_WAYLAND_DISABLE_WINDOWDECORATION";

// Read before Qt's own connection consumes the variable (libwayland unsets it).
const bool connectionHandedOver = std::getenv("WAYLAND_SOCKET") != nullptr;

void onGlobal(void* offered, wl_registry*, uint32_t, const char* interface, uint32_t) {
    if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) {
        *static_cast<bool*>(offered) = true;
    }
}

void onGlobalRemoved(void*, wl_registry*, uint32_t) {}

// A short connection of its own, to the compositor Qt reached through the same
// WAYLAND_DISPLAY: the registry announces every global before the roundtrip's
// reply. False when the compositor cannot be asked.
bool compositorDrawsFrames() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return false;
    }
    bool offered = false;
    static const wl_registry_listener listener{onGlobal, onGlobalRemoved};
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return answered && offered;
}

// The Qt the program runs with, which may be newer than the one it was built with.
bool qtLoadsMesaToDecideOnItsFrame() {
    return QVersionNumber::fromString(QString::fromLatin1(qVersion())) < QVersionNumber(6, 8);
}

} // namespace

void leaveWindowFramesToACompositorThatDrawsThem() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
        qEnvironmentVariableIsSet(kDisableQtFrames) || connectionHandedOver ||
        !qtLoadsMesaToDecideOnItsFrame()) {
        return;
    }
    if (compositorDrawsFrames()) {
        qputenv(kDisableQtFrames, "1");
    }
}

} // namespace tintora::qt
