// Plays user actions on the real Qt window through Qt's own input path: key
// and mouse events delivered to a QWindow as the platform delivers them
// (keys to the active window, clicks to the window under the pointer, which
// Qt passes on to the widget there, or drops while a modal notice blocks the
// window), and wheel events to the window, which routes them by position. It
// reads what a user sees: the boxes' texts, the sliders, the preview's pixels,
// the notice, the keyboard focus.
//
// The timer is driven by the player: a Tick delivers one tick. Where no window manager gives the
// window the keyboard back as a notice closes (offscreen), the player asks for it, as one would.
#pragma once

#include "mixer_testing/window_player.h"
#include "qt/qt_bound_mixer.h"
#include "qt_testing/notice_watcher.h"

class QWindow;

namespace tintora::testing {

class QtPlayer final : public WindowPlayer {
public:
    // The window shown and active, the clipboard empty.
    QtPlayer();
    ~QtPlayer() override;

    void play(const UserAction& action) override;
    [[nodiscard]] SeenWindow seen() override;
    [[nodiscard]] bool noticeOpen() override;
    void whileNoticeOpen(std::function<void()> action) override;

    [[nodiscard]] qt::QtMixerWindow& window() { return mixer_.window; }
    [[nodiscard]] Form1& form() { return mixer_.form(); }
    [[nodiscard]] NoticeWatcher& notices() { return notices_; }
    // Where the keys go: the notice while it is open, else the main window.
    [[nodiscard]] QWindow* keyboardWindow();

private:
    [[nodiscard]] QWidget* controlOf(std::size_t row) const;

    qt::QtBoundMixer mixer_;
    NoticeWatcher notices_;
};

} // namespace tintora::testing
