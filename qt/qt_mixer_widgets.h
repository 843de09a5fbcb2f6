// Form1's widget contract realised on the real window. Qt raises
// QLineEdit::textChanged and QScrollBar::valueChanged synchronously, and for
// an assignment only when the text or value really changes; a user's edit
// that leaves a box's text as it was, the window passes over
// (qt_mixer_window.h). What this adds is the modal notice.
#pragma once

#include "mixer/mixer_widgets.h"

#include <functional>
#include <utility>

namespace tintora::qt {

class QtMixerWindow;

// Shows the notice and returns once it has been dismissed.
using NoticeShowerForTesting =
    std::function<void(std::u16string_view prompt, std::u16string_view title)>;

class QtMixerWidgets final : public MixerWidgets {
public:
    explicit QtMixerWidgets(QtMixerWindow& window);

    // Without a shower the notice is the modal message box; benchmarks give
    // one that answers without a modal loop of its own.
    void setNoticeShowerForTesting(NoticeShowerForTesting showNotice) {
        showNotice_ = std::move(showNotice);
    }

    void setBackColor(Colour colour) override;
    void setTimerEnabled(bool enabled) override;
    void showNotice(std::u16string_view prompt, std::u16string_view title) override;

private:
    [[nodiscard]] Text heldText(TextGroup group, std::int16_t index) const override;
    void assignText(TextGroup group, std::int16_t index, std::u16string_view text) override;
    [[nodiscard]] std::int16_t heldValue(std::int16_t index) const override;
    void assignValue(std::int16_t index, std::int16_t value) override;

    QtMixerWindow& window_;
    NoticeShowerForTesting showNotice_;
};

} // namespace tintora::qt
