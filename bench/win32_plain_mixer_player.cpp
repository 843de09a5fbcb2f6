#include "win32_plain_mixer_player.h"

#include "win32/wide_text.h"
#include "win32_reference_window.h"
#include "win32_testing/laid_out_window.h"
#include "win32_testing/window_input.h"

#include <cwchar>
#include <optional>
#include <string>

namespace tintora::bench {
namespace {

// The plain mixer's one notice.
constexpr wchar_t Prompt[] = L"请输入数据0-255!";
constexpr wchar_t Title[] = L"出错了";

} // namespace

class Win32PlainMixerPlayer::PlainMixer final : public ReferenceWindow {
public:
    // The preview's colour once a slider moved.
    std::optional<Colour> painted;

protected:
    void sliderMoved(std::size_t) override {
        COLORREF colour = 0;
        for (std::size_t row = 0; row < layoutTable.size(); ++row) {
            if (layoutTable[row].controlClass == ControlClass::HScrollBar) {
                colour |= static_cast<COLORREF>(GetScrollPos(control(row), SB_CTL))
                          << (8 * layoutTable[row].index);
            }
        }
        paintPreview(colour);
        painted = colour;
    }

    void boxChanged(std::size_t row) override {
        if (noticeOpen_) {
            return; // one notice at a time: changes queued behind it go unchecked
        }
        const HWND box = control(row);
        const std::wstring text = win32::windowText(box);
        wchar_t* end = nullptr;
        const long value =
            std::wcstol(text.c_str(), &end, layoutTable[row].radix == Radix::Decimal ? 10 : 16);
        if (text.empty() || (*end == L'\0' && text[0] != L'-' && text[0] != L'+' &&
                             text[0] != L' ' && value <= SliderMax)) {
            return;
        }
        noticeOpen_ = true;
        MessageBoxW(handle(), Prompt, Title, MB_OK | MB_ICONEXCLAMATION);
        noticeOpen_ = false;
        SetWindowTextW(box, L"0");
    }

private:
    bool noticeOpen_ = false;
};

Win32PlainMixerPlayer::Win32PlainMixerPlayer()
    : mixer_(std::make_unique<PlainMixer>()) {
    testing::handleQueue(mixer_->handle());
}

Win32PlainMixerPlayer::~Win32PlainMixerPlayer() = default;

HWND Win32PlainMixerPlayer::handle() const {
    return mixer_->handle();
}

void Win32PlainMixerPlayer::play(const testing::UserAction& action) {
    testing::playInput({mixer_->handle(), [this](std::size_t row) { return mixer_->control(row); }},
                       action);
}

bool Win32PlainMixerPlayer::noticeOpen() {
    return testing::openMessageBox() != nullptr;
}

void Win32PlainMixerPlayer::whileNoticeOpen(std::function<void()> action) {
    notices_.whileOpen(std::move(action));
}

testing::SeenWindow Win32PlainMixerPlayer::seen() {
    testing::SeenWindow seen;
    const HWND focus = GetFocus();
    for (std::size_t row = 0; row < layoutTable.size(); ++row) {
        const ControlRow& control = layoutTable[row];
        const auto index = static_cast<std::size_t>(control.index);
        if (control.controlClass == ControlClass::TextBox) {
            seen.texts.at((control.radix == Radix::Decimal ? 0 : ChannelCount) + index) =
                win32::utf16(win32::windowText(mixer_->control(row)));
        } else if (control.controlClass == ControlClass::HScrollBar) {
            seen.values.at(index) = GetScrollPos(mixer_->control(row), SB_CTL);
        }
        if (mixer_->control(row) == focus) {
            seen.focus = row;
        }
    }
    seen.preview = mixer_->painted;
    if (testing::openMessageBox() != nullptr) {
        seen.notice = win32::utf16(Prompt);
    }
    return seen;
}

} // namespace tintora::bench
