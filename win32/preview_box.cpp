#include "win32/preview_box.h"

#include "layout/control_properties.h"

#include "win32/window_class.h"

namespace tintora::win32 {

PreviewBox::PreviewBox(HWND parent, int id, HINSTANCE instance) {
    const wchar_t* const className = registerPreviewBoxClass(instance, &PreviewBox::windowProc);
    window_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
        0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

void PreviewBox::setColour(Colour colour) {
    if (colour_ == colour) {
        return;
    }
    colour_ = colour;
    InvalidateRect(window_, nullptr, FALSE);
}

void PreviewBox::paint() {
    ++paintCount_;
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(window_, &ps);
    RECT client;
    GetClientRect(window_, &client);
    if (colour_) {
        const HBRUSH brush = CreateSolidBrush(*colour_);
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    }
    if (GetFocus() == window_) {
        // Outside the colour area, which fills everything within.
        const int inset = PreviewFocusOutline - 1;
        InflateRect(&client, -inset, -inset);
        DrawFocusRect(dc, &client);
    }
    EndPaint(window_, &ps);
}

LRESULT CALLBACK PreviewBox::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = windowObject<PreviewBox>(window, message, lParam);
    if (message == WM_NCCREATE && self != nullptr) {
        self->window_ = window;
    }
    switch (message) {
    case WM_PAINT:
        if (self != nullptr) {
            self->paint();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1; // paint() fills everything
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, FALSE); // the focus rectangle
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self != nullptr) {
            self->window_ = nullptr;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace tintora::win32
