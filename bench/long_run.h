// The long-run memory check: one window kept open for many minutes while
// seeded random user sessions with heavy texts play on it
// (mixer_testing/user_sessions.h, Texts::Heavy: copied texts of 100 to
// 100 000 characters, characters outside the BMP, notices answered in every
// way a user has, ticks under them), each action played as it stands, with
// a pause between actions and the process's memory sampled every few
// actions; at the end the trend after warm-up is reported as a slope (least
// squares, and the median of pairwise slopes). The same sessions play on the
// program's window and on the plain mixer (a window of the same controls with
// a plain logic of its own), so that growth can be told apart: what both show
// belongs to the toolkit or the platform.
//
// A benchmark, not a test: it asserts nothing, it prints samples and a summary.
//
//   TINTORA_LONG_RUN_MINUTES=M          length of the run (default 30)
//   TINTORA_LONG_RUN_WARMUP_MINUTES=W   samples before this are left out of the
//                                       slope (default 5)
//   TINTORA_LONG_RUN_SAMPLE_ACTIONS=N   actions between samples (default 100)
//   TINTORA_LONG_RUN_PAUSE_MS=P         events handled between actions (default 80)
//   TINTORA_LONG_RUN_SEED=S             first session's seed (default 1)
#pragma once

#include "mixer_testing/window_player.h"
#include "process_memory.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tintora::bench::long_run {

struct Settings {
    std::chrono::minutes length{30};
    std::chrono::minutes warmUp{5};
    std::size_t sampleEvery = 100;
    std::chrono::milliseconds pause{80};
    std::uint64_t firstSeed = 1;

    [[nodiscard]] static Settings fromEnvironment();
};

struct Sample {
    double minutes = 0;
    std::size_t actions = 0;
    std::size_t notices = 0;
    ProcessMemory memory;
};

// Least-squares slope of resident memory over time, in kB a minute, over the
// samples from `from` minutes on; 0 with fewer than two such samples.
[[nodiscard]] double slopeKbPerMinute(const std::vector<Sample>& samples, double from);
// The median of the slopes between every two samples from `from` minutes on
// (Theil-Sen), in kB a minute: unlike least squares, a single step (the
// allocator taking one more block for the largest paste so far) does not
// read as a trend.
[[nodiscard]] double medianSlopeKbPerMinute(const std::vector<Sample>& samples, double from);

// The window a long run plays on, as its runner gives it.
struct Window {
    testing::WindowPlayer& player;
    // Lets the window handle its events (paints, the clipboard) for a while,
    // as between a user's actions.
    std::function<void(std::chrono::milliseconds)> rest;
    // Puts a copied text on the clipboard as another program does.
    std::function<void(std::u16string_view)> copy;
    // Drops what the player noted of each notice, so that a long run does
    // not grow on the player's side.
    std::function<void()> forgetNotices;
};

// Plays sessions, seed after seed, on one window for the whole length,
// samples memory, prints every sample and the summary, and returns the
// samples. `where` names the window and platform in the output.
std::vector<Sample> run(const Window& window, const std::string& where,
                        const Settings& settings = Settings::fromEnvironment());

} // namespace tintora::bench::long_run
