// What the long run samples of its own process: resident memory, and on
// Windows the GDI and USER objects it holds.
#pragma once

namespace tintora::bench {

struct ProcessMemory {
    long residentKb = 0;
    long gdiObjects = -1; // -1 where the platform has no such count
    long userObjects = -1;
};

[[nodiscard]] ProcessMemory sampleProcessMemory();

} // namespace tintora::bench
