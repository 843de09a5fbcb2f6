#include "program_run.h"

#include "win32/wide_text.h"

#include <algorithm>

namespace tintora::testing {
namespace {

constexpr int PollMs = 10;
constexpr int PatienceMs = 10000;

struct Search {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK collectNotice(HWND window, LPARAM search) {
    auto* in = reinterpret_cast<Search*>(search);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (owner == in->process && std::wstring_view(name) == L"#32770" && IsWindowVisible(window)) {
        in->found.push_back(window);
    }
    return TRUE;
}

} // namespace

RunningProgram::RunningProgram(const std::wstring& path) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        process_ = {};
        return;
    }
    WaitForInputIdle(process_.hProcess, PatienceMs);
    for (int waited = 0; waited < PatienceMs && window_ == nullptr; waited += PollMs) {
        window_ = FindWindowW(L"TintoraMixer", L"Tintora1.1");
        Sleep(PollMs);
    }
}

RunningProgram::~RunningProgram() {
    if (process_.hProcess == nullptr) {
        return;
    }
    if (running()) {
        TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningProgram::running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> RunningProgram::notices(std::size_t atLeast) const {
    Search search{process_.dwProcessId, {}};
    for (int waited = 0; waited <= PatienceMs; waited += PollMs) {
        search.found.clear();
        EnumWindows(&collectNotice, reinterpret_cast<LPARAM>(&search));
        if (search.found.size() >= atLeast) {
            break;
        }
        Sleep(PollMs);
    }
    return search.found;
}

void RunningProgram::settle() {
    const HWND red = FindWindowExW(window_, nullptr, L"Edit", nullptr);
    // The box's modified flag, which the program never reads, set to the
    // opposite of the last time: its arrival shows.
    const BOOL flag = ++settled_ % 2;
    PostMessageW(red, EM_SETMODIFY, flag, 0);
    for (int waited = 0; waited < PatienceMs && running(); waited += PollMs) {
        DWORD_PTR modified = 0;
        if (SendMessageTimeoutW(red, EM_GETMODIFY, 0, 0, SMTO_NORMAL, PatienceMs, &modified) &&
            (modified != 0) == (flag != 0)) {
            return;
        }
        Sleep(PollMs);
    }
}

unsigned long RunningProgram::exitCode() const {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, PatienceMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
}

unsigned long RunningProgram::run(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, PatienceMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

ProgramRun runAndClose(const std::wstring& path) {
    ProgramRun run;
    const RunningProgram program(path);
    run.windowShown = program.window() != nullptr && IsWindowVisible(program.window());
    if (program.window() != nullptr) {
        PostMessageW(program.window(), WM_CLOSE, 0, 0);
    }
    run.exitCode = program.exitCode();
    run.ended = run.exitCode != STILL_ACTIVE;
    return run;
}

std::wstring windowsPathOf(const char* unixPath) {
    std::wstring path = L"Z:" + win32::wideFromUtf8(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

} // namespace tintora::testing
