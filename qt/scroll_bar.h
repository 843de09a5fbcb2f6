// One slider of the window, on a QScrollBar set up as a value control from
// 0 to 255: every step is one, Right, Up and Page Up increase it, a dragged
// thumb reports its value once, when it is let go, and a click takes the
// focus. The wheel over it moves it one step a whole notch, away from the
// user or to the right increasing it (mixer/wheel_notches.h), where Qt's own
// would move several steps a notch on a high-resolution wheel.
#pragma once

#include "mixer/wheel_notches.h"

#include <QScrollBar>

namespace tintora::qt {

class ScrollBar final : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    WheelNotches notches_;
};

} // namespace tintora::qt
