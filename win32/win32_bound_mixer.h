// The Win32 window built from the layout table, with Form1's handlers bound
// to its five events: everything start-up makes before it shows the window.
// The program and its tests build exactly this.
#pragma once

#include "mixer/form1.h"
#include "mixer/mixer_events.h"
#include "win32/win32_mixer_widgets.h"
#include "win32/win32_mixer_window.h"

namespace tintora::win32 {

class Win32BoundMixer {
public:
    explicit Win32BoundMixer(HINSTANCE instance = GetModuleHandleW(nullptr))
        : window(instance) {
        window.bind(handlersOf(form_));
    }
    Win32BoundMixer(const Win32BoundMixer&) = delete;
    Win32BoundMixer& operator=(const Win32BoundMixer&) = delete;

    [[nodiscard]] Form1& form() { return form_; }

    Win32MixerWindow window;

private:
    Win32MixerWidgets widgets_{window};
    Form1 form_{widgets_};
};

} // namespace tintora::win32
