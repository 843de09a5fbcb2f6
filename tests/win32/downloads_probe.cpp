// Looks at Tintora as a Windows user meets it after installing the package or
// unpacking the zip, through the same interfaces Explorer and Apps use:
//   downloads_probe installed VERSION [EXTRA_FILE]
//       the user's programs folder holds Tintora\ with exactly Tintora.exe,
//       LICENSE.txt (and EXTRA_FILE); the Start-menu shortcut "Tintora" points
//       at that Tintora.exe; there is one uninstall entry named Tintora, of
//       VERSION, with its publisher, an icon file that exists and an
//       Uninstall command, which it prints as "uninstall: COMMAND"
//   downloads_probe start-menu    starts the shortcut's target and closes it
//   downloads_probe run PATH      starts the Tintora.exe at the Unix PATH and closes it
//   downloads_probe refused PACKAGE MESSAGE
//       installs the package at the Unix PATH with msiexec's basic interface,
//       expects a message box saying MESSAGE, answers it, and expects
//       msiexec to end with 1603 (the installation failed)
// Prints each check; exits 1 after the first that fails.
#include "program_run.h"

#include "win32/wide_text.h"

#include <windows.h>

#include <knownfolders.h>
#include <msi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

using tintora::testing::ProgramRun;

std::string narrow(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

void check(bool holds, const std::string& what) {
    std::printf("%s: %s\n", holds ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!holds) {
        std::exit(1);
    }
}

std::wstring knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) {
        result = path;
    }
    CoTaskMemFree(path);
    return result;
}

std::wstring lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(towlower(c)); });
    return text;
}

// %LOCALAPPDATA%\Programs, which Windows 7 and later name the user's program
// files (FOLDERID_UserProgramFiles; Wine 8 does not know that name).
std::wstring installFolder() {
    return knownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Tintora";
}

std::wstring shortcutPath() {
    return knownFolder(FOLDERID_Programs) + L"\\Tintora.lnk";
}

// The path a shortcut starts, as Explorer resolves it; empty if it has none.
std::wstring shortcutTarget(const std::wstring& shortcut) {
    std::wstring target;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
            target = path;
        }
        file->Release();
    }
    link->Release();
    return target;
}

std::set<std::wstring> filesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.insert(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::wstring stringValue(HKEY key, const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, value, &size) != ERROR_SUCCESS) {
        return {};
    }
    return value;
}

struct UninstallEntry {
    std::wstring productCode;
    std::wstring version;
    std::wstring publisher;
    std::wstring icon;
    std::wstring command;
};

// The entries named Tintora among those Apps lists: the user's own and the
// machine's, in both registry views.
std::vector<UninstallEntry> uninstallEntries() {
    std::vector<UninstallEntry> entries;
    const wchar_t* uninstall = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    const std::pair<HKEY, REGSAM> places[] = {{HKEY_CURRENT_USER, 0},
                                              {HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY},
                                              {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}};
    for (const auto& [root, view] : places) {
        HKEY list = nullptr;
        if (RegOpenKeyExW(root, uninstall, 0, KEY_READ | view, &list) != ERROR_SUCCESS) {
            continue;
        }
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(list, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                break;
            }
            HKEY entry = nullptr;
            if (RegOpenKeyExW(list, name, 0, KEY_READ | view, &entry) != ERROR_SUCCESS) {
                continue;
            }
            if (stringValue(entry, L"DisplayName") == L"Tintora") {
                entries.push_back(
                    {name, stringValue(entry, L"DisplayVersion"), stringValue(entry, L"Publisher"),
                     stringValue(entry, L"DisplayIcon"), stringValue(entry, L"UninstallString")});
            }
            RegCloseKey(entry);
        }
        RegCloseKey(list);
    }
    return entries;
}

// Apps shows an installer package's icon from the product's registration when
// its uninstall entry names none.
std::wstring productIcon(const UninstallEntry& entry) {
    if (!entry.icon.empty()) {
        return entry.icon;
    }
    wchar_t icon[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (MsiGetProductInfoW(entry.productCode.c_str(), INSTALLPROPERTY_PRODUCTICON, icon, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return icon;
}

void checkInstalled(const std::wstring& version, const wchar_t* extraFile) {
    const std::wstring folder = installFolder();
    std::set<std::wstring> expected = {L"LICENSE.txt", L"Tintora.exe"};
    if (extraFile != nullptr) {
        expected.insert(extraFile);
    }
    check(filesIn(folder) == expected,
          "the folder " + narrow(folder) + " holds exactly " + std::to_string(expected.size()) +
              " files: Tintora.exe, LICENSE.txt" + (extraFile ? ", " + narrow(extraFile) : ""));
    const std::wstring target = shortcutTarget(shortcutPath());
    check(lower(target) == lower(folder + L"\\Tintora.exe"),
          "the shortcut " + narrow(shortcutPath()) + " points at the installed Tintora.exe (" +
              narrow(target) + ")");
    const std::vector<UninstallEntry> entries = uninstallEntries();
    check(entries.size() == 1,
          "one uninstall entry named Tintora (found " + std::to_string(entries.size()) + ")");
    const UninstallEntry& entry = entries.front();
    check(entry.version == version,
          "its version is " + narrow(version) + " (" + narrow(entry.version) + ")");
    check(entry.publisher == L"Tintora developers", "its publisher is Tintora developers");
    const std::wstring icon = productIcon(entry);
    check(!icon.empty() && GetFileAttributesW(icon.c_str()) != INVALID_FILE_ATTRIBUTES,
          "its icon file exists (" + narrow(icon) + ")");
    check(!entry.command.empty(), "it has an Uninstall command");
    std::printf("uninstall: %s\n", narrow(entry.command).c_str());
}

struct FoundText {
    DWORD process;
    std::wstring text;
    HWND box = nullptr;
};

// Whether a window of the process holds a child control showing the text.
BOOL CALLBACK findText(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<FoundText*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != found->process || !IsWindowVisible(window)) {
        return TRUE;
    }
    EnumChildWindows(
        window,
        [](HWND child, LPARAM inner) -> BOOL {
            auto* wanted = reinterpret_cast<FoundText*>(inner);
            if (tintora::win32::windowText(child).find(wanted->text) != std::wstring::npos) {
                wanted->box = GetAncestor(child, GA_ROOT);
                return FALSE;
            }
            return TRUE;
        },
        param);
    return found->box == nullptr;
}

void checkRefused(const std::wstring& package, const std::wstring& message) {
    std::wstring commandLine = L"msiexec.exe /i \"" + package + L"\" /qb";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    check(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process),
          "msiexec started");
    FoundText found{process.dwProcessId, message};
    for (int i = 0; i < 3000 && found.box == nullptr; ++i) {
        EnumWindows(findText, reinterpret_cast<LPARAM>(&found));
        Sleep(10);
    }
    check(found.box != nullptr, "msiexec showed \"" + narrow(message) + "\"");
    PostMessageW(found.box, WM_COMMAND, IDOK, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    check(ended && exitCode == ERROR_INSTALL_FAILURE,
          "msiexec ended with 1603, the installation failed (" + std::to_string(exitCode) + ")");
}

void checkRun(const std::wstring& path) {
    const ProgramRun run = tintora::testing::runAndClose(path);
    check(run.windowShown, "the window Tintora1.1 of " + narrow(path) + " came up");
    check(run.ended && run.exitCode == 0,
          "closing it ended the program with exit code 0 (" + std::to_string(run.exitCode) + ")");
}

} // namespace

int wmain(int argc, wchar_t* argv[]) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"installed" && (argc == 3 || argc == 4)) {
        checkInstalled(argv[2], argc == 4 ? argv[3] : nullptr);
    } else if (command == L"start-menu" && argc == 2) {
        const std::wstring target = shortcutTarget(shortcutPath());
        check(!target.empty(), "the Start-menu shortcut has a target");
        checkRun(target);
    } else if (command == L"run" && argc == 3) {
        checkRun(tintora::testing::windowsPathOf(narrow(argv[2]).c_str()));
    } else if (command == L"refused" && argc == 4) {
        checkRefused(tintora::testing::windowsPathOf(narrow(argv[2]).c_str()), argv[3]);
    } else {
        std::fprintf(stderr, "usage: downloads_probe installed VERSION [EXTRA_FILE] | start-menu | "
                             "run UNIX_PATH | refused UNIX_PATH MESSAGE\n");
        return 2;
    }
    CoUninitialize();
    return 0;
}
