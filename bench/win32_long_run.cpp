// The long-run memory check on the Win32 window: `program` plays the
// sessions on Tintora's window through its player
// (win32_testing/win32_player.h), `plain-mixer` the same sessions on the
// plain mixer (win32_plain_mixer_player.h). Settings and output:
// bench/long_run.h; besides resident memory it samples the GDI and USER
// objects the process holds. scripts/long-run.sh runs it under Wine.
//
//   win32_long_run.exe program|plain-mixer
//   (win32_long_run.exe clipboard is the clipboard's owner it starts)
#include "long_run.h"
#include "win32_plain_mixer_player.h"

#include "win32_testing/win32_player.h"
#include "win32_testing/window_input.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace tintora::bench {
namespace {

// Lets `window` handle its events for `pause`, as between a user's actions.
void restFor(HWND window, std::chrono::milliseconds pause) {
    const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(pause.count());
    do {
        testing::handleQueue(window);
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
            if (!putWhenFree(text)) {
                return 1;
            }
            DWORD done = 0;
            const char answer = 1;
            WriteFile(out, &answer, 1, &done, nullptr);
        }
        return 0;
    }

private:
    // Puts `text` on the clipboard once no other window holds it open, as a
    // user's copy waits its turn: under Wine, with the boxes copying on Ctrl+C
    // and Ctrl+X, the owner now and then finds it held for a moment. False
    // when it stays held for five seconds.
    static bool putWhenFree(std::u16string_view text) {
        for (int attempt = 0; attempt < 500; ++attempt) {
            try {
                testing::putOnClipboard(text, nullptr);
                return true;
            } catch (const std::runtime_error&) {
                Sleep(10);
            }
        }
        return false;
    }

    HANDLE toOwner_ = nullptr;
    HANDLE fromOwner_ = nullptr;
    PROCESS_INFORMATION process_{};
};

// Copies run from inside notices' modal loops too, which no exception can
// cross: a failure there ends the run with its reason.
void putOrEnd(ClipboardOwner& clipboard, std::u16string_view text) {
    try {
        clipboard.put(text);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        std::fflush(stderr);
        ExitProcess(1);
    }
}

template <typename Player> void runOn(Player& player, HWND window, const std::string& where) {
    ClipboardOwner clipboard;
    long_run::run({player, [window](std::chrono::milliseconds pause) { restFor(window, pause); },
                   [&clipboard](std::u16string_view text) { putOrEnd(clipboard, text); },
                   [&player] { player.notices().forgetSeen(); }},
                  where);
}

} // namespace
} // namespace tintora::bench

int main(int argc, char* argv[]) {
    using namespace tintora;
    if (argc == 2 && std::strcmp(argv[1], "clipboard") == 0) {
        return bench::ClipboardOwner::serve();
    }
    const bool plain = argc == 2 && std::strcmp(argv[1], "plain-mixer") == 0;
    if (!plain && (argc != 2 || std::strcmp(argv[1], "program") != 0)) {
        std::fprintf(stderr, "usage: %s program|plain-mixer\n", argv[0]);
        return 2;
    }
    // A failure ends the run with its reason: Wine would hold an uncaught
    // exception in its crash dialog, and the run would never end.
    try {
        if (plain) {
            bench::Win32PlainMixerPlayer player;
            bench::runOn(player, player.handle(), "the plain mixer on Win32");
        } else {
            testing::Win32Player player;
            bench::runOn(player, player.window().handle(), "Tintora's window on Win32");
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
