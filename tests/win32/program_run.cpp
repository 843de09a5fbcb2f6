#include "program_run.h"

#include "win32/wide_text.h"

#include <windows.h>

#include <algorithm>

namespace tintora::testing {

ProgramRun runAndClose(const std::wstring& path) {
    ProgramRun run;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return run;
    }
    WaitForInputIdle(process.hProcess, 10000);
    HWND shown = nullptr;
    for (int i = 0; i < 1000 && shown == nullptr; ++i) {
        shown = FindWindowW(L"TintoraMixer", L"Tintora1.1");
        Sleep(10);
    }
    run.windowShown = shown != nullptr && IsWindowVisible(shown);
    if (shown != nullptr) {
        PostMessageW(shown, WM_CLOSE, 0, 0);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    run.ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return run;
}

std::wstring windowsPathOf(const char* unixPath) {
    std::wstring path = L"Z:" + win32::wideFromUtf8(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

} // namespace tintora::testing
