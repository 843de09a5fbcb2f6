// Plays user actions on the real Win32 window with the window messages the
// system would post for them (win32_testing/window_input.h), and reads what a
// user sees: the boxes' texts, the sliders, the preview's pixels, the notice,
// the keyboard focus.
//
// The timer is driven by the player: a Tick delivers one tick.
#pragma once

#include "mixer_testing/window_player.h"
#include "win32/win32_bound_mixer.h"
#include "win32_testing/notice_watcher.h"

#include <windows.h>

namespace tintora::testing {

class Win32Player final : public WindowPlayer {
public:
    // The window shown and in the foreground, the clipboard empty.
    Win32Player();
    ~Win32Player() override = default;

    void play(const UserAction& action) override;
    [[nodiscard]] SeenWindow seen() override;
    [[nodiscard]] bool noticeOpen() override;
    void whileNoticeOpen(std::function<void()> action) override;

    [[nodiscard]] win32::Win32MixerWindow& window() { return mixer_.window; }
    [[nodiscard]] Form1& form() { return mixer_.form(); }
    [[nodiscard]] NoticeWatcher& notices() { return notices_; }
    // Handles what waits in the queue, as the loop running now would.
    void handleQueue();

private:
    [[nodiscard]] HWND controlOf(std::size_t row) const;
    [[nodiscard]] std::optional<std::size_t> rowOf(HWND control) const;
    void readPreview(SeenWindow& seen);

    win32::Win32BoundMixer mixer_;
    NoticeWatcher notices_;
};

} // namespace tintora::testing
