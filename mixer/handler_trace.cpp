#include "mixer/handler_trace.h"

namespace tintora {

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

} // namespace tintora
