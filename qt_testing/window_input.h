// A user's input on a Qt window, for the tests' and benchmarks' players:
// keys typed into a widget, where a scroll bar's parts lie, a thumb dragged,
// and waiting for the platform to give a window the keyboard.
#pragma once

#include <QRect>
#include <QStyle>

#include <functional>

class QScrollBar;
class QString;
class QWidget;

namespace tintora::testing {

// Types text as key events into the widget that has the focus: '\b' is
// Backspace, every other character (a surrogate pair being one) a key that
// produces it.
void typeKeys(QWidget* widget, const QString& keys);

// Where a part of a scroll bar (thumb, groove, arrows, trough) lies, in the
// scroll bar's coordinates.
[[nodiscard]] QRect sliderPart(QScrollBar* slider, QStyle::SubControl part);

// Presses the thumb, moves it a pixel at a time towards `target` and lets go at
// the nearest position at or before it. `eachMove` runs after every move.
void dragThumb(QScrollBar* slider, int target, const std::function<void()>& eachMove = {});

// Waits until a shown window is exposed and the platform has given it the
// keyboard, asking for it where no window manager would. On Wayland only the
// compositor gives it (a client cannot take it), and Qt's
// qWaitForWindowActive there only waits for the window to be exposed.
[[nodiscard]] bool waitForActivation(QWidget* window);

} // namespace tintora::testing
