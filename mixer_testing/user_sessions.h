// Seeded random user sessions: each action drawn for the state the in-memory
// window is in as it plays it (where the focus is, whether the notice is
// open, where a slider stands), so that it is what a user there could do:
// keys for the focused control, characters, texts other programs copied,
// clicks, drags and wheel turns, time for ticks, and under an open notice its
// answers and the input it blocks. The differential replays such sessions on
// every window; the property run checks the in-memory window's invariants on
// them; the long run keeps a window busy with them.
#pragma once

#include "mixer_testing/in_memory_window.h"
#include "mixer_testing/user_action.h"

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace tintora::testing {

// What the copied texts are like: a user's everyday ones, or heavy ones for
// a long run (100 to 100 000 characters, and sequences of characters outside
// the BMP).
enum class Texts { Everyday, Heavy };

class SessionGenerator {
public:
    explicit SessionGenerator(std::uint64_t seed, Texts texts = Texts::Everyday);

    // The next action for `window` as it stands. Under an open notice,
    // `mustDismiss` asks for one that answers it.
    [[nodiscard]] UserAction next(const InMemoryWindow& window, bool mustDismiss = false);

private:
    [[nodiscard]] std::size_t below(std::size_t n);
    [[nodiscard]] bool chance(int percent);
    [[nodiscard]] UserAction underNotice(bool mustDismiss);
    [[nodiscard]] UserAction onWindow(const InMemoryWindow& window);
    [[nodiscard]] UserAction keyFor(const ControlRow& focused);
    [[nodiscard]] UserAction click(const InMemoryWindow& window);
    [[nodiscard]] UserAction type();
    [[nodiscard]] UserAction copy();
    [[nodiscard]] std::u16string longText();
    [[nodiscard]] std::size_t rowOfKind(ControlClass kind);

    std::mt19937_64 random_;
    Texts texts_;
};

// A whole session of `length` actions (a few more where the last one opened
// a notice: it ends answered).
[[nodiscard]] std::vector<UserAction> randomSession(std::uint64_t seed, std::size_t length,
                                                    Texts texts = Texts::Everyday);

} // namespace tintora::testing
