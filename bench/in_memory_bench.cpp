// One user action's whole cascade on the in-memory widgets: no toolkit, just
// Form1's handlers, the conversions and the widget model.
#include "mixer/form1.h"
#include "mixer/mixer_events.h"
#include "mixer_testing/in_memory_widgets.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace tintora {
namespace {

// The in-memory widgets with Form1's handlers bound to their events.
class InMemoryMixer {
public:
    InMemoryMixer() { widgets.bind(handlersOf(form)); }
    InMemoryWidgets widgets;
    Form1 form{widgets};
};

// The slider is let go alternately at 1 and 0: decimal box, hexadecimal box
// and preview follow each time.
void BM_InMemory_SliderChange(benchmark::State& state) {
    InMemoryMixer mixer;
    std::int16_t value = 0;
    for (auto _ : state) {
        value ^= 1;
        mixer.widgets.userScroll(0, value);
    }
    if (mixer.widgets.text(TextGroup::Text2, 0) != (value != 0 ? u"1" : u"0")) {
        state.SkipWithError("the hexadecimal box did not follow the slider");
    }
}
BENCHMARK(BM_InMemory_SliderChange);

// Typing '3' after "12", then Backspace, and so on: every key changes the
// channel.
void BM_InMemory_DecimalKeystroke(benchmark::State& state) {
    InMemoryMixer mixer;
    mixer.widgets.userReplace(TextGroup::Text1, 0, u"12");
    bool typed = false;
    for (auto _ : state) {
        mixer.widgets.userType(TextGroup::Text1, 0, typed ? u"\b" : u"3");
        typed = !typed;
    }
    if (mixer.widgets.value(0) != (typed ? 123 : 12)) {
        state.SkipWithError("the slider did not follow the decimal box");
    }
}
BENCHMARK(BM_InMemory_DecimalKeystroke);

// A two-digit hexadecimal value replacing the box's text, "C8" and "7F" in turn.
void BM_InMemory_HexPaste(benchmark::State& state) {
    InMemoryMixer mixer;
    bool high = false;
    for (auto _ : state) {
        high = !high;
        mixer.widgets.userReplace(TextGroup::Text2, 0, high ? u"C8" : u"7F");
    }
    if (mixer.widgets.value(0) != (high ? 200 : 127)) {
        state.SkipWithError("the slider did not follow the hexadecimal box");
    }
}
BENCHMARK(BM_InMemory_HexPaste);

// The user clicked the box holding "25" and types '6': 256 is refused, the
// notice shows (and returns at once here) and "25" comes back.
void BM_InMemory_RejectedKeystroke(benchmark::State& state) {
    auto mixer = std::make_unique<InMemoryMixer>();
    const auto prepare = [&mixer] {
        mixer = std::make_unique<InMemoryMixer>();
        mixer->widgets.whileNoticeOpen([] {});
        mixer->widgets.userReplace(TextGroup::Text1, 0, u"25");
        mixer->widgets.userClick(0);
    };
    prepare();
    std::int64_t notices = 0;
    for (auto _ : state) {
        mixer->widgets.userType(TextGroup::Text1, 0, u"6");
        // The model keeps every notice it showed; start afresh now and then.
        if (mixer->widgets.notices().size() == 4096) {
            state.PauseTiming();
            notices += 4096;
            prepare();
            state.ResumeTiming();
        }
    }
    notices += static_cast<std::int64_t>(mixer->widgets.notices().size());
    if (notices != state.iterations() || mixer->widgets.text(TextGroup::Text1, 0) != u"25") {
        state.SkipWithError("the keystroke was not refused with one notice");
    }
}
BENCHMARK(BM_InMemory_RejectedKeystroke);

// A tick that finds the colour it painted last.
void BM_InMemory_IdleTick(benchmark::State& state) {
    InMemoryMixer mixer;
    mixer.widgets.userReplace(TextGroup::Text1, 0, u"200");
    mixer.widgets.userTick();
    const int paints = mixer.widgets.paintCount();
    for (auto _ : state) {
        mixer.widgets.userTick();
    }
    state.counters["repaints"] = mixer.widgets.paintCount() - paints;
}
BENCHMARK(BM_InMemory_IdleTick);

} // namespace
} // namespace tintora
