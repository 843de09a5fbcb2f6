// Form1's widget contract on the Win32 window. The window's controls already
// raise Change only on a real change and synchronously; what this adds is the
// notice as the system message box, and no WM_SETTEXT for a text the box
// already holds.
#pragma once

#include "mixer/mixer_widgets.h"

namespace tintora::win32 {

class Win32MixerWindow;

class Win32MixerWidgets final : public MixerWidgets {
public:
    explicit Win32MixerWidgets(Win32MixerWindow& window);

    void setBackColor(Colour colour) override;
    void setTimerEnabled(bool enabled) override;
    void showNotice(std::u16string_view prompt, std::u16string_view title) override;

private:
    [[nodiscard]] Text heldText(TextGroup group, std::int16_t index) const override;
    void assignText(TextGroup group, std::int16_t index, std::u16string_view text) override;
    [[nodiscard]] std::int16_t heldValue(std::int16_t index) const override;
    void assignValue(std::int16_t index, std::int16_t value) override;

    Win32MixerWindow& window_;
};

} // namespace tintora::win32
