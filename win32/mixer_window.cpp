#include "win32/mixer_window.h"

#include "layout/layout_table.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tintora::win32 {
namespace {

constexpr wchar_t ClassName[] = L"TintoraMixer";
// Control IDs are the table row plus this; it keeps them clear of IDOK and
// IDCANCEL, which IsDialogMessageW sends for Return and Escape.
constexpr int FirstControlId = 100;
constexpr DWORD WindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Overlapping siblings (the labels lie under the boxes and sliders they touch)
// must not paint over each other.
constexpr DWORD ChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

constexpr int boxSlot(TextGroup group, int index) {
    return (group == TextGroup::Text1 ? 0 : ChannelCount) + index;
}

HMENU controlId(std::size_t row) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstControlId + static_cast<int>(row)));
}

void registerWindowClass(HINSTANCE instance, WNDPROC windowProc) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, ClassName, &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ClassName;
    // Icon group 1 of the executable; a program without it gets the default icon.
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExW(&windowClass);
}

} // namespace

MixerWindow::MixerWindow(HINSTANCE instance) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    registerWindowClass(instance, &MixerWindow::windowProc);
    const std::wstring caption = wideFromUtf8(formRow.caption);
    window_ = CreateWindowExW(0, ClassName, caption.c_str(), WindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throw std::runtime_error("CreateWindowExW failed for the mixer window");
    }
    createControls(instance);
    layOut(windowDpi(window_));
    names_.give(controls_);
    focus_ = preview_->handle();
    armTimer();
}

MixerWindow::~MixerWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

void MixerWindow::createControls(HINSTANCE instance) {
    controls_.reserve(layoutTable.size());
    // Rows come in tab order; a new child goes below its elder siblings, and
    // IsDialogMessageW tabs through WS_TABSTOP controls in that order.
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        const ControlRow& entry = layoutTable[row];
        const std::wstring content = wideFromUtf8(entry.content);
        HWND control = nullptr;
        switch (entry.controlClass) {
        case ControlClass::PictureBox:
            preview_ = std::make_unique<PreviewWindow>(
                window_, FirstControlId + static_cast<int>(row), instance);
            control = preview_->handle();
            break;
        case ControlClass::TextBox: {
            const TextGroup group = entry.name == "Text1" ? TextGroup::Text1 : TextGroup::Text2;
            EditBox& box = boxAt(group, entry.index);
            box.create(window_, controlId(row), instance, entry, ChildStyle, events_);
            control = box.handle();
            break;
        }
        case ControlClass::HScrollBar: {
            control = CreateWindowExW(0, L"SCROLLBAR", L"", ChildStyle | WS_TABSTOP | SBS_HORZ, 0,
                                      0, 0, 0, window_, controlId(row), instance, nullptr);
            // SmallChange and LargeChange are both 1; sliderMoved applies them.
            SCROLLINFO range{sizeof(SCROLLINFO),
                             SIF_RANGE | SIF_PAGE | SIF_POS,
                             SliderMin,
                             SliderMax,
                             0,
                             SliderMin,
                             0};
            SetScrollInfo(control, SB_CTL, &range, FALSE);
            sliders_.at(entry.index) = control;
            break;
        }
        case ControlClass::Label:
            control = CreateWindowExW(0, L"STATIC", content.c_str(),
                                      ChildStyle | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0,
                                      window_, controlId(row), instance, nullptr);
            break;
        }
        if (control == nullptr) {
            throw std::runtime_error("CreateWindowExW failed for a control");
        }
        controls_.push_back(control);
    }
    // Every label lies beneath every box and slider: where they overlap, the
    // control is drawn and takes the clicks. Labels are no tab stops, so this
    // leaves the tab order alone.
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (layoutTable[row].controlClass == ControlClass::Label) {
            SetWindowPos(controls_[row], HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
}

// Places every control at `dpi` (15 twips a pixel at 96 DPI) in the message
// font of that DPI, and sizes the window around the client area.
void MixerWindow::layOut(UINT dpi) {
    dpi_ = dpi;
    const HFONT oldFont = font_;
    font_ = createMessageFont(dpi);
    LabelFonts labelFonts;
    const SIZE outer = outerSize(pixels(formRow.clientWidth, dpi),
                                 pixels(formRow.clientHeight, dpi), WindowStyle, 0, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        const ControlRow& entry = layoutTable[row];
        HWND control = controls_[row];
        int width = pixels(entry.width, dpi);
        if (entry.controlClass == ControlClass::Label) {
            // A label whose text needs more room grows to the right.
            width = std::max(width, labelFonts.fit(control, font_, dpi, pixels(entry.left, dpi),
                                                   pixels(formRow.clientWidth, dpi)));
        } else {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        }
        SetWindowPos(control, nullptr, pixels(entry.left, dpi), pixels(entry.top, dpi), width,
                     pixels(entry.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, TRUE);
    labelFonts_.swap(labelFonts); // the fonts of the last layout go with `labelFonts`
    if (oldFont != nullptr) {
        DeleteObject(oldFont);
    }
}

void MixerWindow::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

HWND MixerWindow::box(TextGroup group, int index) const {
    return boxAt(group, index).handle();
}

HWND MixerWindow::control(std::string_view name, int index) const {
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        if (layoutTable[row].name == name && layoutTable[row].index == index) {
            return controls_[row];
        }
    }
    return nullptr;
}

EditBox& MixerWindow::boxAt(TextGroup group, int index) {
    return boxes_.at(static_cast<std::size_t>(boxSlot(group, index)));
}

const EditBox& MixerWindow::boxAt(TextGroup group, int index) const {
    return boxes_.at(static_cast<std::size_t>(boxSlot(group, index)));
}

Text MixerWindow::boxText(TextGroup group, int index) const {
    return boxAt(group, index).text();
}

void MixerWindow::setBoxText(TextGroup group, int index, std::u16string_view text) {
    boxAt(group, index).setText(text);
}

int MixerWindow::sliderValue(int index) const {
    return GetScrollPos(slider(index), SB_CTL);
}

void MixerWindow::setSliderValue(int index, int value) {
    if (sliderValue(index) == value) {
        return;
    }
    SetScrollPos(slider(index), SB_CTL, value, TRUE);
    if (events_.scroll) {
        events_.scroll(static_cast<std::int16_t>(index));
    }
}

// WM_HSCROLL: the scroll bar reports what the user did and leaves the moving
// to its parent. Arrow and trough move by one (SmallChange, LargeChange); a
// dragged thumb counts only once it is released.
void MixerWindow::sliderMoved(HWND control, WPARAM request) {
    const auto found = std::find(sliders_.begin(), sliders_.end(), control);
    if (found == sliders_.end()) {
        return;
    }
    const int index = static_cast<int>(found - sliders_.begin());
    const int value = sliderValue(index);
    int target = value;
    switch (LOWORD(request)) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        target = value - 1;
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        target = value + 1;
        break;
    case SB_LEFT:
        target = SliderMin;
        break;
    case SB_RIGHT:
        target = SliderMax;
        break;
    case SB_THUMBPOSITION:
        target = HIWORD(request);
        break;
    default: // SB_THUMBTRACK (the control draws the dragged thumb), SB_ENDSCROLL
        return;
    }
    setSliderValue(index, std::clamp(target, SliderMin, SliderMax));
}

void MixerWindow::setTimerEnabled(bool enabled) {
    timerEnabled_ = enabled;
    armTimer();
}

void MixerWindow::setManualTicks(bool manual) {
    manualTicks_ = manual;
    armTimer();
}

// The one place where Timer1's clock is set or killed. KillTimer also drops a
// WM_TIMER already waiting in the queue.
void MixerWindow::armTimer() {
    if (!timerEnabled_ || manualTicks_ || window_ == nullptr) {
        if (timerInterval_ != 0 && window_ != nullptr) {
            KillTimer(window_, TimerId);
        }
        timerInterval_ = 0;
        return;
    }
    if (timerInterval_ != 0) {
        return;
    }
    timerInterval_ = static_cast<UINT>(firstTickDelayMs(GetTickCount64() - createdAt_));
    SetTimer(window_, TimerId, timerInterval_, nullptr);
}

LRESULT CALLBACK MixerWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<MixerWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<MixerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MixerWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE) {
            const auto edited =
                std::find_if(boxes_.begin(), boxes_.end(), [lParam](const EditBox& box) {
                    return box.handle() == reinterpret_cast<HWND>(lParam);
                });
            if (edited != boxes_.end()) {
                edited->edited();
            }
        }
        return 0;
    case WM_HSCROLL:
        sliderMoved(reinterpret_cast<HWND>(lParam), wParam);
        return 0;
    case WM_TIMER:
        if (wParam != TimerId) {
            return 0;
        }
        if (timerInterval_ != 0 && timerInterval_ != TimerIntervalMs) {
            // The first tick after a wake: back on the grid's own interval.
            timerInterval_ = TimerIntervalMs;
            SetTimer(window_, TimerId, timerInterval_, nullptr);
        }
        if (events_.timer) {
            events_.timer();
        }
        return 0;
    case WM_ACTIVATE:
        // The focus leaves with the window and comes back to the same control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus)) {
                focus_ = focus;
            }
        } else if (focus_ != nullptr) {
            SetFocus(focus_);
        }
        return 0;
    case WM_SETFOCUS:
        if (focus_ != nullptr) {
            SetFocus(focus_);
        }
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        layOut(HIWORD(wParam));
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        names_.clear();
        KillTimer(window_, TimerId);
        timerInterval_ = 0;
        if (endLoopWhenClosed_) {
            PostQuitMessage(0);
        }
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        return 0;
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}

} // namespace tintora::win32
