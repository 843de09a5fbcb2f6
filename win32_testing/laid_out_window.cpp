#include "win32_testing/laid_out_window.h"

#include "win32_testing/window_input.h"

namespace tintora::testing {

void playInput(const LaidOutWindow& on, const UserAction& action) {
    switch (action.kind) {
    case UserAction::Kind::Press:
        pressKey(on.window, action.key, action.modifiers);
        break;
    case UserAction::Kind::Type:
        typeCharacter(on.window, action.text);
        break;
    case UserAction::Kind::Copy:
        putOnClipboard(action.text, on.window);
        break;
    case UserAction::Kind::Click:
        if (action.row != NoticeButton) {
            clickAt(on.window, pointOn(on.control(action.row), action.spot));
        } else if (const HWND notice = openMessageBox()) {
            clickAt(on.window,
                    pointOn(FindWindowExW(notice, nullptr, L"Button", nullptr), Spot::Middle));
        }
        break;
    case UserAction::Kind::Drag:
        dragThumb(on.window, on.control(action.row), action.amount);
        break;
    case UserAction::Kind::Wheel:
        turnWheel(on.window, pointOn(on.control(action.row), Spot::Middle), action.amount,
                  action.horizontal);
        break;
    case UserAction::Kind::Tick:
        break;
    }
}

} // namespace tintora::testing
