// Form1's widget contract on the Win32 window. The window already raises
// Change only on a real change and synchronously; what this adds is the
// length cut of assigned texts (EM_LIMITTEXT does not apply to WM_SETTEXT),
// the refusal of slider values outside 0..255, and the notice as the system
// message box.
#pragma once

#include "mixer/mixer_widgets.h"

namespace tintora::win32 {

class MixerWindow;

class Win32MixerWidgets final : public MixerWidgets {
public:
    explicit Win32MixerWidgets(MixerWindow& window);

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) const override;
    void setText(TextGroup group, std::int16_t index, std::u16string_view text) override;
    [[nodiscard]] std::int16_t value(std::int16_t index) const override;
    void setValue(std::int16_t index, std::int16_t value) override;
    void setBackColor(Colour colour) override;
    void setTimerEnabled(bool enabled) override;
    void showNotice(std::u16string_view prompt, std::u16string_view title) override;

private:
    MixerWindow& window_;
};

} // namespace tintora::win32
