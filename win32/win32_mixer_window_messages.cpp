// Win32MixerWindow's window procedure: one handler a window message.
#include "win32/win32_mixer_window.h"

#include "win32/window_class.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace tintora::win32 {

LRESULT CALLBACK Win32MixerWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = windowObject<Win32MixerWindow>(window, message, lParam);
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCCREATE) {
        self->window_ = window;
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT Win32MixerWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        boxNotified(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        return 0;
    case WM_HSCROLL:
        sliderRequested(reinterpret_cast<HWND>(lParam), wParam);
        return 0;
    case WM_TIMER:
        timerTicked(wParam);
        return 0;
    case WM_ACTIVATE:
        activationChanged(LOWORD(wParam));
        return 0;
    case WM_SETFOCUS:
        focusReceived();
        return 0;
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) {
            layOut(dpi_); // the desktop's message font changed: the labels are fitted anew
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        wheelTurned(GET_WHEEL_DELTA_WPARAM(wParam), {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_CLOSE:
        // An open notice disables the window: a request to close it then
        // waits, as the notice waits for its answer.
        if (!IsWindowEnabled(window_)) {
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_DESTROY:
        destroyed();
        return 0;
    case WM_NCDESTROY: {
        // The last message: the window lets go of this object, and the
        // system's own clean-up runs.
        const HWND window = std::exchange(window_, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void Win32MixerWindow::boxNotified(HWND control, WORD code) {
    if (code != EN_CHANGE) {
        return;
    }
    const auto edited = std::find_if(boxes_.begin(), boxes_.end(), [control](const EditBox& box) {
        return box.handle() == control;
    });
    if (edited != boxes_.end()) {
        edited->edited();
    }
}

void Win32MixerWindow::sliderRequested(HWND control, WPARAM request) {
    const auto slider =
        std::find_if(sliders_.begin(), sliders_.end(),
                     [control](const ScrollBar& bar) { return bar.handle() == control; });
    if (slider != sliders_.end()) {
        slider->moved(request);
    }
}

void Win32MixerWindow::timerTicked(UINT_PTR id) {
    if (id != TickTimer::Id) {
        return;
    }
    timer_.ticked();
    if (events_.timer) {
        events_.timer();
    }
}

// The focus leaves with the window and comes back to the same control.
void Win32MixerWindow::activationChanged(WORD state) {
    if (state == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus)) {
            focus_ = focus;
        }
    } else if (focus_ != nullptr) {
        SetFocus(focus_);
    }
}

void Win32MixerWindow::focusReceived() {
    if (focus_ != nullptr) {
        SetFocus(focus_);
    }
}

// The controls are placed at the new DPI, then the window takes the
// rectangle the system suggests, in one move.
void Win32MixerWindow::dpiChanged(UINT dpi, const RECT& suggested) {
    layOut(dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The wheel turned over the window or one of its controls reaches the slider
// beneath the pointer, if any; a control under it passes the wheel on here.
void Win32MixerWindow::wheelTurned(int delta, POINT onScreen) {
    ScreenToClient(window_, &onScreen);
    const HWND under = ChildWindowFromPointEx(window_, onScreen, CWP_SKIPINVISIBLE);
    for (ScrollBar& slider : sliders_) {
        if (slider.handle() == under) {
            slider.wheeled(delta);
        }
    }
}

// Nothing reaches the handlers once the window goes: its controls may still
// report changes as they are destroyed.
void Win32MixerWindow::destroyed() {
    events_ = {};
    names_.clear();
    timer_.stop();
    if (endLoopWhenClosed_) {
        PostQuitMessage(0);
    }
}

} // namespace tintora::win32
