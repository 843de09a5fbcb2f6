// Binds the in-memory widgets' events to Form1's handlers, one to one, as the
// real window's start-up does with Qt signals.
#pragma once

#include "mixer/form1.h"
#include "mixer_testing/memory_widgets.h"

namespace tintora {

void bindMemoryWidgets(MemoryWidgets& widgets, Form1& form);

} // namespace tintora
