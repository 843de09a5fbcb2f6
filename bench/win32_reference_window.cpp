#include "win32_bare_window.h"

#include "layout/layout_table.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"

#include <cwchar>
#include <stdexcept>
#include <string>

namespace tintora::testing {

BareWindow::BareWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &BareWindow::windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TintoraBareWindow";
    RegisterClassExW(&windowClass);
    RECT outer{0, 0, clientWidthPixels, clientHeightPixels};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&outer, style, FALSE);
    window_ = CreateWindowExW(0, L"TintoraBareWindow", win32::wideFromUtf8(formRow.caption).c_str(),
                              style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                              outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throw std::runtime_error("CreateWindowExW failed for the bare window");
    }
    for (const ControlRow& row : layoutTable) {
        const wchar_t* kind = row.controlClass == ControlClass::TextBox      ? L"EDIT"
                              : row.controlClass == ControlClass::HScrollBar ? L"SCROLLBAR"
                                                                             : L"STATIC";
        DWORD controlStyle = WS_CHILD | WS_VISIBLE;
        controlStyle |= row.controlClass == ControlClass::TextBox
                            ? WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
                        : row.controlClass == ControlClass::HScrollBar ? WS_TABSTOP | SBS_HORZ
                                                                       : 0;
        const HWND control = CreateWindowExW(
            0, kind, win32::wideFromUtf8(row.content).c_str(), controlStyle,
            twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
            twipsToPixels(row.height), window_, nullptr, instance, nullptr);
        if (row.controlClass == ControlClass::TextBox) {
            SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(row.maxLength), 0);
            (row.radix == Radix::Decimal ? decimal_ : hex_).at(row.index) = control;
        } else if (row.controlClass == ControlClass::HScrollBar) {
            SetScrollRange(control, SB_CTL, SliderMin, SliderMax, FALSE);
            sliders_.at(row.index) = control;
        } else if (row.controlClass == ControlClass::PictureBox) {
            preview_ = control;
        }
    }
    brush_ = CreateSolidBrush(RGB(0, 0, 0));
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
}

BareWindow::~BareWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    DeleteObject(brush_);
}

void BareWindow::check(TextGroup group, HWND box) {
    const std::wstring text = win32::windowText(box);
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, group == TextGroup::Text1 ? 10 : 16);
    if (text.empty() || (*end == L'\0' && text[0] != L'-' && text[0] != L'+' && text[0] != L' ' &&
                         value <= SliderMax)) {
        return;
    }
    MessageBoxW(window_, L"请输入数据0-255!", L"出错了", MB_OK | MB_ICONEXCLAMATION);
    SetWindowTextW(box, L"0");
}

LRESULT CALLBACK BareWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = win32::windowObject<BareWindow>(window, message, lParam);
    if (self != nullptr && message == WM_HSCROLL) {
        const int code = LOWORD(wParam);
        if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
            SetScrollPos(reinterpret_cast<HWND>(lParam), SB_CTL, HIWORD(wParam), TRUE);
            self->repaintPreview();
        }
        return 0;
    }
    if (self != nullptr && message == WM_CTLCOLORSTATIC &&
        reinterpret_cast<HWND>(lParam) == self->preview_) {
        return reinterpret_cast<LRESULT>(self->brush_);
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    if (self != nullptr && message == WM_NCDESTROY) {
        self->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void BareWindow::repaintPreview() {
    const HBRUSH old = brush_;
    brush_ =
        CreateSolidBrush(RGB(GetScrollPos(sliders_[0], SB_CTL), GetScrollPos(sliders_[1], SB_CTL),
                             GetScrollPos(sliders_[2], SB_CTL)));
    InvalidateRect(preview_, nullptr, TRUE);
    DeleteObject(old);
}

} // namespace tintora::testing
