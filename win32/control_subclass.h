// A native control given a behaviour of its own: its owner object sees each
// message first, in handleMessage(message, wParam, lParam), and passes on what
// it leaves to the control with DefSubclassProc. The subclass goes with the
// control.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace tintora::win32 {

template <typename Owner>
LRESULT CALLBACK ownedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR owner) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, &ownedControlProc<Owner>, id);
        return DefSubclassProc(control, message, wParam, lParam);
    }
    return reinterpret_cast<Owner*>(owner)->handleMessage(message, wParam, lParam);
}

// False when the system refuses.
template <typename Owner> [[nodiscard]] bool subclassControl(HWND control, Owner* owner) {
    return SetWindowSubclass(control, &ownedControlProc<Owner>, 0,
                             reinterpret_cast<DWORD_PTR>(owner)) != FALSE;
}

} // namespace tintora::win32
