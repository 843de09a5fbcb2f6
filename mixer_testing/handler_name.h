// How tests and measurements name a handler that a trace reports.
#pragma once

#include "mixer/handler_trace.h"

namespace tintora {

// The handler's name as written in the code, e.g. "Text1_Change".
[[nodiscard]] const char* handlerName(Handler handler);

} // namespace tintora
