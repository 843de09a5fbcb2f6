// Form1's widget contract realised on the real window. Qt already raises
// QLineEdit::textChanged and QScrollBar::valueChanged synchronously and only
// on a real change; what this adds is the modal notice.
#pragma once

#include "mixer/mixer_widgets.h"

#include <functional>

namespace tintora {

class QtMixerWindow;

// Shows the notice and returns once it has been dismissed.
using NoticeShower = std::function<void(std::u16string_view prompt, std::u16string_view title)>;

class QtMixerWidgets final : public MixerWidgets {
public:
    // Without a shower the notice is the modal message box; tests and
    // benchmarks pass one that answers without a modal loop of its own.
    explicit QtMixerWidgets(QtMixerWindow& window, NoticeShower showNotice = {});

    void setBackColor(Colour colour) override;
    void setTimerEnabled(bool enabled) override;
    void showNotice(std::u16string_view prompt, std::u16string_view title) override;

private:
    [[nodiscard]] Text boxText(TextGroup group, std::int16_t index) const override;
    void assignText(TextGroup group, std::int16_t index, std::u16string_view text) override;
    [[nodiscard]] std::int16_t sliderValue(std::int16_t index) const override;
    void assignValue(std::int16_t index, std::int16_t value) override;

    QtMixerWindow& window_;
    NoticeShower showNotice_;
};

} // namespace tintora
