// A realisation's window with Form1's handlers bound to its five events,
// through that realisation's widgets: everything start-up makes before it
// shows the window. The programs, their tests and their measurements all
// build exactly this, as QtBoundMixer and Win32BoundMixer.
#pragma once

#include "mixer/form1.h"
#include "mixer/mixer_events.h"

#include <utility>

namespace tintora {

template <typename Window, typename Widgets> class BoundMixer {
public:
    // `windowArguments` go to the window's constructor.
    template <typename... WindowArguments>
    explicit BoundMixer(WindowArguments&&... windowArguments)
        : window(std::forward<WindowArguments>(windowArguments)...) {
        window.bind(handlersOf(form_));
    }
    // The events go nowhere before Form1 and the widgets go: the window,
    // destroyed last, may still raise some as it takes its controls down.
    ~BoundMixer() { window.bind({}); }
    BoundMixer(const BoundMixer&) = delete;
    BoundMixer& operator=(const BoundMixer&) = delete;

    [[nodiscard]] Form1& form() { return form_; }
    [[nodiscard]] Widgets& widgets() { return widgets_; }

    Window window;

private:
    Widgets widgets_{window};
    Form1 form_{widgets_};
};

} // namespace tintora
