// Looks for a top-level window by its caption from another process, as a
// second copy of the front end would, and acts on it.
//   frontend_window_probe REPORT find CAPTION        "found 0|1", "visible 0|1", "pid N"
//   frontend_window_probe REPORT kill CAPTION        ends the window's process by its id
//   frontend_window_probe REPORT close CAPTION       posts WM_CLOSE to the window
//   frontend_window_probe REPORT endsession CAPTION  sends WM_QUERYENDSESSION, then WM_ENDSESSION, as a log-off does
//   frontend_window_probe REPORT texts CAPTION  "text T" for each child window in UTF-8 (a message box's message, its button)
//   frontend_window_probe REPORT fill CAPTION TEXT  puts TEXT into the edit box of the window's open popup (a chooser)
//   frontend_window_probe REPORT tamper FILE    tries to write, replace and delete a file the saver holds:
//                                                "write|replace|delete error N", each refused with 32 or 5
// Exit 0 when the window exists and the action was done.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "test_report.h"

namespace {

bool endProcess(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    const bool ended = process && TerminateProcess(process, 9) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended;
}

BOOL CALLBACK reportText(HWND child, LPARAM) {
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    char utf8[4096] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    // One line per window: the message's line breaks become " | ".
    std::string line;
    for (const char* c = utf8; *c; ++c) {
        if (*c == '\n')
            line += " | ";
        else if (*c != '\r')
            line += *c;
    }
    test_report::note("text", line);
    return TRUE;
}

BOOL CALLBACK findEdit(HWND child, LPARAM found) {
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The text from the wide command line: the ANSI one cannot carry every character.
void fillPopup(HWND owner) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    HWND edit = nullptr;
    EnumChildWindows(GetLastActivePopup(owner), findEdit, reinterpret_cast<LPARAM>(&edit));
    test_report::check(edit != nullptr && args != nullptr && count > 4, "edit");
    if (edit && args && count > 4) SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[4]));
    LocalFree(args);
}

void endSession(HWND window) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    if (IsWindow(window))
        SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
}

void refused(bool failed, const char* what) {
    const DWORD error = failed ? GetLastError() : 0;
    test_report::note(what, "error " + std::to_string(error));
    test_report::check(error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED, "refused");
}

int tamper(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    refused(file == INVALID_HANDLE_VALUE, "write");
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    const std::string other = path + ".probe";
    file = CreateFileA(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    refused(!MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING), "replace");
    DeleteFileA(other.c_str());
    refused(!DeleteFileA(path.c_str()), "delete");
    return test_report::finish();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    if (!test_report::open(argv[1])) return 2;
    const std::string action = argv[2];
    if (action == "tamper") return tamper(argv[3]);
    HWND window = FindWindowA(nullptr, argv[3]);
    DWORD pid = 0;
    if (window) GetWindowThreadProcessId(window, &pid);
    test_report::note("found", window ? "1" : "0");
    test_report::note("visible", window && IsWindowVisible(window) ? "1" : "0");
    test_report::note("pid", std::to_string(pid));
    test_report::check(window != nullptr, "window");
    if (window && action == "kill") test_report::check(endProcess(pid), "killed");
    if (window && action == "close") test_report::check(PostMessageA(window, WM_CLOSE, 0, 0) != FALSE, "closed");
    if (window && action == "endsession") endSession(window);
    if (window && action == "texts") EnumChildWindows(window, reportText, 0);
    if (window && action == "fill") fillPopup(window);
    return test_report::finish();
}
