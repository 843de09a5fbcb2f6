#include "win32/preview_window.h"

namespace tintora::win32 {
namespace {

constexpr wchar_t ClassName[] = L"TintoraPreview";

} // namespace

PreviewWindow::PreviewWindow(HWND parent, int id, HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, ClassName, &windowClass)) {
        windowClass.lpfnWndProc = &PreviewWindow::windowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = ClassName;
        // No background brush: paint() covers every pixel.
        RegisterClassExW(&windowClass);
    }
    window_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, ClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, 0,
        0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
}

void PreviewWindow::setColour(Colour colour) {
    if (colour_ == colour) {
        return;
    }
    colour_ = colour;
    InvalidateRect(window_, nullptr, FALSE);
}

void PreviewWindow::paint() {
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
        InflateRect(&client, -2, -2);
        DrawFocusRect(dc, &client);
    }
    EndPaint(window_, &ps);
}

LRESULT CALLBACK PreviewWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
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
