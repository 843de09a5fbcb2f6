#include "process_memory.h"

#ifdef _WIN32
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>
#else
#include <fstream>
#include <string>
#endif

namespace tintora::bench {

#ifdef _WIN32

namespace {

// Wine answers GetGuiResources with 0 (not implemented). There the objects are
// counted directly: a GDI handle is found by its 16-bit index alone (Wine
// takes a handle without its generation bits), and the USER objects that
// matter here, the process's windows, the same way.
long countGdiObjects() {
    long count = 0;
    for (ULONG_PTR handle = 1; handle <= 0xFFFF; ++handle) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(handle)) != 0 ? 1 : 0;
    }
    return count;
}

long countWindows() {
    long count = 0;
    for (ULONG_PTR handle = 1; handle <= 0xFFFF; ++handle) {
        const auto window = reinterpret_cast<HWND>(handle);
        DWORD process = 0;
        if (IsWindow(window) && GetWindowThreadProcessId(window, &process) != 0 &&
            process == GetCurrentProcessId()) {
            ++count;
        }
    }
    return count;
}

} // namespace

ProcessMemory sampleProcessMemory() {
    ProcessMemory sample;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        sample.residentKb = static_cast<long>(counters.WorkingSetSize / 1024);
    }
    sample.gdiObjects = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    sample.userObjects = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (sample.gdiObjects == 0 && sample.userObjects == 0) {
        sample.gdiObjects = countGdiObjects();
        sample.userObjects = countWindows();
    }
    return sample;
}

#else

ProcessMemory sampleProcessMemory() {
    ProcessMemory sample;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            sample.residentKb = std::stol(line.substr(6));
        }
    }
    return sample;
}

#endif

} // namespace tintora::bench
