// Plays user actions on the real Win32 window with the window messages the
// system would post for them: keys to the window with the keyboard focus
// (the notice's button while the notice is open), with the keyboard state of
// the modifiers held; clicks and wheel turns to the window under the
// pointer, as the system's hit test finds it, and not at all to a window an
// open notice has disabled; each handled as the program's loop or the
// notice's own loop handles it. It reads what a user sees: the boxes' texts,
// the sliders, the preview's pixels, the notice, the keyboard focus.
//
// The timer is driven by the player: a Tick delivers one tick when the
// window's timer runs.
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
    [[nodiscard]] bool noticeOpen() override { return openNotice() != nullptr; }
    void whileNoticeOpen(std::function<void()> action) override;

    [[nodiscard]] win32::Win32MixerWindow& window() { return mixer_.window; }

private:
    // The notice's box while one is open, else nothing.
    [[nodiscard]] HWND openNotice() const;
    // Handles what waits in the queue, as the loop running now would: the
    // notice's while it is open, else the program's.
    void handleQueue();
    // Where `spot` of the control in layout row `row` lies, on the screen.
    [[nodiscard]] POINT pointOn(std::size_t row, Spot spot) const;
    void press(Key key, unsigned modifiers);
    void type(std::u16string_view character);
    void click(std::size_t row, Spot spot);
    void clickAt(POINT onScreen);
    void drag(std::size_t row, int value);
    void wheel(std::size_t row, int amount, bool horizontal);
    [[nodiscard]] std::optional<std::size_t> rowOf(HWND control) const;

    win32::Win32BoundMixer mixer_;
    NoticeWatcher notices_;
};

} // namespace tintora::testing
