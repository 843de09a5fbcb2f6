// The behaviour scenarios and the widget contract on the in-memory widgets,
// and what only the model can observe directly.
#include "mixer/failure.h"
#include "mixer/tick_schedule.h"
#include "mixer_testing/in_memory_window.h"
#include "scenarios/mixer_scenarios.h"
#include "scenarios/user_steps.h"
#include "scenarios/widget_contract.h"

#include <gtest/gtest.h>

namespace tintora::testing {
namespace {

class RecordedInMemoryWidgets : public EventRecord {
public:
    RecordedInMemoryWidgets() { widgets_.bind(recording(widgets_)); }
    MixerWidgets& widgets() { return widgets_; }

private:
    InMemoryWidgets widgets_;
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, WidgetContract, RecordedInMemoryWidgets);
INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, MixerScenarios, UserSteps<InMemoryWindow>);

// The rules MixerWidgets keeps before it calls a realisation's hooks.
class WidgetRules : public ::testing::Test {
protected:
    RecordedInMemoryWidgets recorded;
    MixerWidgets& w = recorded.widgets();
    std::vector<std::string>& events = recorded.events();
};

TEST_F(WidgetRules, LongTextsAreCutBeforeTheComparison) {
    w.setText(TextGroup::Text2, 2, u"FFFFFFFB");
    EXPECT_EQ(w.text(TextGroup::Text2, 2), u"FF");
    w.setText(TextGroup::Text2, 2, u"FFFFFFFF");
    w.setText(TextGroup::Text1, 1, u"12345");
    EXPECT_EQ(w.text(TextGroup::Text1, 1), u"123");
    // Non-ASCII text counts characters, not bytes.
    w.setText(TextGroup::Text1, 1, u"红绿蓝白");
    EXPECT_EQ(w.text(TextGroup::Text1, 1), u"红绿蓝");
    // A character that does not fit whole is dropped whole, never split.
    w.setText(TextGroup::Text2, 0, u"1😀");
    EXPECT_EQ(w.text(TextGroup::Text2, 0), u"1");
    w.setText(TextGroup::Text2, 0, u"1😀");
    const std::vector<std::string> expected = {"Text2(2)=\"FF\"", "Text1(1)=\"123\"",
                                               "Text1(1)=\"\\u7EA2\\u7EFF\\u84DD\"",
                                               "Text2(0)=\"1\""};
    EXPECT_EQ(events, expected);
}

TEST_F(WidgetRules, TheSliderRefusesValuesOutsideItsRangeAndAnIndexOutsideTheGroupFails) {
    w.setValue(1, 200);
    for (const std::int16_t refused : {256, -1, 32767, -32768}) {
        EXPECT_THROW(w.setValue(1, refused), Failure) << refused;
        EXPECT_EQ(w.value(1), 200);
    }
    EXPECT_EQ(events, std::vector<std::string>{"HScroll1(1)=\"200\""});
    EXPECT_THROW((void)w.text(TextGroup::Text1, 3), Failure);
    EXPECT_THROW(w.setText(TextGroup::Text2, -1, u"1"), Failure);
    EXPECT_THROW((void)w.value(3), Failure);
}

namespace {

TEST(Form1Notice, CarriesTheFixedPromptAndTitle) {
    UserSteps<InMemoryWindow> d;
    d.paste(TextGroup::Text1, 0, u"x");
    ASSERT_FALSE(d.player.widgets().notices().empty());
    EXPECT_EQ(d.player.widgets().notices().front().prompt, u"请输入数据0-255!");
    EXPECT_EQ(d.player.widgets().notices().front().title, u"出错了");
}

TEST(Form1Notice, AnEmptyArgumentRestoresTheRedBox) {
    UserSteps<InMemoryWindow> d;
    d.paste(TextGroup::Text1, 1, u"33");
    d.player.widgets().userClick(1);
    d.form().Msg(std::nullopt);
    EXPECT_EQ(d.player.widgets().text(TextGroup::Text1, 0), u"33");
    EXPECT_EQ(d.player.widgets().text(TextGroup::Text2, 0), u"21");
}

// Values outside 0..255 that the handlers would refuse, placed without them.
// The tick reads all three boxes, blue, green, red, before it packs them: it
// restores the first box that does not read, else the first out of range.
TEST(Form1Timer, AFailingTickRestoresTheFirstUnreadableElseTheFirstOutOfRange) {
    const struct {
        std::array<std::u16string_view, ChannelCount> texts; // red, green, blue
        std::int16_t restored;
    } cases[] = {
        {{u"0", u"300", u"-1"}, 2},
        {{u"x", u"0", u"300"}, 0},
        {{u"300", u"x", u"0"}, 1},
    };
    for (const auto& c : cases) {
        InMemoryWidgets widgets;
        Form1 form(widgets);
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            widgets.setText(TextGroup::Text1, i, c.texts[i]);
        }
        form.Timer1_Timer();
        ASSERT_EQ(widgets.notices().size(), 1u);
        for (std::int16_t i = 0; i < ChannelCount; ++i) {
            EXPECT_EQ(widgets.text(TextGroup::Text1, i), i == c.restored ? u"" : c.texts[i])
                << "restored " << c.restored << ", box " << i;
        }
        EXPECT_EQ(widgets.backColor(), std::nullopt);
    }
}

TEST(Form1Notice, NeverMoreThanOneOpenAndTicksInsideAreSilent) {
    UserSteps<InMemoryWindow> d;
    int deepestOpen = 0;
    d.player.widgets().whileNoticeOpen([&] {
        deepestOpen = std::max(deepestOpen, d.player.widgets().openNotices());
        d.player.widgets().userTick();
        EXPECT_TRUE(d.form().noticeOpen());
    });
    d.paste(TextGroup::Text1, 2, u"");
    d.player.widgets().userTick();
    EXPECT_EQ(deepestOpen, 1);
    EXPECT_FALSE(d.form().noticeOpen());
}

// Widgets that pass everything on to the in-memory ones but what a test
// changes: to reach a failure ordinary inputs never produce, or a timer
// clock the platform refuses to arm.
class ForwardingWidgets : public MixerWidgets {
public:
    void setBackColor(Colour colour) override { inner.setBackColor(colour); }
    void setTimerEnabled(bool enabled) override { inner.setTimerEnabled(enabled); }
    void showNotice(std::u16string_view prompt, std::u16string_view title) override {
        ++notices;
        inner.showNotice(prompt, title);
    }
    InMemoryWidgets inner;
    int notices = 0;

private:
    Text heldText(TextGroup group, std::int16_t index) const override {
        return inner.text(group, index);
    }
    void assignText(TextGroup group, std::int16_t index, std::u16string_view text) override {
        inner.setText(group, index, text);
    }
    std::int16_t heldValue(std::int16_t index) const override { return inner.value(index); }
    void assignValue(std::int16_t index, std::int16_t value) override {
        inner.setValue(index, value);
    }
};

// A slider that refuses everything, and a preview that cannot be painted: the
// hexadecimal handler's recovery.
class RefusingWidgets final : public ForwardingWidgets {
public:
    void setBackColor(Colour) override { throw Failure{}; }
    void setTimerEnabled(bool) override {}

private:
    void assignValue(std::int16_t, std::int16_t) override { throw Failure{}; }
};

TEST(Form1Trap, EachActivationRecoversItsOwnFailureOnce) {
    RefusingWidgets widgets;
    Form1 form(widgets);
    CallLog log;
    form.setTraceForTesting(&log);
    widgets.inner.bind({.change = [&](TextGroup group, std::int16_t index) {
        group == TextGroup::Text1 ? form.Text1_Change(index) : form.Text2_Change(index);
    }});
    // Text2_Change fails at the paint and recovers (notice, then empties the
    // decimal box); the nested Text1_Change on "" fails its reading and
    // recovers with its own notice. Nothing escapes to the outer handler.
    widgets.inner.userReplace(TextGroup::Text2, 0, u"5");
    EXPECT_EQ(widgets.notices, 2);
    EXPECT_EQ(widgets.text(TextGroup::Text1, 0), u"");
    const std::vector<std::string> expected = {"Text2_Change(0)", "Msg(0)", "Text1_Change(0)",
                                               "Msg(0)"};
    EXPECT_EQ(log.calls, expected);
    EXPECT_EQ(log.depth, 0);
}

TEST(Form1Trap, AFailureInsideRecoveryEndsTheHandlerWithoutEscaping) {
    InMemoryWidgets widgets;
    Form1 form(widgets);
    widgets.whileNoticeOpen([] { throw Failure{}; });
    widgets.bind(handlersOf(form));
    EXPECT_NO_THROW(widgets.userReplace(TextGroup::Text1, 0, u"x"));
    EXPECT_EQ(widgets.notices().size(), 1u);
    EXPECT_FALSE(form.noticeOpen());
    EXPECT_EQ(widgets.text(TextGroup::Text1, 0), u"x"); // restore never happened
}

} // namespace

namespace {

// A clock the test moves and lets refuse, recording each delay it is armed
// with and each disarm as 0.
class TestClock final : public TickClock {
public:
    std::uint64_t now = 0;
    bool refuses = false;
    std::vector<int> armed;

    std::uint64_t nowMs() const override { return now; }
    bool arm(int delayMs) override {
        if (!refuses) {
            armed.push_back(delayMs);
        }
        return !refuses;
    }
    void disarm() override { armed.push_back(0); }
};

TEST(TickSchedule, TicksOnTheGridOfItsStartSleepsWhileDisabledAndWakesOnTheGrid) {
    TestClock clock;
    TickSchedule schedule(clock);
    EXPECT_FALSE(schedule.isRunning()); // not before the window is made
    clock.now = 1000;
    schedule.start();
    EXPECT_EQ(clock.armed.back(), 50);
    clock.now = 1070;
    schedule.setEnabled(false);
    EXPECT_FALSE(schedule.isRunning());
    clock.now = 1120;
    schedule.setEnabled(true);
    EXPECT_EQ(clock.armed.back(), 30); // at 1150, on the grid
    schedule.ticked();
    EXPECT_EQ(clock.armed.back(), 50); // then every 50 ms
    schedule.stop();
    schedule.setEnabled(true);
    EXPECT_FALSE(schedule.isRunning());
}

TEST(TickSchedule, AClockThePlatformRefusesIsNotRunningAndIsArmedAtTheNextEnable) {
    TestClock clock;
    TickSchedule schedule(clock);
    clock.refuses = true;
    schedule.start();
    EXPECT_TRUE(schedule.isEnabled());
    EXPECT_FALSE(schedule.isRunning());
    clock.refuses = false;
    schedule.setEnabled(true);
    EXPECT_TRUE(schedule.isRunning());
    // Refused on its way back to the grid's own interval.
    schedule.setEnabled(false);
    clock.now = 20;
    schedule.setEnabled(true);
    clock.refuses = true;
    schedule.ticked();
    EXPECT_FALSE(schedule.isRunning());
    clock.refuses = false;
    schedule.setEnabled(true);
    EXPECT_TRUE(schedule.isRunning());
}

// The widgets' Timer1 on a schedule whose clock the platform refuses at first.
class ScheduledWidgets final : public ForwardingWidgets {
public:
    ScheduledWidgets() {
        clock.refuses = true;
        schedule.start();
    }
    void setTimerEnabled(bool enabled) override { schedule.setEnabled(enabled); }
    TestClock clock;
    TickSchedule schedule{clock};
};

TEST(Form1Timer, AClockThatCouldNotBeArmedIsTriedAgainAtTheNextChange) {
    ScheduledWidgets widgets;
    Form1 form(widgets);
    widgets.inner.bind(handlersOf(form));
    ASSERT_FALSE(widgets.schedule.isRunning());
    widgets.clock.refuses = false;
    widgets.inner.userReplace(TextGroup::Text1, 0, u"7");
    EXPECT_TRUE(widgets.schedule.isRunning());
}

} // namespace

} // namespace tintora::testing
