// Form1: the logic of the mixer's one window.
//
// It keeps no channel state of its own: the three channels live as text in
// the widgets and are converted on every use. Besides the widgets it owns the
// remembered text (what a decimal box held when the user last clicked one),
// two facts that keep the timer from flooding the user with notices, and
// whether a tick could change anything, which lets the timer sleep.
//
// The handlers are meant to be bound one to one to the widgets' events. Each
// runs to its end and lets no exception out: the trapped ones turn a Failure
// of their own body into their recovery steps.
#pragma once

#include "mixer/handler_trace.h"
#include "mixer/mixer_widgets.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tintora {

inline constexpr std::u16string_view NoticePrompt = u"请输入数据0-255!";
inline constexpr std::u16string_view NoticeTitle = u"出错了";

class Form1 {
public:
    explicit Form1(MixerWidgets& widgets);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Slider moved: its value goes into the channel's decimal box.
    void HScroll1_Change(std::int16_t Index) noexcept;
    // Mouse click into a decimal box: remember what it holds.
    void Text1_Click(std::int16_t Index) noexcept;
    // Decimal box changed: check it, then bring the hexadecimal box and slider in line.
    void Text1_Change(std::int16_t Index) noexcept;
    // Hexadecimal box changed: repaint the preview, write the decimal value back.
    void Text2_Change(std::int16_t Index) noexcept;
    // 50 ms tick: repaint the preview from the decimal boxes.
    void Timer1_Timer() noexcept;

    // The invalid-input notice: shows it, then puts the remembered text back
    // into the decimal box of the channel (channel 0 when empty).
    void Msg(std::optional<std::int16_t> Index);

    [[nodiscard]] const Text& rememberedText() const { return remembered_; }
    [[nodiscard]] bool noticeOpen() const { return noticeOpen_; }
    // Whether Timer1 is enabled: false while a tick could change nothing.
    [[nodiscard]] bool timerEnabled() const { return timerEnabled_; }

    // Not owned; nullptr (the default) traces nothing.
    void setTrace(HandlerTrace* trace) { trace_ = trace; }

private:
    class Activation;
    class NoticeOpen;
    using DecimalTexts = std::array<Text, ChannelCount>;

    // What a tick makes of three decimal texts: the colour, or the channel
    // whose box fails (the first in the order blue, green, red that does not
    // read, else the first outside 0..255).
    struct TickReading {
        std::optional<Colour> colour;
        std::int16_t failingChannel = 0;
    };

    [[nodiscard]] static TickReading readTick(const DecimalTexts& texts);
    [[nodiscard]] DecimalTexts decimalTexts() const;
    [[nodiscard]] const TickReading& rememberedTickReading(const DecimalTexts& texts);
    // Something happened that a tick could react to.
    void wakeTimer();
    void updateTimer();

    MixerWidgets& widgets_;
    Text remembered_;
    HandlerTrace* trace_ = nullptr;
    // While the notice is open ticks neither paint nor report.
    bool noticeOpen_ = false;
    // The decimal texts of the last failure a tick reported; while they stand
    // unchanged, ticks stay silent so the user can still type a number.
    std::optional<DecimalTexts> lastReportedFailure_;
    // The reading a tick last made and the decimal texts it came from. It
    // depends on nothing else, so an idle tick that finds the same texts
    // reuses it without reading them as numbers.
    struct RememberedReading {
        DecimalTexts texts;
        TickReading reading;
    };
    std::optional<RememberedReading> lastTickReading_;
    // Cleared as a tick starts, set by every change a tick could react to: a
    // box's text, a slider's value, the preview painted by the hexadecimal
    // handler (all inside the change handlers), and a notice closing. While
    // it is clear, the last tick's texts and colour still stand, or its
    // failure is still the one reported, so the next tick would change nothing.
    bool tickHasWork_ = true;
    bool timerEnabled_ = true;
};

} // namespace tintora
