// Binds the window's five events to Form1's handlers, one to one. Every other
// message of the window and its controls reaches no handler.
#pragma once

namespace tintora {
class Form1;
}

namespace tintora::win32 {

class MixerWindow;

void bindEvents(MixerWindow& window, Form1& form);

} // namespace tintora::win32
