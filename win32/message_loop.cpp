#include "win32/message_loop.h"

namespace tintora::win32 {

void processMessage(HWND window, MSG& message) {
    if (window != nullptr && IsDialogMessageW(window, &message)) {
        return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int runMessageLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        processMessage(IsWindow(window) ? window : nullptr, message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace tintora::win32
