// Something that plays user actions on one realisation's window and reports
// what a user sees there: the in-memory window, and the Qt and Win32 windows
// with their toolkits' real input. The differential (differential.h) plays
// the same actions on each and compares what they report.
#pragma once

#include "mixer/mixer_widgets.h"
#include "mixer_testing/user_action.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tintora::testing {

struct SeenWindow {
    std::array<Text, 2 * ChannelCount> texts{}; // Text1(0..2), then Text2(0..2)
    std::array<int, ChannelCount> values{};
    // The colour the preview shows, read from its pixels; nothing while it
    // was never painted and shows the system's window colour.
    std::optional<Colour> preview;
    // Empty, or what is wrong with the preview's pixels (not one colour, or
    // not the system's colour before the first paint).
    std::string previewFault;
    std::optional<Text> notice; // the open notice's prompt
    // The layout row of the control with the keyboard focus, nothing for
    // none; the main window's own, not compared while a notice is open.
    std::optional<std::size_t> focus;
    bool timerRunning = false; // whether the window's timer would tick

    bool operator==(const SeenWindow&) const = default;
};

class WindowPlayer {
public:
    virtual ~WindowPlayer() = default;

    virtual void play(const UserAction& action) = 0;
    [[nodiscard]] virtual SeenWindow seen() = 0;
    [[nodiscard]] virtual bool noticeOpen() = 0;
    // Runs from inside each notice's modal loop, once the notice is up; a
    // notice that `action` leaves open is then dismissed with its button.
    virtual void whileNoticeOpen(std::function<void()> action) = 0;

protected:
    WindowPlayer() = default;
    WindowPlayer(const WindowPlayer&) = delete;
    WindowPlayer& operator=(const WindowPlayer&) = delete;
};

} // namespace tintora::testing
