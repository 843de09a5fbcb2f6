// Form1: the logic of the mixer's one window.
//
// It keeps no channel state of its own: the three channels live as text in
// the widgets and are converted on every use. Besides the widgets it owns the
// remembered text (what a decimal box held when the user last clicked one)
// and two facts that keep the timer from flooding the user with notices.
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

    // Not owned; nullptr (the default) traces nothing.
    void setTrace(HandlerTrace* trace) { trace_ = trace; }

private:
    class Activation;
    using DecimalTexts = std::array<Text, ChannelCount>;

    [[nodiscard]] DecimalTexts decimalTexts() const;
    [[nodiscard]] std::uint32_t tickColour(const DecimalTexts& texts, std::int16_t& failing) const;
    [[nodiscard]] std::uint32_t rememberedTickColour(const DecimalTexts& texts,
                                                     std::int16_t& failing);

    MixerWidgets& widgets_;
    Text remembered_;
    HandlerTrace* trace_ = nullptr;
    // While the notice is open ticks neither paint nor report.
    bool noticeOpen_ = false;
    // The decimal texts of the last failure a tick reported; while they stand
    // unchanged, ticks stay silent so the user can still type a number.
    std::optional<DecimalTexts> lastReportedFailure_;
    // The colour a tick last computed and the decimal texts it came from. The
    // colour depends on nothing else, so an idle tick that finds the same
    // texts paints it again without reading them as numbers.
    struct TickColour {
        DecimalTexts texts;
        std::uint32_t colour;
    };
    std::optional<TickColour> lastTickColour_;
};

} // namespace tintora
