#include "scenarios/mixer_driver.h"

#include <algorithm>

namespace tintora::testing {
namespace {

const char* handlerName(Handler handler) {
    switch (handler) {
    case Handler::HScroll1_Change:
        return "HScroll1_Change";
    case Handler::Text1_Click:
        return "Text1_Click";
    case Handler::Text1_Change:
        return "Text1_Change";
    case Handler::Text2_Change:
        return "Text2_Change";
    case Handler::Timer1_Timer:
        return "Timer1_Timer";
    case Handler::Msg:
        return "Msg";
    }
    return "?";
}

} // namespace

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
