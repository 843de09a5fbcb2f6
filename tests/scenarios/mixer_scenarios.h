// Behaviour scenarios of the mixer, written as a user's steps (user_steps.h)
// so that they run unchanged on the in-memory window, the Qt window and the
// Win32 one. A test binary includes this header once and instantiates the
// suite with its player's steps:
//   INSTANTIATE_TYPED_TEST_SUITE_P(InMemory, MixerScenarios, UserSteps<InMemoryWindow>);
#pragma once

#include "mixer_testing/printable_text.h"
#include "scenarios/call_log.h"
#include "scenarios/user_steps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintora::testing {

constexpr std::int16_t Red = 0;
constexpr std::int16_t Green = 1;
constexpr std::int16_t Blue = 2;

template <typename Steps> class MixerScenarios : public ::testing::Test {
protected:
    MixerScenarios() { d.form().setTraceForTesting(&log); }
    ~MixerScenarios() override { d.form().setTraceForTesting(nullptr); }

    // The decimal text, hexadecimal text and slider value of one channel.
    void expectChannel(std::int16_t index, std::u16string_view decimal, std::u16string_view hex,
                       std::int16_t value) {
        EXPECT_EQ(d.text(TextGroup::Text1, index), decimal) << "decimal box " << index;
        EXPECT_EQ(d.text(TextGroup::Text2, index), hex) << "hex box " << index;
        EXPECT_EQ(d.value(index), value) << "slider " << index;
    }

    // Puts a channel at a value through its decimal box, then forgets the calls.
    void setUpChannel(std::int16_t index, std::u16string_view decimal) {
        d.paste(TextGroup::Text1, index, decimal);
        log.calls.clear();
    }

    int countCalls(const std::string& call) const {
        return static_cast<int>(std::count(log.calls.begin(), log.calls.end(), call));
    }

    Steps d;
    CallLog log;
};

TYPED_TEST_SUITE_P(MixerScenarios);

TYPED_TEST_P(MixerScenarios, StartsAtZeroAndTheFirstTickPaintsBlack) {
    for (std::int16_t i = 0; i < ChannelCount; ++i) {
        this->expectChannel(i, u"0", u"0", 0);
    }
    EXPECT_EQ(this->d.backColor(), std::nullopt);
    this->d.tick();
    EXPECT_EQ(this->d.backColor(), 0u);
    EXPECT_EQ(this->d.noticeCount(), 0);
}

TYPED_TEST_P(MixerScenarios, SliderRoadRunsOneCascadeAndSettles) {
    this->d.scroll(Red, 200);
    this->expectChannel(Red, u"200", u"C8", 200);
    EXPECT_EQ(this->d.backColor(), 0x0000C8u);
    const std::vector<std::string> expected = {"HScroll1_Change(0)", "Text1_Change(0)",
                                               "Text2_Change(0)"};
    EXPECT_EQ(this->log.calls, expected);
    EXPECT_EQ(this->log.deepest, 3);
    this->d.tick();
    EXPECT_EQ(this->d.backColor(), 0x0000C8u);
}

TYPED_TEST_P(MixerScenarios, DecimalChangesFromZero) {
    const std::pair<std::u16string, std::pair<std::u16string, std::u16string>> cases[] = {
        {u"255", {u"255", u"FF"}}, {u"1.5", {u"2", u"2"}},  {u"2.5", {u"2", u"2"}},
        {u"007", {u"7", u"7"}},    {u" 12", {u"12", u"C"}}, {u"1e2", {u"100", u"64"}},
        {u"-0", {u"-0", u"0"}},
    };
    for (const auto& [typed, result] : cases) {
        this->d.paste(TextGroup::Text1, Green, u"0");
        this->d.paste(TextGroup::Text1, Green, typed);
        const auto value = static_cast<std::int16_t>(
            std::stoi(std::string(result.first.begin(), result.first.end())));
        SCOPED_TRACE(printable(typed));
        this->expectChannel(Green, result.first, result.second, value);
    }
    EXPECT_EQ(this->d.noticeCount(), 0);
}

TYPED_TEST_P(MixerScenarios, AFractionOverTheSameWholeValueStaysAndTheTimerFloorsIt) {
    this->setUpChannel(Red, u"2");
    this->d.paste(TextGroup::Text1, Red, u"2.5");
    this->expectChannel(Red, u"2.5", u"2", 2);
    this->d.paste(TextGroup::Text1, Red, u"1.5");
    this->expectChannel(Red, u"1.5", u"2", 2);
    this->d.tick();
    EXPECT_EQ(this->d.backColor(), 0x000001u);
}

TYPED_TEST_P(MixerScenarios, OverTheBoundRestoresTheClickedTextWithOneNotice) {
    this->setUpChannel(Green, u"120");
    this->d.click(Green);
    std::u16string heldWhileOpen;
    this->d.whileNoticeOpen([&] { heldWhileOpen = this->d.text(TextGroup::Text1, Green); });
    this->log.calls.clear();
    this->d.paste(TextGroup::Text1, Green, u"300");
    EXPECT_EQ(heldWhileOpen, u"300");
    EXPECT_EQ(this->d.noticeCount(), 1);
    this->expectChannel(Green, u"120", u"78", 120);
    const std::vector<std::string> expected = {"Text1_Change(1)", "Msg(1)", "Text1_Change(1)"};
    EXPECT_EQ(this->log.calls, expected);
}

TYPED_TEST_P(MixerScenarios, OverTheBoundWithNothingRememberedShowsTwoNotices) {
    this->d.paste(TextGroup::Text1, Red, u"256");
    EXPECT_EQ(this->d.noticeCount(), 2);
    // The hexadecimal box already showed "0", so nothing rewrites the empty box.
    this->expectChannel(Red, u"", u"0", 0);

    this->setUpChannel(Blue, u"5");
    this->d.paste(TextGroup::Text1, Blue, u"256");
    EXPECT_EQ(this->d.noticeCount(), 4);
    this->expectChannel(Blue, u"0", u"0", 0);
}

TYPED_TEST_P(MixerScenarios, NotANumberWithNothingRememberedEmptiesTheBox) {
    this->setUpChannel(Blue, u"9");
    this->d.paste(TextGroup::Text1, Blue, u"x");
    EXPECT_EQ(this->d.noticeCount(), 2);
    this->expectChannel(Blue, u"", u"9", 9);
}

TYPED_TEST_P(MixerScenarios, TheRememberedTextIsSharedAndTakenOnClicksOnly) {
    this->setUpChannel(Red, u"10");
    this->d.click(Red);
    this->setUpChannel(Green, u"20"); // typed after moving there by keyboard
    this->d.type(TextGroup::Text1, Blue, u"x");
    EXPECT_EQ(this->d.noticeCount(), 1);
    this->expectChannel(Blue, u"10", u"A", 10);
    EXPECT_EQ(this->d.form().rememberedText(), u"10");
}

TYPED_TEST_P(MixerScenarios, TypingKeyByKeyRunsTheHandlerPerText) {
    this->d.paste(TextGroup::Text1, Red, u""); // nothing remembered yet: stays empty
    this->setUpChannel(Green, u"42");
    this->d.click(Green);
    const int noticesBefore = this->d.noticeCount();
    this->log.calls.clear();
    this->d.type(TextGroup::Text1, Red, u"300");
    EXPECT_EQ(this->d.noticeCount() - noticesBefore, 1);
    // "3", "30", "300", and the nested run for the restored "42".
    EXPECT_EQ(this->countCalls("Text1_Change(0)"), 4);
    this->expectChannel(Red, u"42", u"2A", 42);
}

TYPED_TEST_P(MixerScenarios, HexTypedKeyByKeyFollowsEachKey) {
    this->d.paste(TextGroup::Text2, Green, u"");
    this->d.type(TextGroup::Text2, Green, u"F");
    this->expectChannel(Green, u"15", u"F", 15);
    EXPECT_EQ(this->d.backColor(), 0x000F00u);
    this->d.type(TextGroup::Text2, Green, u"F");
    this->expectChannel(Green, u"255", u"FF", 255);
    EXPECT_EQ(this->d.backColor(), 0x00FF00u);
    EXPECT_EQ(this->d.noticeCount(), 0);
}

TYPED_TEST_P(MixerScenarios, LowerCaseHexTypedKeyByKeyIsRewrittenAndTypingGoesOnAtTheEnd) {
    this->d.paste(TextGroup::Text2, Blue, u"");
    this->d.type(TextGroup::Text2, Blue, u"c");
    this->expectChannel(Blue, u"12", u"C", 12);
    this->d.type(TextGroup::Text2, Blue, u"8");
    this->expectChannel(Blue, u"200", u"C8", 200);
    EXPECT_EQ(this->d.backColor(), 0xC80000u);
    // In one go: "05" is rewritten to "5", and the 7 goes after it.
    this->d.type(TextGroup::Text1, Red, u"57");
    this->expectChannel(Red, u"57", u"39", 57);
}

TYPED_TEST_P(MixerScenarios, HexChangesAreReadLeniently) {
    this->d.paste(TextGroup::Text2, Red, u"c8");
    this->expectChannel(Red, u"200", u"C8", 200);
    this->d.paste(TextGroup::Text2, Red, u"0A");
    this->expectChannel(Red, u"10", u"A", 10);
    this->d.paste(TextGroup::Text2, Green, u"G");
    this->expectChannel(Green, u"0", u"G", 0); // already 0: nothing rewrites the box
    this->d.paste(TextGroup::Text2, Red, u"");
    this->expectChannel(Red, u"0", u"0", 0);
    EXPECT_EQ(this->d.noticeCount(), 0);
}

TYPED_TEST_P(MixerScenarios, BothPathsPaintTheSameColour) {
    this->d.paste(TextGroup::Text2, Red, u"FF");
    this->d.paste(TextGroup::Text2, Green, u"80");
    EXPECT_EQ(this->d.backColor(), 0x0080FFu);
    this->d.tick();
    EXPECT_EQ(this->d.backColor(), 0x0080FFu);
    this->expectChannel(Green, u"128", u"80", 128);
}

TYPED_TEST_P(MixerScenarios, LengthLimitsRefuseExtraKeys) {
    this->d.paste(TextGroup::Text1, Red, u"");
    this->d.type(TextGroup::Text1, Red, u"1234");
    EXPECT_EQ(this->d.text(TextGroup::Text1, Red), u"123");
    this->d.paste(TextGroup::Text2, Blue, u"");
    this->d.type(TextGroup::Text2, Blue, u"ABC");
    EXPECT_EQ(this->d.text(TextGroup::Text2, Blue), u"AB");
    this->expectChannel(Blue, u"171", u"AB", 171);
    // A character outside the BMP takes two of a box's units, and goes in
    // whole or not at all.
    this->d.paste(TextGroup::Text2, Green, u"");
    this->d.type(TextGroup::Text2, Green, u"😀");
    EXPECT_EQ(this->d.text(TextGroup::Text2, Green), u"😀");
    this->d.paste(TextGroup::Text2, Green, u"1😀");
    this->expectChannel(Green, u"1", u"1", 1);
    this->log.calls.clear();
    this->d.type(TextGroup::Text2, Green, u"😀");
    EXPECT_EQ(this->d.text(TextGroup::Text2, Green), u"1");
    // Control characters go in nowhere, room or not (Ctrl+Backspace gives U+007F).
    this->d.type(TextGroup::Text2, Green, u"\x7f\x1b\u0085\u009f");
    EXPECT_EQ(this->d.text(TextGroup::Text2, Green), u"1");
    EXPECT_TRUE(this->log.calls.empty());
}

// A negative number is refused like one above 255, with a notice, even where
// its hexadecimal form would have rewritten the box to 255.
TYPED_TEST_P(MixerScenarios, NegativeDecimalsAreRefused) {
    this->setUpChannel(Red, u"7");
    this->d.click(Red);
    for (const std::u16string_view negative : {u"-5", u"-.4", u"-1"}) {
        this->d.paste(TextGroup::Text1, Red, negative);
        this->expectChannel(Red, u"7", u"7", 7);
    }
    EXPECT_EQ(this->d.noticeCount(), 3);
    this->d.tick();
    EXPECT_EQ(this->d.noticeCount(), 3);
}

// A failing tick restores the box that failed, not the red one, so that with
// nothing remembered the red channel is left as it is.
TYPED_TEST_P(MixerScenarios, AFailingTickRestoresTheBoxThatFailed) {
    this->setUpChannel(Red, u"10");
    this->d.paste(TextGroup::Text1, Blue, u""); // nothing remembered: stays empty
    const int afterEmptying = this->d.noticeCount();
    this->d.tick();
    EXPECT_EQ(this->d.noticeCount(), afterEmptying + 1);
    this->expectChannel(Red, u"10", u"A", 10);
    EXPECT_EQ(this->d.text(TextGroup::Text1, Blue), u"");
}

TYPED_TEST_P(MixerScenarios, AFailingStateIsReportedOnceAndTheUserCanTypeAgain) {
    this->d.tick();
    this->d.paste(TextGroup::Text1, Green, u"");
    const int afterEmptying = this->d.noticeCount();
    for (int i = 0; i < 5; ++i) {
        this->d.tick();
    }
    EXPECT_EQ(this->d.noticeCount(), afterEmptying + 1);
    EXPECT_EQ(this->d.backColor(), 0u);
    this->d.type(TextGroup::Text1, Green, u"9");
    this->d.tick();
    EXPECT_EQ(this->d.backColor(), 0x000900u);
    EXPECT_EQ(this->d.noticeCount(), afterEmptying + 1);
}

// A tick reads blue, green, red and restores the first box that fails. It
// reports a failing state once, and a changed failing state once again.
TYPED_TEST_P(MixerScenarios, EachFailingStateIsReportedOnceForTheFirstBoxThatFails) {
    this->d.paste(TextGroup::Text1, Red, u""); // nothing remembered: stays empty
    this->log.calls.clear();
    this->d.tick();
    this->d.tick();
    this->d.paste(TextGroup::Text1, Blue, u"");
    this->d.tick();
    this->d.tick();
    const std::vector<std::string> expected = {"Timer1_Timer()",  "Msg(0)",        "Timer1_Timer()",
                                               "Text1_Change(2)", "Msg(2)",        "Timer1_Timer()",
                                               "Msg(2)",          "Timer1_Timer()"};
    EXPECT_EQ(this->log.calls, expected);
}

TYPED_TEST_P(MixerScenarios, AFailingTickPutsTheRememberedTextBackAndItsHandlerRuns) {
    this->d.paste(TextGroup::Text1, Green, u""); // nothing remembered: stays empty
    this->setUpChannel(Red, u"2");
    this->d.paste(TextGroup::Text1, Red, u"2.5");
    this->d.click(Red);
    const int before = this->d.noticeCount();
    this->d.tick();
    EXPECT_EQ(this->d.noticeCount(), before + 1);
    this->expectChannel(Green, u"2", u"2", 2);
    this->expectChannel(Red, u"2.5", u"2", 2);
}

TYPED_TEST_P(MixerScenarios, TicksWhileTheNoticeIsOpenNeitherPaintNorReport) {
    this->d.tick();
    this->setUpChannel(Red, u"120");
    this->d.click(Red);
    this->d.tick();
    ASSERT_EQ(this->d.backColor(), 0x000078u);
    std::optional<Colour> paintedWhileOpen;
    this->d.whileNoticeOpen([&] {
        for (int i = 0; i < 3; ++i) {
            this->d.tick();
        }
        paintedWhileOpen = this->d.backColor();
    });
    this->d.paste(TextGroup::Text1, Red, u"300");
    EXPECT_EQ(this->d.noticeCount(), 1);
    EXPECT_EQ(paintedWhileOpen, 0x000078u);
    this->expectChannel(Red, u"120", u"78", 120);
}

// The timer sleeps once a tick would change nothing, and whatever could give a
// tick work wakes it: a keystroke, and a hexadecimal edit that paints another
// colour than the decimal boxes give.
TYPED_TEST_P(MixerScenarios, TheTimerSleepsOnceATickWouldChangeNothing) {
    auto& d = this->d;
    EXPECT_TRUE(d.timerEnabled());
    d.tick();
    EXPECT_EQ(d.backColor(), 0u);
    EXPECT_FALSE(d.timerEnabled());
    d.type(TextGroup::Text1, Red, u"2"); // "02", rewritten to "2"
    EXPECT_TRUE(d.timerEnabled());
    d.tick();
    EXPECT_EQ(d.backColor(), 0x000002u);
    EXPECT_FALSE(d.timerEnabled());
    d.paste(TextGroup::Text1, Red, u"1.5"); // stays; the tick floors it
    d.tick();
    EXPECT_EQ(d.backColor(), 0x000001u);
    EXPECT_FALSE(d.timerEnabled());
    d.paste(TextGroup::Text2, Green, u"5"); // paints red 2 from the hexadecimal box
    EXPECT_EQ(d.backColor(), 0x000502u);
    EXPECT_TRUE(d.timerEnabled());
    d.tick();
    EXPECT_EQ(d.backColor(), 0x000501u);
    EXPECT_FALSE(d.timerEnabled());
}

// An open notice keeps the timer asleep, and so does a failure already
// reported for the texts as they stand.
TYPED_TEST_P(MixerScenarios, TheTimerSleepsUnderTheNoticeAndAfterAReportedFailure) {
    auto& d = this->d;
    std::vector<bool> enabledUnderNotices;
    d.whileNoticeOpen([&] { enabledUnderNotices.push_back(d.timerEnabled()); });
    d.paste(TextGroup::Text1, Blue, u""); // nothing remembered: the box stays empty
    EXPECT_EQ(enabledUnderNotices, std::vector<bool>{false});
    EXPECT_TRUE(d.timerEnabled());
    d.tick();
    EXPECT_EQ(enabledUnderNotices, (std::vector<bool>{false, false}));
    EXPECT_FALSE(d.timerEnabled());
    d.type(TextGroup::Text1, Blue, u"7");
    EXPECT_TRUE(d.timerEnabled());
    d.tick();
    EXPECT_EQ(d.backColor(), 0x070000u);
    EXPECT_FALSE(d.timerEnabled());
}

REGISTER_TYPED_TEST_SUITE_P(
    MixerScenarios, StartsAtZeroAndTheFirstTickPaintsBlack, SliderRoadRunsOneCascadeAndSettles,
    DecimalChangesFromZero, AFractionOverTheSameWholeValueStaysAndTheTimerFloorsIt,
    OverTheBoundRestoresTheClickedTextWithOneNotice,
    OverTheBoundWithNothingRememberedShowsTwoNotices, NotANumberWithNothingRememberedEmptiesTheBox,
    TheRememberedTextIsSharedAndTakenOnClicksOnly, TypingKeyByKeyRunsTheHandlerPerText,
    HexTypedKeyByKeyFollowsEachKey, LowerCaseHexTypedKeyByKeyIsRewrittenAndTypingGoesOnAtTheEnd,
    HexChangesAreReadLeniently, BothPathsPaintTheSameColour, LengthLimitsRefuseExtraKeys,
    NegativeDecimalsAreRefused, AFailingTickRestoresTheBoxThatFailed,
    AFailingStateIsReportedOnceAndTheUserCanTypeAgain,
    EachFailingStateIsReportedOnceForTheFirstBoxThatFails,
    AFailingTickPutsTheRememberedTextBackAndItsHandlerRuns,
    TicksWhileTheNoticeIsOpenNeitherPaintNorReport, TheTimerSleepsOnceATickWouldChangeNothing,
    TheTimerSleepsUnderTheNoticeAndAfterAReportedFailure);

} // namespace tintora::testing
