// Finds each notice (a system message box of this thread) as it opens, notes
// what it shows, runs an optional action from inside its modal loop, and then,
// unless the action has dismissed it, dismisses it as a user would: found by
// its title, its button pressed.
//
// MessageBoxW runs its own loop on the calling thread and returns only once
// the box is gone, so the watcher acts from inside that loop: a CBT hook sees
// the box being activated and sets a thread timer, which the box's loop
// dispatches like any other message.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tintora::testing {

struct SeenNotice {
    std::wstring title;
    std::wstring text;
    std::vector<std::wstring> buttons;
    bool defaultButton = false; // its one button is the default push button
    bool icon = false;          // a visible icon beside the text
    bool ownerDisabled = false; // the main window takes no input meanwhile
};

class NoticeWatcher {
public:
    enum class Dismissal { Button, ReturnKey, EscapeKey };

    NoticeWatcher();
    ~NoticeWatcher();
    NoticeWatcher(const NoticeWatcher&) = delete;
    NoticeWatcher& operator=(const NoticeWatcher&) = delete;

    void whileOpen(std::function<void()> action) { whileOpen_ = std::move(action); }
    void dismissWith(Dismissal dismissal) { dismissal_ = dismissal; }
    // Leaves each notice open this long before answering it, with its own
    // loop dispatching whatever comes meanwhile.
    void keepOpenFor(ULONGLONG milliseconds) { keepOpen_ = milliseconds; }
    [[nodiscard]] const std::vector<SeenNotice>& seen() const { return seen_; }
    // Drops the record, for runs too long to keep every notice.
    void forgetSeen() { seen_.clear(); }
    [[nodiscard]] int open() const { return open_; }
    // Whether a notice was open that no window carrying its title showed.
    [[nodiscard]] bool foundOneUntitled() const { return unfound_; }

private:
    static LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK act(HWND, UINT, UINT_PTR timer, DWORD);
    void activated(HWND window);
    void dismiss(HWND box);

    HHOOK hook_ = nullptr;
    std::function<void()> whileOpen_;
    Dismissal dismissal_ = Dismissal::Button;
    std::vector<SeenNotice> seen_;
    std::vector<HWND> handled_; // boxes already seen, while they exist
    HWND pending_ = nullptr;
    ULONGLONG openedAt_ = 0;
    ULONGLONG keepOpen_ = 0;
    int open_ = 0;
    bool unfound_ = false;
};

} // namespace tintora::testing
