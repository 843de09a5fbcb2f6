// The window built from the layout table, with Form1's handlers bound to its
// five events: everything start-up makes before it shows the window. The
// program, its tests and its measurements all build exactly this.
#pragma once

#include "mixer/form1.h"
#include "window/mixer_window.h"
#include "window/qt_mixer_widgets.h"

namespace tintora {

class BoundMixer {
public:
    // `showNotice` stands in for the modal notice box when given.
    explicit BoundMixer(NoticeShower showNotice = {});
    BoundMixer(const BoundMixer&) = delete;
    BoundMixer& operator=(const BoundMixer&) = delete;

    [[nodiscard]] Form1& form() { return form_; }

    MixerWindow window;

private:
    QtMixerWidgets widgets_;
    Form1 form_{widgets_};
};

} // namespace tintora
