// The Qt window built from the layout table, with Form1's handlers bound to
// its five events: everything start-up makes before it shows the window. The
// program, its tests and its measurements all build exactly this.
#pragma once

#include "mixer/form1.h"
#include "mixer/mixer_events.h"
#include "qt/qt_mixer_widgets.h"
#include "qt/qt_mixer_window.h"

#include <utility>

namespace tintora {

class QtBoundMixer {
public:
    // `showNotice` stands in for the modal notice box when given.
    explicit QtBoundMixer(NoticeShowerForTesting showNotice = {})
        : widgets_(window, std::move(showNotice)) {
        window.bind(handlersOf(form_));
    }
    QtBoundMixer(const QtBoundMixer&) = delete;
    QtBoundMixer& operator=(const QtBoundMixer&) = delete;

    [[nodiscard]] Form1& form() { return form_; }

    QtMixerWindow window;

private:
    QtMixerWidgets widgets_;
    Form1 form_{widgets_};
};

} // namespace tintora
