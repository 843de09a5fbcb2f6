// What Tintora.exe says when it cannot start: the system cannot make its
// window whole. It ends then, with nothing half-built left running.
#pragma once

#include <exception>

namespace tintora::win32 {

// Tells the user, in a message box with an error icon, that the program could
// not start and why; returns the exit code of such a start, 1.
int reportFailedStart(const std::exception& failure);

} // namespace tintora::win32
