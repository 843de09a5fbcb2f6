// The long-run memory check on the Win32 window: `program` plays the sessions
// on Tintora's window with window messages, `bare` the same sessions on a
// bare window holding the same system controls. Settings and output:
// bench/long_run_sessions.h; besides resident memory it samples the GDI
// and USER objects the process holds. scripts/long-run.sh runs it under Wine.
//
//   win32_long_run.exe program|bare
//   (win32_long_run.exe clipboard is the clipboard's owner it starts)
#include "long_run_sessions.h"
#include "win32_bare_window.h"
#include "win32_driver.h"

#include "layout/layout_table.h"
#include "win32/wide_text.h"

#include <cstring>
#include <stdexcept>

namespace tintora::testing {
namespace {

void restFor(HWND window, std::chrono::milliseconds pause) {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(pause.count());
    do {
        processQueue(window);
        Sleep(5);
    } while (GetTickCount64() < until);
}

// The clipboard's owner is another process, as the program a user copies
// from is: Wine 8.0 keeps about 1 kB on every GetClipboardData of text that
// the reading process put there itself, while text owned by another process
// reads without growth. The owner is this executable again (`clipboard`),
// fed over a pipe: each text as its length and UTF-16 code units, answered
// with one byte once the text is on the clipboard.
class ClipboardOwner {
public:
    ClipboardOwner() {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childIn = nullptr;
        HANDLE childOut = nullptr;
        if (!CreatePipe(&childIn, &toOwner_, &inherit, 0) ||
            !CreatePipe(&fromOwner_, &childOut, &inherit, 0)) {
            throw std::runtime_error("CreatePipe failed");
        }
        SetHandleInformation(toOwner_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(fromOwner_, HANDLE_FLAG_INHERIT, 0);
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(path) + L"\" clipboard";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        if (!CreateProcessW(path, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                            &startup, &process_)) {
            throw std::runtime_error("could not start the clipboard's owner");
        }
        CloseHandle(childIn);
        CloseHandle(childOut);
    }
    ~ClipboardOwner() {
        CloseHandle(toOwner_); // the owner ends at the end of its input
        WaitForSingleObject(process_.hProcess, 5000);
        CloseHandle(fromOwner_);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    ClipboardOwner(const ClipboardOwner&) = delete;
    ClipboardOwner& operator=(const ClipboardOwner&) = delete;

    void put(std::u16string_view text) {
        const auto length = static_cast<DWORD>(text.size());
        DWORD done = 0;
        char answer = 0;
        if (!WriteFile(toOwner_, &length, sizeof length, &done, nullptr) ||
            !WriteFile(toOwner_, text.data(), length * sizeof(char16_t), &done, nullptr) ||
            !ReadFile(fromOwner_, &answer, 1, &done, nullptr) || done != 1) {
            throw std::runtime_error("the clipboard's owner did not answer");
        }
    }

    // The owner's side: puts each text it reads on the clipboard.
    static int serve() {
        const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        const auto readAll = [in](void* into, DWORD bytes) {
            auto* at = static_cast<char*>(into);
            while (bytes > 0) {
                DWORD got = 0;
                if (!ReadFile(in, at, bytes, &got, nullptr) || got == 0) {
                    return false;
                }
                at += got;
                bytes -= got;
            }
            return true;
        };
        DWORD length = 0;
        std::u16string text;
        while (readAll(&length, sizeof length)) {
            text.resize(length);
            if (!readAll(text.data(), length * sizeof(char16_t))) {
                return 1;
            }
            putOnClipboard(text, nullptr);
            DWORD done = 0;
            const char answer = 1;
            WriteFile(out, &answer, 1, &done, nullptr);
        }
        return 0;
    }

private:
    HANDLE toOwner_ = nullptr;
    HANDLE fromOwner_ = nullptr;
    PROCESS_INFORMATION process_{};
};

NoticeWatcher::Dismissal dismissal(int way) {
    return way == 1   ? NoticeWatcher::Dismissal::ReturnKey
           : way == 2 ? NoticeWatcher::Dismissal::EscapeKey
                      : NoticeWatcher::Dismissal::Button;
}

class ProgramTarget final : public long_run::SessionTarget {
public:
    void paste(TextGroup group, std::int16_t index, std::u16string_view text) override {
        const HWND box = d_.mixer.window.box(group, index);
        d_.focusByKeyboard(box);
        SendMessageW(box, EM_SETSEL, 0, -1); // select all, as Ctrl+A does
        if (text.empty()) {
            d_.pressKey(VK_DELETE);
            return;
        }
        clipboard_.put(text);
        PostMessageW(box, WM_PASTE, 0, 0); // what Ctrl+V does in an edit control
        d_.processQueue();
    }
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) override {
        d_.type(group, index, keys);
    }
    void click(std::int16_t index) override { d_.click(index); }
    void scroll(std::int16_t index, std::int16_t value) override { d_.scroll(index, value); }
    void tick() override { d_.tick(); }
    void whileNoticeOpen(std::function<void()> action) override {
        d_.whileNoticeOpen(std::move(action));
    }
    void dismissNextNoticeBy(int way) override { d_.notices.dismissWith(dismissal(way)); }
    int takeNoticeCount() override {
        const int count = d_.noticeCount();
        d_.notices.forgetSeen();
        return count;
    }
    void rest(std::chrono::milliseconds pause) override {
        restFor(d_.mixer.window.handle(), pause);
    }

private:
    Win32Driver d_;
    ClipboardOwner clipboard_;
};

class BareWindowTarget final : public long_run::SessionTarget {
public:
    void paste(TextGroup group, std::int16_t index, std::u16string_view text) override {
        const HWND box = focus(window_.box(group, index));
        SendMessageW(box, EM_SETSEL, 0, -1);
        if (text.empty()) {
            pressKey(VK_DELETE);
        } else {
            clipboard_.put(text);
            PostMessageW(box, WM_PASTE, 0, 0);
            processQueue(window_.handle());
        }
        window_.check(group, box);
    }
    void type(TextGroup group, std::int16_t index, std::u16string_view keys) override {
        const HWND box = focus(window_.box(group, index));
        pressKey(VK_END);
        for (const char16_t key : keys) {
            if (key == u'\b') {
                pressKey(VK_BACK);
            } else {
                PostMessageW(box, WM_CHAR, static_cast<wchar_t>(key), 1);
                processQueue(window_.handle());
            }
        }
        window_.check(group, box);
    }
    void click(std::int16_t index) override {
        const HWND box = window_.box(TextGroup::Text1, index);
        RECT client;
        GetClientRect(box, &client);
        const LPARAM where = MAKELPARAM(client.right / 2, client.bottom / 2);
        PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, where);
        PostMessageW(box, WM_LBUTTONUP, 0, where);
        processQueue(window_.handle());
    }
    void scroll(std::int16_t index, std::int16_t value) override {
        const HWND slider = window_.slider(index);
        SetFocus(slider);
        for (const int code : {SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}) {
            SendMessageW(window_.handle(), WM_HSCROLL,
                         MAKEWPARAM(code, code == SB_ENDSCROLL ? 0 : value),
                         reinterpret_cast<LPARAM>(slider));
        }
        processQueue(window_.handle());
    }
    void tick() override {} // the bare window's timer does nothing
    void whileNoticeOpen(std::function<void()> action) override {
        notices_.whileOpen(std::move(action));
    }
    void dismissNextNoticeBy(int way) override { notices_.dismissWith(dismissal(way)); }
    int takeNoticeCount() override {
        const auto count = static_cast<int>(notices_.seen().size());
        notices_.forgetSeen();
        return count;
    }
    void rest(std::chrono::milliseconds pause) override { restFor(window_.handle(), pause); }

private:
    HWND focus(HWND control) {
        SetFocus(control);
        processQueue(window_.handle());
        return control;
    }
    void pressKey(UINT key) {
        const HWND focused = GetFocus();
        const auto scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
        PostMessageW(focused, WM_KEYDOWN, key, 1 | scan);
        PostMessageW(focused, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
        processQueue(window_.handle());
    }

    BareWindow window_;
    NoticeWatcher notices_;
    ClipboardOwner clipboard_;
};

} // namespace
} // namespace tintora::testing

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "clipboard") == 0) {
        return tintora::testing::ClipboardOwner::serve();
    }
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    if (!bare && (argc < 2 || std::strcmp(argv[1], "program") != 0)) {
        std::fprintf(stderr, "usage: %s program|bare\n", argv[0]);
        return 2;
    }
    if (bare) {
        tintora::testing::BareWindowTarget target;
        tintora::testing::long_run::run(target, "the bare window on Win32");
    } else {
        tintora::testing::ProgramTarget target;
        tintora::testing::long_run::run(target, "Tintora's window on Win32");
    }
    return 0;
}
