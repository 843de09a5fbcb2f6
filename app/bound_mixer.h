// The window built from the layout table, with Form1's handlers bound to its
// five events: everything start-up makes before it shows the window. The
// program and its start-up measurement both build exactly this.
#pragma once

#include "app/event_binding.h"
#include "mixer/form1.h"
#include "window/mixer_window.h"
#include "window/qt_mixer_widgets.h"

namespace tintora {

class BoundMixer {
public:
    BoundMixer() { bindEvents(window, form_); }
    BoundMixer(const BoundMixer&) = delete;
    BoundMixer& operator=(const BoundMixer&) = delete;

    MixerWindow window;

private:
    QtMixerWidgets widgets_{window};
    Form1 form_{widgets_};
};

} // namespace tintora
