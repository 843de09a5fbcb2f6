// The plain mixer on Qt, and its player: the reference window's controls
// (reference_controls.h) with the plainest logic a window of these controls
// could have. A box whose text the user changes to anything but a number in
// the slider's range (decimal in a decimal box, hexadecimal in a hexadecimal
// one) brings up a notice and is then reset to 0; the preview is painted with
// the sliders' colour whenever one moves. It has no timer: a Tick changes
// nothing. The long run plays the program's sessions on it through the same
// input functions as on the program (qt_testing/laid_out_window.h).
#pragma once

#include "mixer_testing/window_player.h"
#include "qt_testing/notice_watcher.h"
#include "reference_controls.h"

#include <QWidget>

#include <optional>

class QLineEdit;

namespace tintora::bench {

class QtPlainMixerPlayer final : public testing::WindowPlayer {
public:
    // The window shown and active.
    QtPlainMixerPlayer();
    ~QtPlainMixerPlayer() override;

    void play(const testing::UserAction& action) override;
    [[nodiscard]] testing::SeenWindow seen() override;
    [[nodiscard]] bool noticeOpen() override;
    void whileNoticeOpen(std::function<void()> action) override;

    [[nodiscard]] testing::NoticeWatcher& notices() { return notices_; }

private:
    void check(QLineEdit* box, int base);
    void paintPreview();

    QWidget window_;
    ReferenceControls controls_;
    testing::NoticeWatcher notices_;
    std::optional<Colour> painted_; // the preview's colour once a slider moved
};

} // namespace tintora::bench
