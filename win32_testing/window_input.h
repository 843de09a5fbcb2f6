// A user's input on a Win32 window, with the messages the system posts for
// it: keys to the window with the keyboard focus, with the keyboard state of
// the modifiers held; clicks and wheel turns to the window under the pointer,
// as the system's hit test finds it, and none to a window that an open
// message box disables; each then handled as the loop running at that moment
// handles it. Players for tests and benchmarks build on these; so does nothing
// else.
#pragma once

#include "mixer_testing/user_action.h"

#include <windows.h>

#include <string_view>

namespace tintora::testing {

// Handles every message waiting in the thread's queue as the loop running now
// would: an open message box's own loop while one is open, else the loop of
// the program whose window is `window`.
void handleQueue(HWND window);
// The thread's message box that is open, or nothing.
[[nodiscard]] HWND openMessageBox();

// `key` pressed and released with `modifiers` held, on the focused window.
void pressKey(HWND window, Key key, unsigned modifiers = NoModifier);
// One character (a surrogate pair being one) as a keyboard layout or an
// input method delivers it: one WM_CHAR a UTF-16 unit.
void typeCharacter(HWND window, std::u16string_view character);
// The left button pressed and released at `onScreen`.
void clickAt(HWND window, POINT onScreen);
// `amount` wheel units (a notch is 120) at `onScreen`; `horizontal`, positive
// to the right.
void turnWheel(HWND window, POINT onScreen, int amount, bool horizontal);

// Where `spot` of `control` lies on the screen: a box's text's end, a
// slider's thumb, arrows or trough; the middle of the part of any control
// that its window's client area shows.
[[nodiscard]] POINT pointOn(HWND control, Spot spot);
// Presses the thumb of `slider`, moves it to where `value` lies, lets go, and
// takes it the rest of the way with the arrow keys.
void dragThumb(HWND window, HWND slider, int value);

// Puts `text` on the clipboard as Unicode text, as copying it elsewhere would;
// an empty text leaves the clipboard empty.
void putOnClipboard(std::u16string_view text, HWND owner);

} // namespace tintora::testing
