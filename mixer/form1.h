// Form1: the logic of the mixer's one window.
//
// The names are the window's own:
//   Form1     the window, and the object that carries its logic;
//   Text1(i)  the decimal box of channel i (at most 3 characters);
//   Text2(i)  the hexadecimal box of channel i (at most 2 characters);
//   HScroll1(i) the slider of channel i, 0..255;
//   Picture1  the colour preview; Timer1 the 50 ms tick;
//   Index     the channel: 0 red, 1 green, 2 blue;
//   Msg       the invalid-input notice ("请输入数据0-255!", titled "出错了")
//             and the restore of a decimal box that follows it.
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
#include "mixer/tick_reading.h"

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
    void setTraceForTesting(HandlerTrace* trace) { trace_ = trace; }

private:
    class Activation;
    class NoticeOpen;
    [[nodiscard]] DecimalTexts decimalTexts() const;
    // Something happened that a tick could react to.
    void wakeTimer();
    // Enables or disables the timer where that changes; `askAgain` enables
    // an enabled one again.
    void updateTimer(bool askAgain = false);

    MixerWidgets& widgets_;
    Text remembered_;
    HandlerTrace* trace_ = nullptr;
    // While the notice is open ticks neither paint nor report.
    bool noticeOpen_ = false;
    // The decimal texts of the last failure a tick reported; while they stand
    // unchanged, ticks stay silent so the user can still type a number. One
    // report per failing state: a box left empty would otherwise bring the
    // notice back every 50 ms and leave no moment to type.
    std::optional<DecimalTexts> lastReportedFailure_;
    TickReadingCache tickReadings_;
    // Cleared as a tick starts, set by every change a tick could react to: a
    // box's text, a slider's value, the preview painted by the hexadecimal
    // handler (all inside the change handlers). A tick under an open notice
    // leaves it as it is. While it is clear, the last tick's texts and colour
    // still stand, or its failure is still the one reported, so the next tick
    // would change nothing.
    bool tickHasWork_ = true;
    bool timerEnabled_ = true;
};

} // namespace tintora
