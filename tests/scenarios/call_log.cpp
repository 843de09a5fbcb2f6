#include "scenarios/call_log.h"

#include <algorithm>

namespace tintora::testing {

std::string callName(Handler handler, std::int16_t index) {
    return handlerName(handler) + (index >= 0 ? "(" + std::to_string(index) + ")" : "()");
}

void CallLog::entered(Handler handler, std::int16_t index) {
    calls.push_back(callName(handler, index));
    deepest = std::max(deepest, ++depth);
}

void CallLog::left(Handler, std::int16_t) {
    --depth;
}

} // namespace tintora::testing
