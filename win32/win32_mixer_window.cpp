// Win32MixerWindow: the window and its controls, built from the layout table
// and placed at the window's DPI.
#include "win32/win32_mixer_window.h"

#include "layout/control_placement.h"
#include "win32/dpi.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"

#include <commctrl.h>

#include <memory>
#include <stdexcept>

namespace tintora::win32 {
namespace {

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

} // namespace

Win32MixerWindow::Win32MixerWindow(HINSTANCE instance) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const wchar_t* const className =
        registerMainWindowClass(instance, &Win32MixerWindow::windowProc);
    const std::wstring caption = wideFromUtf8(formRow.caption);
    window_ = CreateWindowExW(0, className, caption.c_str(), WindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        throw std::runtime_error("the main window could not be made");
    }
    // A window that cannot be built whole goes at once, while the object its
    // messages reach still stands.
    try {
        createControls(instance);
        layOut(windowDpi(window_));
        const SIZE outer = outerSize(twipsToPixels(formRow.clientWidth, static_cast<int>(dpi_)),
                                     twipsToPixels(formRow.clientHeight, static_cast<int>(dpi_)),
                                     WindowStyle, 0, dpi_);
        SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        names_.give(controls_);
        focus_ = preview_->handle();
        timer_.start(window_);
    } catch (...) {
        destroy();
        throw;
    }
}

Win32MixerWindow::~Win32MixerWindow() {
    destroy();
}

void Win32MixerWindow::destroy() {
    if (window_ != nullptr) {
        DestroyWindow(window_); // its WM_NCDESTROY lets go of this object
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

void Win32MixerWindow::createControls(HINSTANCE instance) {
    controls_.reserve(layoutTable.size());
    // Rows come in tab order; a new child goes below its elder siblings, and
    // IsDialogMessageW tabs through WS_TABSTOP controls in that order.
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        const ControlRow& entry = layoutTable[row];
        HWND control = nullptr;
        switch (entry.controlClass) {
        case ControlClass::PictureBox:
            preview_ = std::make_unique<PreviewBox>(window_, FirstControlId + static_cast<int>(row),
                                                    instance);
            control = preview_->handle();
            break;
        case ControlClass::TextBox: {
            EditBox& box = boxAt(groupOf(entry.radix), entry.index);
            box.create(window_, controlId(row), instance, entry, ChildStyle, events_);
            control = box.handle();
            break;
        }
        case ControlClass::HScrollBar: {
            ScrollBar& slider = sliders_.at(entry.index);
            slider.create(window_, controlId(row), instance, entry, ChildStyle, events_);
            control = slider.handle();
            break;
        }
        case ControlClass::Label:
            control = CreateWindowExW(0, L"STATIC", wideFromUtf8(entry.content).c_str(),
                                      ChildStyle | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0,
                                      window_, controlId(row), instance, nullptr);
            break;
        }
        if (control == nullptr) {
            throw std::runtime_error("a control of the main window could not be made");
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

// Places every control at `dpi` in the message font of that DPI, each label
// fitted to its text in it; the window keeps its size, which its caller sets.
void Win32MixerWindow::layOut(UINT dpi) {
    dpi_ = dpi;
    const int scale = static_cast<int>(dpi);
    const HFONT oldFont = font_;
    font_ = createMessageFont(dpi);
    LabelFonts labelFonts;
    placeControls(
        scale,
        [&](std::size_t row, int left, int windowWidth) {
            return labelFonts.fit(controls_[row], font_, dpi, left, windowWidth);
        },
        [&](std::size_t row, PixelRect rect) {
            if (layoutTable[row].controlClass != ControlClass::Label) {
                SendMessageW(controls_[row], WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
            }
            SetWindowPos(controls_[row], nullptr, rect.left, rect.top, rect.width, rect.height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        });
    InvalidateRect(window_, nullptr, TRUE);
    labelFonts_.swap(labelFonts); // the fonts of the last layout go with `labelFonts`
    if (oldFont != nullptr) {
        DeleteObject(oldFont);
    }
}

void Win32MixerWindow::show(int showCommand) {
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

HWND Win32MixerWindow::control(std::string_view name, int index) const {
    return controlOf(controls_, name, index);
}

EditBox& Win32MixerWindow::boxAt(TextGroup group, int index) {
    return boxes_.at(static_cast<std::size_t>(boxSlot(group, index)));
}

const EditBox& Win32MixerWindow::boxAt(TextGroup group, int index) const {
    return boxes_.at(static_cast<std::size_t>(boxSlot(group, index)));
}

} // namespace tintora::win32
