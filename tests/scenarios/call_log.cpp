#include "scenarios/mixer_driver.h"

#include <algorithm>

namespace tintora::testing {

void CallLog::entered(Handler handler, std::int16_t index) {
    std::string call = handlerName(handler);
    call += index >= 0 ? "(" + std::to_string(index) + ")" : "()";
    calls.push_back(call);
    deepest = std::max(deepest, ++depth);
}

void CallLog::left(Handler, std::int16_t) {
    --depth;
}

} // namespace tintora::testing
