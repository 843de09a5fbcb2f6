// The user's side of the mixer, as the behaviour scenarios see it. Three
// drivers play the actions: on the in-memory widgets, with real key and mouse
// events on the Qt window, and with real window messages on the Win32 one.
#pragma once

#include "mixer/form1.h"
#include "mixer_testing/handler_name.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tintora::testing {

class MixerDriver {
public:
    virtual ~MixerDriver() = default;

    // Replaces the whole box at once, as a paste over its selected text.
    virtual void paste(TextGroup group, std::int16_t index, std::u16string_view text) = 0;
    // Focuses the box from the keyboard (no click) and types keys at its end.
    virtual void type(TextGroup group, std::int16_t index, std::u16string_view keys) = 0;
    // A mouse click into a decimal box.
    virtual void click(std::int16_t index) = 0;
    // The user moves a slider to a value and lets go.
    virtual void scroll(std::int16_t index, std::int16_t value) = 0;
    // One timer tick.
    virtual void tick() = 0;
    // What happens while each notice is open, before the user dismisses it.
    virtual void whileNoticeOpen(std::function<void()> action) = 0;

    [[nodiscard]] virtual Text text(TextGroup group, std::int16_t index) const = 0;
    [[nodiscard]] virtual std::int16_t value(std::int16_t index) const = 0;
    [[nodiscard]] virtual std::optional<Colour> backColor() const = 0;
    [[nodiscard]] virtual int noticeCount() const = 0;
    // Notices open right now: one inside whileNoticeOpen, none between actions.
    [[nodiscard]] virtual int openNotices() const = 0;
    // Whether the realisation's timer would deliver ticks now.
    [[nodiscard]] virtual bool timerEnabled() const = 0;
    [[nodiscard]] virtual Form1& form() = 0;
};

// How a handler activation is written in traces: "Text1_Change(1)", or
// "Timer1_Timer()" for the timer, which has no index.
[[nodiscard]] std::string callName(Handler handler, std::int16_t index);

// Records handler activations as "Text1_Change(1)" and tracks nesting depth.
class CallLog final : public HandlerTrace {
public:
    void entered(Handler handler, std::int16_t index) override;
    void left(Handler handler, std::int16_t index) override;

    std::vector<std::string> calls;
    int depth = 0;
    int deepest = 0;
};

} // namespace tintora::testing
