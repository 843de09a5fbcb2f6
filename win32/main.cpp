// Tintora.exe: the mixer's window on the Win32 API.
#include "win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return tintora::win32::runProgram(instance, showCommand);
}
