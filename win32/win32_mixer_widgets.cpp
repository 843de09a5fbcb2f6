#include "win32/win32_mixer_widgets.h"

#include "mixer/failure.h"
#include "win32/mixer_window.h"
#include "win32/wide_text.h"

#include <windows.h>

namespace tintora::win32 {
namespace {

void checkIndex(std::int16_t index) {
    if (index < 0 || index >= ChannelCount) {
        throw Failure{};
    }
}

} // namespace

Win32MixerWidgets::Win32MixerWidgets(MixerWindow& window)
    : window_(window) {}

Text Win32MixerWidgets::text(TextGroup group, std::int16_t index) const {
    checkIndex(index);
    return window_.boxText(group, index);
}

void Win32MixerWidgets::setText(TextGroup group, std::int16_t index, std::u16string_view text) {
    checkIndex(index);
    const std::u16string_view cut = cutToLength(text, maxLength(group));
    if (cut == window_.boxText(group, index)) {
        return; // nothing to set: no WM_SETTEXT, no repaint
    }
    window_.setBoxText(group, index, cut);
}

std::int16_t Win32MixerWidgets::value(std::int16_t index) const {
    checkIndex(index);
    return static_cast<std::int16_t>(window_.sliderValue(index));
}

void Win32MixerWidgets::setValue(std::int16_t index, std::int16_t value) {
    checkIndex(index);
    if (value < SliderMin || value > SliderMax) {
        throw Failure{}; // refused before the scroll bar, which would clamp it, sees it
    }
    window_.setSliderValue(index, value);
}

void Win32MixerWidgets::setBackColor(Colour colour) {
    window_.preview().setColour(colour);
}

void Win32MixerWidgets::setTimerEnabled(bool enabled) {
    window_.setTimerEnabled(enabled);
}

void Win32MixerWidgets::showNotice(std::u16string_view prompt, std::u16string_view title) {
    // One OK button, no icon, the first button the default; modal to the
    // application. Its own message loop goes on dispatching WM_TIMER.
    MessageBoxW(window_.handle(), wide(prompt).c_str(), wide(title).c_str(),
                MB_OK | MB_APPLMODAL | MB_DEFBUTTON1);
}

} // namespace tintora::win32
