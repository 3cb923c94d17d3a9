// Looks for a top-level window by its caption from another process, as a
// second copy of the front end would.
//   frontend_window_probe REPORT find CAPTION   "found 0|1", "visible 0|1", "pid N"
//   frontend_window_probe REPORT kill CAPTION   ends the window's process by its id
//   frontend_window_probe REPORT close CAPTION  posts WM_CLOSE to the window
//   frontend_window_probe REPORT endsession CAPTION  sends WM_QUERYENDSESSION, then WM_ENDSESSION, as a log-off does
//   frontend_window_probe REPORT texts CAPTION  "text T" for each child window in UTF-8 (a message box's message, its button)
// Exit 0 when the window exists (find) or its process was ended (kill).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

BOOL CALLBACK reportText(HWND child, LPARAM report) {
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
    std::fprintf(reinterpret_cast<FILE*>(report), "text %s\n", line.c_str());
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    FILE* report = std::fopen(argv[1], "w");
    if (!report) return 2;
    HWND window = FindWindowA(nullptr, argv[3]);
    DWORD pid = 0;
    if (window) GetWindowThreadProcessId(window, &pid);
    std::fprintf(report, "found %d\nvisible %d\npid %lu\n", window ? 1 : 0, window && IsWindowVisible(window) ? 1 : 0,
                 pid);
    int result = window ? 0 : 1;
    if (std::strcmp(argv[2], "kill") == 0 && window) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        result =
            process && TerminateProcess(process, 9) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0 ? 0 : 1;
        std::fprintf(report, "killed %d\n", result == 0 ? 1 : 0);
        if (process) CloseHandle(process);
    }
    if (std::strcmp(argv[2], "close") == 0 && window) {
        result = PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(argv[2], "endsession") == 0 && window) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
        if (IsWindow(window)) {
            SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
        }
        result = 0;
    }
    if (std::strcmp(argv[2], "texts") == 0 && window) {
        EnumChildWindows(window, reportText, reinterpret_cast<LPARAM>(report));
    }
    std::fclose(report);
    return result;
}
