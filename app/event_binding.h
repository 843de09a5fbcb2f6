// Binds the window's events to Form1's handlers: exactly five, one to one.
// Every other event of the window and its controls stays unbound.
#pragma once

namespace tintora {

class Form1;
class MixerWindow;

void bindEvents(MixerWindow& window, Form1& form);

} // namespace tintora
