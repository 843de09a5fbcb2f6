// Form1's widget contract realised on the real window. Qt already raises
// QLineEdit::textChanged and QScrollBar::valueChanged synchronously and only
// on a real change, and cuts a text to maxLength before comparing; what this
// adds is the refusal of out-of-range slider values (Qt would clamp them) and
// the modal notice.
#pragma once

#include "mixer/mixer_widgets.h"

namespace tintora {

class MixerWindow;

class QtMixerWidgets final : public MixerWidgets {
public:
    explicit QtMixerWidgets(MixerWindow& window);

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) const override;
    void setText(TextGroup group, std::int16_t index, std::u16string_view text) override;
    [[nodiscard]] std::int16_t value(std::int16_t index) const override;
    void setValue(std::int16_t index, std::int16_t value) override;
    void setBackColor(Colour colour) override;
    void showNotice(std::u16string_view prompt, std::u16string_view title) override;

private:
    MixerWindow& window_;
};

} // namespace tintora
