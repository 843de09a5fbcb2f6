// The window built from the layout table, with Form1's handlers bound to its
// five events: everything start-up makes before it shows the window.
#pragma once

#include "mixer/form1.h"
#include "mixer/mixer_events.h"
#include "win32/mixer_window.h"
#include "win32/win32_mixer_widgets.h"

namespace tintora::win32 {

class BoundMixer {
public:
    explicit BoundMixer(HINSTANCE instance = GetModuleHandleW(nullptr))
        : window(instance) {
        window.bind(handlersOf(form));
    }
    BoundMixer(const BoundMixer&) = delete;
    BoundMixer& operator=(const BoundMixer&) = delete;

    MixerWindow window;
    Win32MixerWidgets widgets{window};
    Form1 form{widgets};
};

} // namespace tintora::win32
