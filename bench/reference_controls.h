// The reference window's controls: Tintora's controls with the same texts, at
// the places the layout table gives them, in a Qt 6 window of Tintora's client
// size, built the plainest way (no translations, icon, names or event
// filters) and with nothing connected. What Tintora is measured against
// (reference_window.cpp), and what the plain mixer is made of
// (qt_plain_mixer_player.h).
#pragma once

#include "layout/layout_table.h"

#include <array>
#include <cstddef>

class QLineEdit;
class QScrollBar;
class QWidget;

namespace tintora::bench {

struct ReferenceControls {
    std::array<QWidget*, layoutTable.size()> byRow{}; // every control, by layout row
    std::array<QLineEdit*, ChannelCount> decimalBoxes{};
    std::array<QLineEdit*, ChannelCount> hexBoxes{};
    std::array<QScrollBar*, ChannelCount> sliders{};
    QWidget* preview = nullptr;
};

// Gives `window` its title and size and creates the controls in it.
ReferenceControls buildReferenceControls(QWidget& window);

} // namespace tintora::bench
