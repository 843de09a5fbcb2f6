#include "win32_reference_window.h"

#include "layout/control_placement.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"

#include <algorithm>
#include <stdexcept>

namespace tintora::bench {
namespace {

constexpr std::size_t PreviewRow = 0;
static_assert(layoutTable[PreviewRow].controlClass == ControlClass::PictureBox);

// How far one press on a scroll bar's trough moves its thumb.
constexpr int PageStep = 16;

// A box's change, posted to the window so that the hook runs once the box is
// done with it: an edit control sends EN_CHANGE from inside a paste, while it
// still holds the clipboard open.
constexpr UINT BoxChanged = WM_APP;

} // namespace

ReferenceWindow::ReferenceWindow() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ReferenceWindow::windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TintoraReferenceWindow";
    RegisterClassExW(&windowClass);
    RECT outer{0, 0, clientWidthPixels, clientHeightPixels};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    AdjustWindowRect(&outer, style, FALSE);
    previewBrush_ = CreateSolidBrush(RGB(0, 0, 0));
    window_ =
        CreateWindowExW(0, L"TintoraReferenceWindow", win32::wideFromUtf8(formRow.caption).c_str(),
                        style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        DeleteObject(previewBrush_);
        throw std::runtime_error("CreateWindowExW failed for the reference window");
    }
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        const ControlRow& control = layoutTable[row];
        const wchar_t* kind = control.controlClass == ControlClass::TextBox      ? L"EDIT"
                              : control.controlClass == ControlClass::HScrollBar ? L"SCROLLBAR"
                                                                                 : L"STATIC";
        DWORD controlStyle = WS_CHILD | WS_VISIBLE;
        controlStyle |= control.controlClass == ControlClass::TextBox
                            ? WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL
                        : control.controlClass == ControlClass::HScrollBar ? WS_TABSTOP | SBS_HORZ
                                                                           : 0;
        const PixelRect place = pixelRect(control);
        controls_.at(row) = CreateWindowExW(0, kind, win32::wideFromUtf8(control.content).c_str(),
                                            controlStyle, place.left, place.top, place.width,
                                            place.height, window_, nullptr, instance, nullptr);
        if (control.controlClass == ControlClass::TextBox) {
            SendMessageW(controls_[row], EM_LIMITTEXT, static_cast<WPARAM>(control.maxLength), 0);
        } else if (control.controlClass == ControlClass::HScrollBar) {
            SetScrollRange(controls_[row], SB_CTL, SliderMin, SliderMax, FALSE);
        }
    }
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
    SetForegroundWindow(window_);
}

ReferenceWindow::~ReferenceWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    DeleteObject(previewBrush_);
}

void ReferenceWindow::paintPreview(COLORREF colour) {
    const HBRUSH old = previewBrush_;
    previewBrush_ = CreateSolidBrush(colour);
    InvalidateRect(controls_[PreviewRow], nullptr, TRUE);
    DeleteObject(old);
}

std::size_t ReferenceWindow::rowOf(HWND control) const {
    return static_cast<std::size_t>(std::find(controls_.begin(), controls_.end(), control) -
                                    controls_.begin());
}

void ReferenceWindow::scroll(HWND slider, int code, int thumbAt) {
    const int from = GetScrollPos(slider, SB_CTL);
    int to = from;
    switch (code) {
    case SB_LINELEFT:
        to = from - 1;
        break;
    case SB_LINERIGHT:
        to = from + 1;
        break;
    case SB_PAGELEFT:
        to = from - PageStep;
        break;
    case SB_PAGERIGHT:
        to = from + PageStep;
        break;
    case SB_LEFT:
        to = SliderMin;
        break;
    case SB_RIGHT:
        to = SliderMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        to = thumbAt;
        break;
    default:
        return;
    }
    to = std::clamp(to, SliderMin, SliderMax);
    if (to != from) {
        SetScrollPos(slider, SB_CTL, to, TRUE);
        sliderMoved(rowOf(slider));
    }
}

LRESULT CALLBACK ReferenceWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = win32::windowObject<ReferenceWindow>(window, message, lParam);
    if (self != nullptr && message == WM_HSCROLL) {
        self->scroll(reinterpret_cast<HWND>(lParam), LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    if (self != nullptr && message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        PostMessageW(window, BoxChanged, self->rowOf(reinterpret_cast<HWND>(lParam)), 0);
        return 0;
    }
    if (self != nullptr && message == BoxChanged && wParam < layoutTable.size()) {
        self->boxChanged(wParam);
        return 0;
    }
    if (self != nullptr && message == WM_CTLCOLORSTATIC &&
        reinterpret_cast<HWND>(lParam) == self->controls_[PreviewRow]) {
        return reinterpret_cast<LRESULT>(self->previewBrush_);
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

} // namespace tintora::bench
