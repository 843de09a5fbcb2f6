// The Qt window built from the layout table, with Form1's handlers bound to
// its five events (mixer/bound_mixer.h).
#pragma once

#include "mixer/bound_mixer.h"
#include "qt/qt_mixer_widgets.h"
#include "qt/qt_mixer_window.h"

namespace tintora::qt {

using QtBoundMixer = BoundMixer<QtMixerWindow, QtMixerWidgets>;

} // namespace tintora::qt
