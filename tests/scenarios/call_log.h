// Handler activations as the scenarios read them: "Text1_Change(1)", or
// "Timer1_Timer()" for the timer, which has no index.
#pragma once

#include "mixer/handler_trace.h"
#include "mixer_testing/handler_name.h"

#include <string>
#include <vector>

namespace tintora::testing {

[[nodiscard]] std::string callName(Handler handler, std::int16_t index);

// Records handler activations and tracks their nesting depth.
class CallLog final : public HandlerTrace {
public:
    void entered(Handler handler, std::int16_t index) override;
    void left(Handler handler, std::int16_t index) override;

    std::vector<std::string> calls;
    int depth = 0;
    int deepest = 0;
};

} // namespace tintora::testing
