// The bare window's window: a bare Qt 6 window of Tintora's client size holding the
// same controls with the same texts, built the plainest way (no translations,
// icon, names or event filters).
#pragma once

#include "mixer/mixer_widgets.h"

#include <array>

class QLineEdit;
class QScrollBar;
class QWidget;

namespace tintora::bare {

struct Controls {
    std::array<QLineEdit*, ChannelCount> decimalBoxes{};
    std::array<QLineEdit*, ChannelCount> hexBoxes{};
    std::array<QScrollBar*, ChannelCount> sliders{};
    QWidget* preview = nullptr;
};

// Gives `window` its title and size and creates the controls in it.
Controls build(QWidget& window);

} // namespace tintora::bare
