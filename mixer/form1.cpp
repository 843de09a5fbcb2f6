#include "mixer/form1.h"

#include "conversions/channel_conversions.h"
#include "mixer/failure.h"

#include <utility>

namespace tintora {
namespace {

constexpr std::u16string_view HexPrefix = u"&H";

// A failure inside recovery steps is not trapped a second time: it just ends
// the handler, which must still not let it escape.
template <typename Steps> void recover(Steps&& steps) noexcept {
    try {
        std::forward<Steps>(steps)();
    } catch (const Failure&) {
    }
}

double readHex(std::u16string_view boxText) {
    return LeadingNumber(Concat(HexPrefix, boxText));
}

} // namespace

// Reports entry and exit of one handler activation to the trace, if any.
class Form1::Activation {
public:
    Activation(const Form1& form, Handler handler, std::int16_t index)
        : trace_(form.trace_)
        , handler_(handler)
        , index_(index) {
        if (trace_ != nullptr) {
            trace_->entered(handler_, index_);
        }
    }
    ~Activation() {
        if (trace_ != nullptr) {
            trace_->left(handler_, index_);
        }
    }
    Activation(const Activation&) = delete;
    Activation& operator=(const Activation&) = delete;

private:
    HandlerTrace* trace_;
    Handler handler_;
    std::int16_t index_;
};

// Marks the notice open for as long as the modal box runs. The timer sleeps
// meanwhile, since a tick under an open notice does nothing; as the notice
// closes it runs again if a tick has work waiting. Ticks skipped under the
// notice leave that work in place.
class Form1::NoticeOpen {
public:
    explicit NoticeOpen(Form1& form)
        : form_(form) {
        form_.noticeOpen_ = true;
        form_.updateTimer();
    }
    ~NoticeOpen() {
        form_.noticeOpen_ = false;
        form_.updateTimer();
    }
    NoticeOpen(const NoticeOpen&) = delete;
    NoticeOpen& operator=(const NoticeOpen&) = delete;

private:
    Form1& form_;
};

Form1::Form1(MixerWidgets& widgets)
    : widgets_(widgets) {}

void Form1::HScroll1_Change(std::int16_t Index) noexcept {
    const Activation activation(*this, Handler::HScroll1_Change, Index);
    wakeTimer();
    widgets_.setText(TextGroup::Text1, Index, Int16Text(widgets_.value(Index)));
}

void Form1::Text1_Click(std::int16_t Index) noexcept {
    const Activation activation(*this, Handler::Text1_Click, Index);
    remembered_ = widgets_.text(TextGroup::Text1, Index);
}

void Form1::Text1_Change(std::int16_t Index) noexcept {
    const Activation activation(*this, Handler::Text1_Change, Index);
    wakeTimer();
    try {
        const double number = orFail(StrictNumber(widgets_.text(TextGroup::Text1, Index)));
        // A negative number is refused like one above 255, although it reads
        // as a number: left through, it would reach the slider, or put "FF"
        // in the hexadecimal box for a value that is not 255.
        if (number > SliderMax || number < SliderMin) {
            // Refused, but not abandoned: the later steps run on the restored text.
            Msg(Index);
        }
        const Text forHex = widgets_.text(TextGroup::Text1, Index);
        widgets_.setText(TextGroup::Text2, Index, orFail(HexText(LeadingNumber(forHex))));
        // Read again: the hexadecimal handler may have rewritten the box.
        const Text forSlider = widgets_.text(TextGroup::Text1, Index);
        widgets_.setValue(Index, orFail(RoundToInt16(LeadingNumber(forSlider))));
    } catch (const Failure&) {
        recover([&] { Msg(Index); });
    }
}

void Form1::Text2_Change(std::int16_t Index) noexcept {
    const Activation activation(*this, Handler::Text2_Change, Index);
    wakeTimer();
    try {
        const double red = readHex(widgets_.text(TextGroup::Text2, 0));
        const double green = readHex(widgets_.text(TextGroup::Text2, 1));
        const double blue = readHex(widgets_.text(TextGroup::Text2, 2));
        const std::int16_t blue16 = orFail(FloorToInt16(blue));
        const std::int16_t green16 = orFail(FloorToInt16(green));
        const std::int16_t red16 = orFail(FloorToInt16(red));
        widgets_.setBackColor(orFail(PackColour(red16, green16, blue16)));

        const Text hex = widgets_.text(TextGroup::Text2, Index);
        widgets_.setText(TextGroup::Text1, Index, NumberText(Floor(readHex(hex))));
    } catch (const Failure&) {
        recover([&] {
            Msg(Index);
            widgets_.setText(TextGroup::Text1, Index, u"");
        });
    }
}

void Form1::Timer1_Timer() noexcept {
    const Activation activation(*this, Handler::Timer1_Timer, -1);
    if (noticeOpen_) {
        return;
    }
    // Whatever this tick changes, the change handlers it raises wake the timer again.
    tickHasWork_ = false;
    DecimalTexts texts;
    std::optional<std::int16_t> failing;
    try {
        texts = decimalTexts();
        if (lastReportedFailure_ == texts) {
            updateTimer();
            return;
        }
        const TickReading& reading = tickReadings_.of(texts);
        failing = reading.failingChannel;
        const Colour colour = orFail(reading.colour);
        lastReportedFailure_.reset();
        widgets_.setBackColor(colour);
    } catch (const Failure&) {
        lastReportedFailure_ = texts;
        // The remembered text goes back into the box that failed, not always
        // into the red one, which would leave the failing box, and so the
        // failure, standing.
        recover([&] { Msg(failing); });
    }
    updateTimer();
}

// An enabled timer is enabled again at every wake: a realisation whose clock
// the platform refused to arm tries again then, and a running one ignores it.
void Form1::wakeTimer() {
    tickHasWork_ = true;
    updateTimer(true);
}

void Form1::updateTimer(bool askAgain) {
    const bool enabled = tickHasWork_ && !noticeOpen_;
    if (enabled != timerEnabled_ || (enabled && askAgain)) {
        timerEnabled_ = enabled;
        widgets_.setTimerEnabled(enabled);
    }
}

void Form1::Msg(std::optional<std::int16_t> Index) {
    const Activation activation(*this, Handler::Msg, Index.value_or(0));
    {
        const NoticeOpen open(*this);
        widgets_.showNotice(NoticePrompt, NoticeTitle);
    }
    const Text restored = remembered_;
    widgets_.setText(TextGroup::Text1, Index.value_or(0), restored);
}

DecimalTexts Form1::decimalTexts() const {
    return {widgets_.text(TextGroup::Text1, 0), widgets_.text(TextGroup::Text1, 1),
            widgets_.text(TextGroup::Text1, 2)};
}

} // namespace tintora
