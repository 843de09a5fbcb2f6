// The widgets of Form1 held in memory, keeping every rule of MixerWidgets.
// Tests, benchmarks and property runs drive the mixer through it without a
// display; the user's side (typing, clicks, slider moves, ticks, dismissing the
// notice) is played through the user* methods, which raise the same events a
// real window would.
#pragma once

#include "mixer/mixer_events.h"
#include "mixer/mixer_widgets.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace tintora {

class InMemoryWidgets final : public MixerWidgets {
public:
    struct Notice {
        Text prompt;
        Text title;
    };
    // Where a box's caret stands, and the other end of its selection (the
    // same place when nothing is selected), in UTF-16 units.
    struct Caret {
        std::size_t position = 0;
        std::size_t anchor = 0;
    };

    InMemoryWidgets(); // every box "0", every slider 0, preview never painted
    ~InMemoryWidgets() override = default;

    void setBackColor(Colour colour) override;
    void setTimerEnabled(bool enabled) override { timerEnabled_ = enabled; }
    void showNotice(std::u16string_view prompt, std::u16string_view title) override;

    // Form1 binds its handlers with bind(handlersOf(form)).
    void bind(MixerEvents events) { events_ = std::move(events); }

    // --- the user's side ---
    // Replaces the whole text, as a paste over a selected box does: without
    // any lone half of a surrogate pair, cut to MaxLength (cutToLength),
    // Change raised if it differs.
    void userReplace(TextGroup group, std::int16_t index, std::u16string_view text);
    // Types keys at the end of the box, one Change per key that changes it;
    // a handler's rewrite leaves the typing position at the end, so each key
    // goes after what the box holds by then.
    // A surrogate pair is one key, one character; u'\b' deletes the last
    // character; other control characters and lone surrogates insert nothing,
    // and a key whose character does not fit within MaxLength is refused.
    void userType(TextGroup group, std::int16_t index, std::u16string_view keys);
    void userClick(std::int16_t index);                      // mouse click in Text1(index)
    void userScroll(std::int16_t index, std::int16_t value); // slider released at value
    void userTick(); // one timer tick, delivered whether the timer is enabled or not
    // An edit the user made: the box holds `text` (already within MaxLength)
    // with the caret at `caret`, nothing selected, and raises Change if the
    // text differs. Handlers that rewrite the box meanwhile leave the caret
    // after their text, as setText always does.
    void userEdit(TextGroup group, std::int16_t index, std::u16string_view text, std::size_t caret);
    // Moves the caret and the selection's other end; raises nothing.
    void userSelect(TextGroup group, std::int16_t index, Caret caret);
    [[nodiscard]] Caret caret(TextGroup group, std::int16_t index) const;

    // Runs while each notice is open, before it is dismissed (the modal loop).
    void whileNoticeOpen(std::function<void()> action) { whileNoticeOpen_ = std::move(action); }

    [[nodiscard]] std::optional<Colour> backColor() const { return backColor_; }
    [[nodiscard]] int paintCount() const { return paintCount_; }
    [[nodiscard]] const std::vector<Notice>& notices() const { return notices_; }
    [[nodiscard]] int openNotices() const { return openNotices_; }
    [[nodiscard]] bool timerEnabled() const { return timerEnabled_; }

private:
    [[nodiscard]] Text heldText(TextGroup group, std::int16_t index) const override;
    void assignText(TextGroup group, std::int16_t index, std::u16string_view text) override;
    [[nodiscard]] std::int16_t heldValue(std::int16_t index) const override;
    void assignValue(std::int16_t index, std::int16_t value) override;

    [[nodiscard]] Caret& caretOf(TextGroup group, std::int16_t index);

    std::array<Text, ChannelCount> text1_;
    std::array<Text, ChannelCount> text2_;
    std::array<Caret, 2 * ChannelCount> carets_{}; // Text1(0..2), then Text2(0..2)
    std::array<std::int16_t, ChannelCount> sliders_{};
    std::optional<Colour> backColor_;
    int paintCount_ = 0;
    std::vector<Notice> notices_;
    int openNotices_ = 0;
    bool timerEnabled_ = true;
    MixerEvents events_;
    std::function<void()> whileNoticeOpen_;
};

} // namespace tintora
