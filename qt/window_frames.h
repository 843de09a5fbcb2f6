// Who draws the window's frame on Wayland.
#pragma once

namespace tintora::qt {

// On a Wayland compositor that draws window frames itself (it offers the
// xdg-decoration protocol's zxdg_decoration_manager_v1: sway and the other
// wlroots compositors, KDE Plasma), Qt 6.4 asks it for the frame anyway, but
// first loads its own decoration machinery (the EGL client buffer integration:
// Mesa and LLVM, about 50 MB resident) only to learn whether it could draw one.
// There this sets QT_WAYLAND_DISABLE_WINDOWDECORATION=1, which Qt reads once,
// when it creates its first window: the compositor's frame looks the same and
// the program stays at its X11 weight. On a compositor without the protocol
// (GNOME's, weston) Qt's own frame is the only title bar and nothing changes.
// Qt 6.8 decides on its frame without loading Mesa (the same memory and frame
// with or without this, bench/measure-wayland.sh), so where the Qt the program
// runs with is 6.8 or newer (the .deb built with Qt 6.4 runs with 6.8 on
// Debian 13) this asks nothing; the versions between were not measured and are
// asked, as 6.4 is.
//
// Call it after the QApplication exists and before any window is shown. It
// leaves everything as it is on any other platform, when the user has set the
// variable either way, and when the program was handed its Wayland connection
// (WAYLAND_SOCKET) and so cannot ask the same compositor on a connection of
// its own.
void leaveWindowFramesToACompositorThatDrawsThem();

} // namespace tintora::qt
