// The plain mixer on Win32, and its player: the reference window
// (win32_reference_window.h) with the plainest logic a window of these
// controls could have. A box whose text changes to anything but a number in
// the slider's range (decimal in a decimal box, hexadecimal in a hexadecimal
// one) brings up a notice, one at a time, and is then reset to 0; the preview
// is painted with the sliders' colour whenever one moves. It has no timer: a
// Tick changes nothing. The long run plays the program's sessions on it
// through the same input functions as on the program
// (win32_testing/laid_out_window.h).
#pragma once

#include "mixer_testing/window_player.h"
#include "win32_testing/notice_watcher.h"

#include <windows.h>

#include <memory>

namespace tintora::bench {

class Win32PlainMixerPlayer final : public testing::WindowPlayer {
public:
    // The window shown and in the foreground.
    Win32PlainMixerPlayer();
    ~Win32PlainMixerPlayer() override;

    void play(const testing::UserAction& action) override;
    [[nodiscard]] testing::SeenWindow seen() override;
    [[nodiscard]] bool noticeOpen() override;
    void whileNoticeOpen(std::function<void()> action) override;

    [[nodiscard]] HWND handle() const;
    [[nodiscard]] testing::NoticeWatcher& notices() { return notices_; }

private:
    class PlainMixer;

    std::unique_ptr<PlainMixer> mixer_;
    testing::NoticeWatcher notices_;
};

} // namespace tintora::bench
