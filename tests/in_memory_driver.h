// Plays the scenarios' user actions on the in-memory widgets.
#pragma once

#include "mixer/form1.h"
#include "mixer/mixer_events.h"
#include "mixer_testing/in_memory_widgets.h"
#include "scenarios/mixer_driver.h"

namespace tintora::testing {

class InMemoryDriver final : public MixerDriver {
public:
    InMemoryDriver() { widgets.bind(handlersOf(form_)); }

    void paste(TextGroup group, std::int16_t index, std::u16string_view text) override {
        widgets.userReplace(group, index, text);
    }
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) override {
        widgets.userType(group, index, keys);
    }
    void click(std::int16_t index) override { widgets.userClick(index); }
    void scroll(std::int16_t index, std::int16_t value) override {
        widgets.userScroll(index, value);
    }
    void tick() override { widgets.userTick(); }
    void whileNoticeOpen(std::function<void()> action) override {
        widgets.whileNoticeOpen(std::move(action));
    }

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) const override {
        return widgets.text(group, index);
    }
    [[nodiscard]] std::int16_t value(std::int16_t index) const override {
        return widgets.value(index);
    }
    [[nodiscard]] std::optional<Colour> backColor() const override { return widgets.backColor(); }
    [[nodiscard]] int noticeCount() const override {
        return static_cast<int>(widgets.notices().size());
    }
    [[nodiscard]] int openNotices() const override { return widgets.openNotices(); }
    [[nodiscard]] bool timerEnabled() const override { return widgets.timerEnabled(); }
    [[nodiscard]] Form1& form() override { return form_; }

    InMemoryWidgets widgets;

private:
    Form1 form_{widgets};
};

} // namespace tintora::testing
