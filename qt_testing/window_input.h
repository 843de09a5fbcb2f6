// A user's input on a Qt window, through Qt's own input path: key and mouse
// events handed to a QWindow as the platform hands them over (Qt routes them
// to the focused widget or to the one under the pointer, and drops them for a
// window a modal one blocks), and wheel events as Qt's window routes them.
// Players for tests and benchmarks build on these; so does nothing else.
#pragma once

#include "mixer_testing/user_action.h"

#include <QPoint>
#include <QRect>
#include <QStyle>

#include <functional>

class QScrollBar;
class QString;
class QWidget;
class QWindow;

namespace tintora::testing {

// `key` pressed and released with `modifiers` held; Shift+Tab arrives as
// Backtab, as the platforms deliver it.
void pressKey(QWindow* window, Key key, unsigned modifiers = NoModifier);
// One character (a surrogate pair being one) as a keyboard layout or an
// input method delivers it.
void typeCharacter(QWindow* window, const QString& character);
// The left button pressed and released at `at`, in `window`'s coordinates.
void clickAt(QWindow* window, QPoint at);
// `amount` wheel units (a notch is 120) at `at`; `horizontal`, positive to the
// right. Nothing reaches a window that a modal one blocks.
void turnWheel(QWindow* window, QPoint at, int amount, bool horizontal);

// Where `spot` of `control` lies in its window's coordinates: a box's text's
// end, a slider's thumb, arrows or trough; the middle of the part of any
// control that the window shows.
[[nodiscard]] QPoint pointOn(const QWidget* control, Spot spot);
// Where a part of a scroll bar (thumb, groove, arrows, trough) lies, in the
// scroll bar's coordinates.
[[nodiscard]] QRect sliderPart(const QScrollBar* slider, QStyle::SubControl part);

// Presses the thumb of `slider`, moves it a pixel at a time towards `value`,
// lets go at the nearest position at or before it, and takes it the rest of
// the way with the arrow keys: not every value has a pixel of its own.
// `eachMove` runs after every move of the mouse.
void dragThumb(QWindow* window, QScrollBar* slider, int value,
               const std::function<void()>& eachMove = {});

// Waits until a shown window is exposed and the platform has given it the
// keyboard, asking for it where no window manager would. On Wayland only the
// compositor gives it (a client cannot take it), and Qt's
// qWaitForWindowActive there only waits for the window to be exposed.
[[nodiscard]] bool waitForActivation(QWidget* window);

} // namespace tintora::testing
