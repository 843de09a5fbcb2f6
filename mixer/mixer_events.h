// The five events a window raises for the logic, as callbacks: what every
// realisation's window calls (the in-memory widgets, the Qt window from its
// widgets' signals, the Win32 window from its controls' messages). Each is raised on the stack of
// whatever caused it, never posted; an unset event goes nowhere.
#pragma once

#include "mixer/mixer_widgets.h"

#include <cstdint>
#include <functional>

namespace tintora {

class Form1;

struct MixerEvents {
    std::function<void(TextGroup, std::int16_t)> change{}; // Text1/Text2 Change
    std::function<void(std::int16_t)> click{};             // Text1 Click
    std::function<void(std::int16_t)> scroll{};            // HScroll1 Change
    std::function<void()> timer{};                         // Timer1 Timer
};

// Form1's handlers bound to the five events, one to one; every other event of
// the window and its controls stays unbound.
[[nodiscard]] MixerEvents handlersOf(Form1& form);

} // namespace tintora
