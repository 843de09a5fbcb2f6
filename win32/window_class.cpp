#include "win32/window_class.h"

namespace tintora::win32 {
namespace {

HICON programIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    // Icon group 1 of the executable; a program without it gets the default icon.
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric),
                                         GetSystemMetrics(heightMetric), 0));
}

// Registers the class `name` unless the module has it already: the arrow
// cursor, `windowProc`, and whatever `configure` adds.
template <typename Configure>
const wchar_t* registerOnce(HINSTANCE instance, WNDPROC windowProc, const wchar_t* name,
                            Configure&& configure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, name, &windowClass)) {
        return name;
    }
    windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    configure(windowClass);
    return RegisterClassExW(&windowClass) != 0 ? name : nullptr;
}

} // namespace

const wchar_t* registerMainWindowClass(HINSTANCE instance, WNDPROC windowProc) {
    return registerOnce(instance, windowProc, L"TintoraMixer", [instance](WNDCLASSEXW& main) {
        main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        main.hIcon = programIcon(instance, SM_CXICON, SM_CYICON);
        main.hIconSm = programIcon(instance, SM_CXSMICON, SM_CYSMICON);
    });
}

const wchar_t* registerPreviewBoxClass(HINSTANCE instance, WNDPROC windowProc) {
    return registerOnce(instance, windowProc, L"TintoraPreview", [](WNDCLASSEXW&) {});
}

} // namespace tintora::win32
