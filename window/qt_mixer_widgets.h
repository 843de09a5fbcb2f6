// Form1's widget contract realised on the real window. Qt already raises
// QLineEdit::textChanged and QScrollBar::valueChanged synchronously and only
// on a real change, and cuts a text to maxLength before comparing; what this
// adds is a cut that never splits a surrogate pair (QLineEdit counts UTF-16
// units and would), the refusal of out-of-range slider values (Qt would clamp
// them) and the modal notice.
#pragma once

#include "mixer/mixer_widgets.h"

#include <functional>

namespace tintora {

class MixerWindow;

// Shows the notice and returns once it has been dismissed.
using NoticeShower = std::function<void(std::u16string_view prompt, std::u16string_view title)>;

class QtMixerWidgets final : public MixerWidgets {
public:
    // Without a shower the notice is the modal message box; tests and
    // benchmarks pass one that answers without a modal loop of its own.
    explicit QtMixerWidgets(MixerWindow& window, NoticeShower showNotice = {});

    [[nodiscard]] Text text(TextGroup group, std::int16_t index) const override;
    void setText(TextGroup group, std::int16_t index, std::u16string_view text) override;
    [[nodiscard]] std::int16_t value(std::int16_t index) const override;
    void setValue(std::int16_t index, std::int16_t value) override;
    void setBackColor(Colour colour) override;
    void setTimerEnabled(bool enabled) override;
    void showNotice(std::u16string_view prompt, std::u16string_view title) override;

private:
    MixerWindow& window_;
    NoticeShower showNotice_;
};

} // namespace tintora
