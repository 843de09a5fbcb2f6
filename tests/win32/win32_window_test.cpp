// What only the real Win32 window can show: the layout at 96 DPI, tab order
// and the labels beneath the controls; mouse, keyboard and thumb input
// reaching the handlers through the native controls; the notice as the
// system draws it, with the live timer ticking inside its loop; start-up and
// closing of the real program.
#include "conversions/channel_conversions.h"
#include "layout/control_placement.h"
#include "layout/layout_table.h"
#include "program_run.h"
#include "scenarios/call_log.h"
#include "scenarios/user_steps.h"
#include "win32/message_loop.h"
#include "win32/program.h"
#include "win32/wide_text.h"
#include "win32_testing/win32_player.h"
#include "win32_testing/window_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace tintora::testing {
namespace {

using win32::windowText;

// Where a slider's parts lie: its arrows, thumb and trough, and the middle row.
struct SliderParts {
    SCROLLBARINFO info{};
    RECT client{};
    int middle = 0;
};

SliderParts partsOf(HWND slider) {
    SliderParts parts;
    parts.info.cbSize = sizeof(parts.info);
    GetScrollBarInfo(slider, OBJID_CLIENT, &parts.info);
    GetClientRect(slider, &parts.client);
    parts.middle = parts.client.bottom / 2;
    return parts;
}

std::wstring className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

class Win32Window : public ::testing::Test {
protected:
    Win32Window() { d.form().setTraceForTesting(&log); }
    ~Win32Window() override { d.form().setTraceForTesting(nullptr); }

    // Where a control stands in the window's client area.
    RECT placeOf(HWND control) const {
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    void expectRed(std::u16string_view decimal, std::u16string_view hex, int value) {
        EXPECT_EQ(d.text(TextGroup::Text1, 0), decimal);
        EXPECT_EQ(d.text(TextGroup::Text2, 0), hex);
        EXPECT_EQ(d.value(0), value);
    }

    // Red at "7", remembered by a click.
    void setUpRed() {
        d.paste(TextGroup::Text1, 0, u"7");
        d.click(0);
        log.calls.clear();
    }

    int countCalls(const std::string& call) const {
        return static_cast<int>(std::count(log.calls.begin(), log.calls.end(), call));
    }

    UserSteps<Win32Player> d;
    CallLog log;
    win32::Win32MixerWindow& window = d.player.window();
};

TEST_F(Win32Window, HasItsCaptionAFixedClientAreaAndNoSizingBorder) {
    ASSERT_EQ(window.dpi(), 96u);
    EXPECT_EQ(windowText(window.handle()), L"Tintora1.1");
    RECT client;
    GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, clientWidthPixels);
    EXPECT_EQ(client.bottom, clientHeightPixels);
    const LONG style = GetWindowLongW(window.handle(), GWL_STYLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
}

TEST_F(Win32Window, EveryControlStandsWhereTheTableSaysAt96Dpi) {
    for (const ControlRow& row : layoutTable) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.index));
        const HWND control = window.control(row.name, row.index);
        ASSERT_NE(control, nullptr);
        const RECT place = placeOf(control);
        EXPECT_EQ(place.left, row.left / 15);
        EXPECT_EQ(place.top, row.top / 15);
        EXPECT_EQ(place.bottom - place.top, row.height / 15);
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        if (row.controlClass == ControlClass::Label) {
            // A label grows to the right only where its text needs it.
            EXPECT_GE(place.right - place.left, row.width / 15);
            EXPECT_EQ(windowText(control), win32::wideFromUtf8(row.content));
            EXPECT_EQ(style & WS_TABSTOP, 0);
            continue;
        }
        EXPECT_EQ(place.right - place.left, row.width / 15);
        EXPECT_NE(style & WS_TABSTOP, 0);
        if (row.controlClass == ControlClass::TextBox) {
            EXPECT_EQ(className(control), L"Edit");
            EXPECT_EQ(windowText(control), win32::wideFromUtf8(row.content));
            EXPECT_EQ(SendMessageW(control, EM_GETLIMITTEXT, 0, 0), row.maxLength);
        } else if (row.controlClass == ControlClass::HScrollBar) {
            EXPECT_EQ(className(control), L"ScrollBar");
            EXPECT_EQ(style & SBS_VERT, 0);
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
            GetScrollInfo(control, SB_CTL, &info);
            EXPECT_EQ(info.nMin, 0);
            EXPECT_EQ(info.nMax, 255);
            EXPECT_EQ(info.nPos, 0);
        }
    }
    EXPECT_EQ(window.preview().colour(), std::nullopt);
}

// The headings and "红" overlap the red row by one pixel; there the box or
// slider is drawn and takes the click.
TEST_F(Win32Window, LabelsLieBeneathEveryBoxAndSlider) {
    bool labelAbove = false;
    for (HWND child = GetWindow(window.handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const bool label = className(child) == L"Static";
        EXPECT_FALSE(!label && labelAbove) << "a label lies above a control";
        labelAbove = labelAbove || label;
    }
    const std::pair<POINT, HWND> strips[] = {
        {{3720 / 15 + 5, 2280 / 15}, window.box(TextGroup::Text1, 0).handle()}, // under "十进制"
        {{4440 / 15 + 5, 2280 / 15}, window.box(TextGroup::Text2, 0).handle()}, // under "十六进制"
        {{360 / 15, 2280 / 15 + 5}, window.slider(0).handle()},                 // beside "红"
    };
    for (const auto& [at, control] : strips) {
        EXPECT_EQ(ChildWindowFromPointEx(window.handle(), at, CWP_SKIPINVISIBLE), control)
            << at.x << "," << at.y;
        // The system's hit test, which decides where the mouse goes.
        POINT onScreen = at;
        ClientToScreen(window.handle(), &onScreen);
        EXPECT_EQ(WindowFromPoint(onScreen), control) << at.x << "," << at.y;
    }
}

TEST_F(Win32Window, PastingWhatABoxAlreadyHoldsRunsNoHandler) {
    d.paste(TextGroup::Text2, 0, u"0");
    d.paste(TextGroup::Text1, 0, u"0");
    EXPECT_TRUE(log.calls.empty());
}

// An edit that leaves half a pair in a box (Wine's edit control cuts a paste
// at the limit inside a pair) has the half taken out before it is reported.
TEST_F(Win32Window, AnEditThatLeavesHalfAPairIsReportedWithoutIt) {
    const HWND box = window.box(TextGroup::Text2, 1).handle();
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    const wchar_t halfAPair[] = {L'1', 0xD83D, L'\0'};
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(halfAPair));
    EXPECT_EQ(d.text(TextGroup::Text2, 1), u"1");
    EXPECT_EQ(d.text(TextGroup::Text1, 1), u"1");
    EXPECT_EQ(countCalls("Text2_Change(1)"), 1);
    // The half goes from before what the box held too, the caret staying in
    // front of that text.
    SendMessageW(box, EM_SETSEL, 0, 0);
    const wchar_t halfAlone[] = {0xD83D, L'\0'};
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(halfAlone));
    EXPECT_EQ(d.text(TextGroup::Text2, 1), u"1");
    DWORD start = 1;
    DWORD end = 1;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 0U);
}

// A label lets the mouse through to the window beneath it; neither the
// window nor the preview holds the mouse, so the release of a press there
// goes to whatever lies under the pointer.
TEST_F(Win32Window, APressElsewhereReleasedOverADecimalBoxIsNoClick) {
    const HWND box = window.box(TextGroup::Text1, 2).handle();
    RECT client;
    GetClientRect(box, &client);
    const LPARAM overBox = MAKELPARAM(client.right / 2, client.bottom / 2);
    const RECT label = placeOf(window.control("Label4"));
    const std::pair<HWND, LPARAM> presses[] = {
        {window.handle(), MAKELPARAM(label.left + 2, label.top + 2)},
        {window.preview().handle(), MAKELPARAM(5, 5)},
    };
    for (const auto& [pressed, at] : presses) {
        PostMessageW(pressed, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(box, WM_LBUTTONUP, 0, overBox);
        d.player.handleQueue();
    }
    EXPECT_TRUE(log.calls.empty());
}

TEST_F(Win32Window, ADraggedThumbRaisesChangeOnceOnRelease) {
    const HWND slider = window.slider(0).handle();
    const auto [info, client, middle] = partsOf(slider);
    const int grip = (info.xyThumbTop + info.xyThumbBottom) / 2;
    PostMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grip, middle));
    for (int x = grip + 10; x <= grip + 100; x += 10) {
        PostMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, middle));
    }
    PostMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(grip + 100, middle));
    d.player.handleQueue();
    EXPECT_EQ(countCalls("HScroll1_Change(0)"), 1);
    EXPECT_GT(d.value(0), 100);
    EXPECT_EQ(d.text(TextGroup::Text1, 0), Int16Text(d.value(0)));
}

TEST_F(Win32Window, TheNoticeShowsItsPromptTitleAndOneDefaultButtonWithoutIcon) {
    d.paste(TextGroup::Text1, 0, u"x");
    ASSERT_FALSE(d.player.notices().seen().empty());
    const SeenNotice& notice = d.player.notices().seen().front();
    EXPECT_EQ(notice.title, L"出错了");
    EXPECT_EQ(notice.text, L"请输入数据0-255!");
    EXPECT_EQ(notice.buttons.size(), 1u);
    EXPECT_TRUE(notice.defaultButton);
    EXPECT_FALSE(notice.icon);
    EXPECT_TRUE(notice.ownerDisabled);
}

// The notice's own loop would go on dispatching WM_TIMER; Form1 puts the
// timer to sleep while the notice is open, and the killed clock delivers
// nothing meanwhile. It runs again once the notice is gone.
TEST_F(Win32Window, TheLiveTimerSleepsWhileTheNoticeIsOpen) {
    setUpRed();
    window.timer().schedule().setManualForTesting(false);
    d.player.notices().keepOpenFor(300);
    d.paste(TextGroup::Text1, 0, u"300");
    EXPECT_TRUE(window.timer().schedule().isRunning());
    window.timer().schedule().setManualForTesting(true);
    EXPECT_EQ(d.noticeCount(), 1);
    expectRed(u"7", u"7", 7);
    const auto opened = std::find(log.calls.begin(), log.calls.end(), "Msg(0)");
    const auto restored = std::find(opened, log.calls.end(), "Text1_Change(0)");
    ASSERT_NE(restored, log.calls.end());
    EXPECT_EQ(std::count(opened, restored, "Timer1_Timer()"), 0);
}

// Fonts the window held, as its controls report them.
std::vector<HFONT> fontsOf(const win32::Win32MixerWindow& window) {
    std::vector<HFONT> fonts;
    for (const ControlRow& row : layoutTable) {
        fonts.push_back(reinterpret_cast<HFONT>(
            SendMessageW(window.control(row.name, row.index), WM_GETFONT, 0, 0)));
    }
    return fonts;
}

// The desktop's message font changes while the window is open: the system
// tells every window, and each label is fitted to its text anew.
TEST(Win32Fonts, EveryLabelTextEndsInsideTheWindowAsTheMessageFontGrows) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    struct Restore {
        NONCLIENTMETRICSW metrics;
        ~Restore() {
            SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics,
                                  SPIF_SENDCHANGE);
        }
    } restore{metrics};
    const win32::Win32MixerWindow window;
    ASSERT_EQ(window.dpi(), 96u);
    for (const int points : {9, 10, 11, 12}) {
        metrics.lfMessageFont.lfHeight = -MulDiv(points, 96, 72);
        ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics,
                                          SPIF_SENDCHANGE));
        for (const ControlRow& row : layoutTable) {
            if (row.controlClass != ControlClass::Label) {
                continue;
            }
            const HWND label = window.control(row.name);
            const std::wstring text = windowText(label);
            const HDC dc = GetDC(label);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
            SelectObject(dc, font);
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            ReleaseDC(label, dc);
            EXPECT_LE(twipsToPixels(row.left) + size.cx, clientWidthPixels)
                << row.name << " at " << points;
            LOGFONTW chosen{};
            GetObjectW(font, sizeof(chosen), &chosen);
            EXPECT_LE(std::abs(chosen.lfHeight), std::abs(metrics.lfMessageFont.lfHeight))
                << row.name << " at " << points;
        }
    }
}

// The moves and resizes of one window, as the system reports them to it.
struct {
    HWND watched = nullptr;
    int count = 0;
} moves;

LRESULT CALLBACK countMoves(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == moves.watched && sent->message == WM_WINDOWPOSCHANGED) {
        const auto* place = reinterpret_cast<const WINDOWPOS*>(sent->lParam);
        moves.count += (place->flags & SWP_NOMOVE) == 0 || (place->flags & SWP_NOSIZE) == 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// At a new DPI the system suggests a rectangle for the window: it takes it in
// one move, with every control placed as the table lays it out at that DPI,
// and lets go of every font it used before.
TEST_F(Win32Window, ADpiChangeTakesTheSuggestedRectangleInOneMoveAndKeepsNoOldFont) {
    moves.watched = window.handle();
    const HHOOK hook =
        SetWindowsHookExW(WH_CALLWNDPROCRET, &countMoves, nullptr, GetCurrentThreadId());
    const std::vector<HFONT> before = fontsOf(window);
    for (const UINT dpi : {144u, 96u}) {
        SCOPED_TRACE(dpi);
        moves.count = 0;
        RECT suggested{};
        GetWindowRect(window.handle(), &suggested);
        const int width = twipsToPixels(formRow.clientWidth, static_cast<int>(dpi)) + 16;
        const int height = twipsToPixels(formRow.clientHeight, static_cast<int>(dpi)) + 39;
        suggested = {suggested.left + 7, suggested.top + 5, suggested.left + 7 + width,
                     suggested.top + 5 + height};
        SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        GetWindowRect(window.handle(), &now);
        EXPECT_TRUE(EqualRect(&now, &suggested));
        EXPECT_EQ(moves.count, 1);
        for (const ControlRow& row : layoutTable) {
            const RECT place = placeOf(window.control(row.name, row.index));
            const PixelRect expected = pixelRect(row, static_cast<int>(dpi));
            EXPECT_EQ(place.left, expected.left) << row.name << " " << row.index;
            EXPECT_EQ(place.top, expected.top) << row.name << " " << row.index;
            EXPECT_EQ(place.bottom - place.top, expected.height) << row.name << " " << row.index;
        }
    }
    UnhookWindowsHookEx(hook);
    for (const HFONT font : before) {
        if (font != nullptr) {
            EXPECT_EQ(GetObjectType(font), 0u) << "a font of the first layout is still there";
        }
    }
}

TEST(Win32StartUp, ThePreviewHasTheFocusInTheWindowColourAndTheTimerRuns) {
    win32::Win32MixerWindow window;
    EXPECT_TRUE(window.timer().schedule().isEnabled());
    EXPECT_TRUE(window.timer().schedule().isRunning());
    window.show(SW_SHOWNORMAL);
    SetForegroundWindow(window.handle());
    handleQueue(window.handle());
    EXPECT_EQ(GetFocus(), window.preview().handle());
    const HWND preview = window.preview().handle();
    RECT client;
    GetClientRect(preview, &client);
    const HDC dc = GetDC(preview);
    const COLORREF shown = GetPixel(dc, client.right / 2, client.bottom / 2);
    ReleaseDC(preview, dc);
    EXPECT_EQ(shown, GetSysColor(COLOR_WINDOW));
}

TEST(Win32StartUp, AnIdleTickPaintsNothing) {
    Win32Player player;
    player.play(UserAction{});
    const int painted = player.window().preview().paintCountForTesting();
    for (int i = 0; i < 5; ++i) {
        player.play(UserAction{});
    }
    EXPECT_EQ(player.window().preview().paintCountForTesting(), painted);
}

// The real program: closing its window ends the process with exit code 0.
TEST(Win32Program, ClosingTheWindowEndsTheProcessWithExitCodeZero) {
    const char* unixPath = std::getenv("TINTORA_EXE");
    ASSERT_NE(unixPath, nullptr) << "TINTORA_EXE names the built Tintora.exe";
    const ProgramRun run = runAndClose(windowsPathOf(unixPath));
    EXPECT_TRUE(run.windowShown);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
}

// While the notice is open, a request to close the window leaves the window
// and its one notice where they are: WM_CLOSE posted to the window, and
// taskkill without /F, which posts one to every window of the process.
TEST(Win32Program, ACloseRequestWhileTheNoticeIsOpenLeavesTheWindowAndTheNotice) {
    const char* unixPath = std::getenv("TINTORA_EXE");
    ASSERT_NE(unixPath, nullptr) << "TINTORA_EXE names the built Tintora.exe";
    RunningProgram program(windowsPathOf(unixPath));
    ASSERT_NE(program.window(), nullptr);
    // A letter in the red box brings up the notice.
    const HWND red = FindWindowExW(program.window(), nullptr, L"Edit", nullptr);
    PostMessageW(red, WM_CHAR, L'x', 1);
    ASSERT_EQ(program.notices(1).size(), 1u);
    const std::pair<const char*, std::function<void()>> requests[] = {
        {"WM_CLOSE", [&] { PostMessageW(program.window(), WM_CLOSE, 0, 0); }},
        {"taskkill",
         [&] { EXPECT_EQ(RunningProgram::run(L"taskkill.exe /PID " + program.id()), 0u); }},
    };
    for (const auto& [how, request] : requests) {
        request();
        program.settle();
        EXPECT_TRUE(program.running()) << how;
        EXPECT_TRUE(IsWindowVisible(program.window())) << how;
        EXPECT_EQ(program.notices().size(), 1u) << how;
    }
    // Answered, the notices go (a second follows: nothing was remembered), and
    // the window closes as usual.
    for (std::vector<HWND> open = program.notices(); !open.empty(); open = program.notices()) {
        PostMessageW(open.front(), WM_KEYDOWN, VK_RETURN, 1);
        program.settle();
    }
    PostMessageW(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(), 0u);
}

// A start that fails says so in a message box and ends with 1, with no
// window left: here the preview's class is one whose windows refuse to be
// made, so the main window fails half-built.
LRESULT CALLBACK refuseCreation(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_NCCREATE ? FALSE : DefWindowProcW(window, message, wParam, lParam);
}

int mainWindowsOfThisThread() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM counted) {
            wchar_t name[32] = {};
            GetClassNameW(window, name, 32);
            *reinterpret_cast<int*>(counted) += std::wstring_view(name) == L"TintoraMixer";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(Win32Program, AFailedStartIsReportedInAMessageBoxAndEndsWithExitCodeOne) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    UnregisterClassW(L"TintoraPreview", instance); // an earlier test's, whose windows are gone
    WNDCLASSEXW refusing{};
    refusing.cbSize = sizeof(refusing);
    refusing.lpfnWndProc = &refuseCreation;
    refusing.hInstance = instance;
    refusing.lpszClassName = L"TintoraPreview";
    ASSERT_NE(RegisterClassExW(&refusing), 0);
    NoticeWatcher watcher;
    EXPECT_EQ(win32::runProgram(instance, SW_SHOWNORMAL), 1);
    UnregisterClassW(L"TintoraPreview", instance);
    ASSERT_EQ(watcher.seen().size(), 1u);
    const SeenNotice& report = watcher.seen().front();
    EXPECT_EQ(report.title, L"Tintora");
    EXPECT_NE(report.text.find(L"Tintora 无法启动"), std::wstring::npos);
    EXPECT_NE(report.text.find(L"a control of the main window could not be made"),
              std::wstring::npos);
    EXPECT_TRUE(report.icon);
    EXPECT_EQ(mainWindowsOfThisThread(), 0);
}

} // namespace
} // namespace tintora::testing
