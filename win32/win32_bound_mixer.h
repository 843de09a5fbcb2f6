// The Win32 window built from the layout table, with Form1's handlers bound
// to its five events (mixer/bound_mixer.h).
#pragma once

#include "mixer/bound_mixer.h"
#include "win32/win32_mixer_widgets.h"
#include "win32/win32_mixer_window.h"

namespace tintora::win32 {

using Win32BoundMixer = BoundMixer<Win32MixerWindow, Win32MixerWidgets>;

} // namespace tintora::win32
