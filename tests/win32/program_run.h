// Starts a Tintora.exe as a user would and closes its window again.
#pragma once

#include <string>

namespace tintora::testing {

// What became of one run: whether the window "Tintora1.1" came up, and the
// process's exit code once the window was closed (or why the run failed).
struct ProgramRun {
    bool windowShown = false;
    bool ended = false;
    unsigned long exitCode = 1;
};

// Starts `path` (a Windows path), waits for its main window, closes it as the
// title bar's close button does, and waits for the process to end.
[[nodiscard]] ProgramRun runAndClose(const std::wstring& path);

// A Unix path as Wine sees it, on drive Z:.
[[nodiscard]] std::wstring windowsPathOf(const char* unixPath);

} // namespace tintora::testing
