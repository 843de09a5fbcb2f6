// Optional observer of handler activations, for tests and measurements that
// need the order or the nesting depth of a cascade.
#pragma once

#include <cstdint>

namespace tintora {

enum class Handler { HScroll1_Change, Text1_Click, Text1_Change, Text2_Change, Timer1_Timer, Msg };

class HandlerTrace {
public:
    virtual ~HandlerTrace() = default;
    // index is -1 for the timer.
    virtual void entered(Handler handler, std::int16_t index) = 0;
    virtual void left(Handler handler, std::int16_t index) = 0;
};

} // namespace tintora
