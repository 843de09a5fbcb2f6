// A Tintora.exe started as a user starts it, and looked at from outside as
// the system sees it: its main window, its notices, whether it still runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tintora::testing {

class RunningProgram {
public:
    // Starts `path` (a Windows path) and waits for its main window.
    explicit RunningProgram(const std::wstring& path);
    // Ends the process if it still runs.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The window "Tintora1.1", or nothing when none came up.
    [[nodiscard]] HWND window() const { return window_; }
    [[nodiscard]] std::wstring id() const { return std::to_wstring(process_.dwProcessId); }
    [[nodiscard]] bool running() const;
    // Its visible message boxes, once at least `atLeast` are up (or the wait
    // gave up).
    [[nodiscard]] std::vector<HWND> notices(std::size_t atLeast = 0) const;
    // Returns once the program has handled every message posted to it
    // before: a message posted to its red box after them has come through.
    void settle();
    // Waits for the process to end, and its exit code (STILL_ACTIVE if it
    // did not end).
    [[nodiscard]] unsigned long exitCode() const;

    // Runs `commandLine` to its end and returns its exit code.
    static unsigned long run(std::wstring commandLine);

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    int settled_ = 0;
};

// What became of a run that closes the window at once: whether the window
// came up, and the exit code once it was closed as the title bar's close
// button does.
struct ProgramRun {
    bool windowShown = false;
    bool ended = false;
    unsigned long exitCode = 1;
};
[[nodiscard]] ProgramRun runAndClose(const std::wstring& path);

// A Unix path as Wine sees it, on drive Z:.
[[nodiscard]] std::wstring windowsPathOf(const char* unixPath);

} // namespace tintora::testing
