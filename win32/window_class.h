// The window classes of the program's own windows, and how a window
// procedure finds the object its window was created for.
#pragma once

#include <windows.h>

namespace tintora::win32 {

// The main window: the arrow cursor, the dialog face colour behind the
// controls, and the executable's icon. Registered once per module; returns
// the class name, or nullptr when it cannot be registered.
[[nodiscard]] const wchar_t* registerMainWindowClass(HINSTANCE instance, WNDPROC windowProc);

// The colour preview: the arrow cursor and no background brush (it paints
// every pixel itself). Registered once per module, as above.
[[nodiscard]] const wchar_t* registerPreviewBoxClass(HINSTANCE instance, WNDPROC windowProc);

// The object a window was created for (the last argument of CreateWindowExW),
// kept with the window from WM_NCCREATE on; nullptr before that and once the
// object has let go of it.
template <typename Object>
[[nodiscard]] Object* windowObject(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Object*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        return created;
    }
    return reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace tintora::win32
