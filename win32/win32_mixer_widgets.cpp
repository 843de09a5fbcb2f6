#include "win32/win32_mixer_widgets.h"

#include "win32/notice_box.h"
#include "win32/win32_mixer_window.h"

#include <windows.h>

namespace tintora::win32 {

Win32MixerWidgets::Win32MixerWidgets(Win32MixerWindow& window)
    : window_(window) {}

Text Win32MixerWidgets::heldText(TextGroup group, std::int16_t index) const {
    return window_.box(group, index).text();
}

void Win32MixerWidgets::assignText(TextGroup group, std::int16_t index, std::u16string_view text) {
    window_.box(group, index).setText(text);
}

std::int16_t Win32MixerWidgets::heldValue(std::int16_t index) const {
    return static_cast<std::int16_t>(window_.slider(index).value());
}

void Win32MixerWidgets::assignValue(std::int16_t index, std::int16_t value) {
    window_.slider(index).setValue(value);
}

void Win32MixerWidgets::setBackColor(Colour colour) {
    window_.preview().setColour(colour);
}

void Win32MixerWidgets::setTimerEnabled(bool enabled) {
    window_.timer().schedule().setEnabled(enabled);
}

void Win32MixerWidgets::showNotice(std::u16string_view prompt, std::u16string_view title) {
    showNoticeBox(window_.handle(), prompt, title);
}

} // namespace tintora::win32
