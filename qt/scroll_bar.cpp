#include "qt/scroll_bar.h"

#include "layout/control_properties.h"

#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace tintora::qt {

ScrollBar::ScrollBar(QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent) {
    setRange(SliderMin, SliderMax);
    setSingleStep(1);
    setPageStep(1);
    setTracking(false);
    // QScrollBar inverts its controls for scrolling content, which makes the
    // Right key move a horizontal bar to the left.
    setInvertedControls(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ScrollBar::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    // Qt counts a horizontal wheel positive to the left.
    int delta = std::abs(angle.y()) >= std::abs(angle.x()) ? angle.y() : -angle.x();
    // The slider follows the wheel as the hand turns it, whatever the
    // desktop does to the direction of scrolling content.
    if (event->inverted()) {
        delta = -delta;
    }
    event->accept();
    if (const int notches = notches_.add(delta); notches != 0) {
        setValue(std::clamp(value() + notches, SliderMin, SliderMax));
    }
}

} // namespace tintora::qt
