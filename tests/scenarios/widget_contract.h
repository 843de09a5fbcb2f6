// What each realisation of MixerWidgets does in its hooks, as typed tests: a
// text or value stored exactly, Change raised synchronously and only on a real
// change. A test binary instantiates them with a class that owns a
// realisation's widgets and records their change events as "Text1(0)", "Text2(1)" or "HScroll1(2)",
// each with the text or value the widget holds when the event arrives. The
// rules MixerWidgets keeps itself (the index check, the length cut, the
// slider's range) are tested once, on the in-memory realisation.
#pragma once

#include "mixer/failure.h"
#include "mixer/mixer_events.h"
#include "mixer/mixer_widgets.h"
#include "mixer_testing/printable_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tintora::testing {

template <typename Recorded> class WidgetContract : public ::testing::Test {
protected:
    Recorded recorded;
    MixerWidgets& w = recorded.widgets();
    std::vector<std::string>& events = recorded.events();
};

TYPED_TEST_SUITE_P(WidgetContract);

TYPED_TEST_P(WidgetContract, InitialValuesRaiseNothing) {
    for (std::int16_t i = 0; i < ChannelCount; ++i) {
        EXPECT_EQ(this->w.text(TextGroup::Text1, i), u"0");
        EXPECT_EQ(this->w.text(TextGroup::Text2, i), u"0");
        EXPECT_EQ(this->w.value(i), 0);
    }
    EXPECT_TRUE(this->events.empty());
}

TYPED_TEST_P(WidgetContract, ChangeIsRaisedOnlyOnARealChangeWithTheNewTextInPlace) {
    this->w.setText(TextGroup::Text1, 0, u"0");
    this->w.setValue(1, 0);
    EXPECT_TRUE(this->events.empty());
    this->w.setText(TextGroup::Text1, 0, u"12");
    this->w.setText(TextGroup::Text1, 0, u"12");
    this->w.setText(TextGroup::Text2, 2, u"C");
    this->w.setValue(1, 200);
    this->w.setValue(1, 200);
    // The toolkit keeps the text exactly: characters outside ASCII and the BMP.
    this->w.setText(TextGroup::Text1, 1, u"红绿");
    this->w.setText(TextGroup::Text2, 0, u"😀");
    const std::vector<std::string> expected = {"Text1(0)=\"12\"", "Text2(2)=\"C\"",
                                               "HScroll1(1)=\"200\"", "Text1(1)=\"\\u7EA2\\u7EFF\"",
                                               "Text2(0)=\"\\uD83D\\uDE00\""};
    EXPECT_EQ(this->events, expected);
}

TYPED_TEST_P(WidgetContract, EventsNestOnTheAssigningStack) {
    this->recorded.onChange([this](const std::string& event) {
        if (event == "Text1(0)=\"5\"") {
            this->w.setText(TextGroup::Text2, 0, u"5");
            this->events.push_back("back in Text1(0)");
        }
    });
    this->w.setText(TextGroup::Text1, 0, u"5");
    this->events.push_back("setText returned");
    const std::vector<std::string> expected = {"Text1(0)=\"5\"", "Text2(0)=\"5\"",
                                               "back in Text1(0)", "setText returned"};
    EXPECT_EQ(this->events, expected);
}

REGISTER_TYPED_TEST_SUITE_P(WidgetContract, InitialValuesRaiseNothing,
                            ChangeIsRaisedOnlyOnARealChangeWithTheNewTextInPlace,
                            EventsNestOnTheAssigningStack);

// Shared by the recorded widgets: the change events a realisation raised, each written
// down with what its widget holds as it arrives, and a hook run on each.
class EventRecord {
public:
    std::vector<std::string>& events() { return events_; }
    void onChange(std::function<void(const std::string&)> hook) { hook_ = std::move(hook); }

    void textChanged(const MixerWidgets& widgets, TextGroup group, std::int16_t index) {
        record(std::string(group == TextGroup::Text1 ? "Text1" : "Text2"), index,
               widgets.text(group, index));
    }
    void valueChanged(const MixerWidgets& widgets, std::int16_t index) {
        const std::string value = std::to_string(widgets.value(index));
        record("HScroll1", index, std::u16string(value.begin(), value.end()));
    }
    // The events of a realisation that raises them as MixerEvents.
    [[nodiscard]] MixerEvents recording(const MixerWidgets& widgets) {
        return {
            .change = [this, &widgets](TextGroup group,
                                       std::int16_t index) { textChanged(widgets, group, index); },
            .scroll = [this, &widgets](std::int16_t index) { valueChanged(widgets, index); },
        };
    }

private:
    void record(const std::string& widget, std::int16_t index, std::u16string_view text) {
        events_.push_back(widget + "(" + std::to_string(index) + ")=" + printable(text));
        if (hook_) {
            hook_(events_.back());
        }
    }

    std::vector<std::string> events_;
    std::function<void(const std::string&)> hook_;
};

} // namespace tintora::testing
