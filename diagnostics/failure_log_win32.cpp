// Appends the failure log's lines. Both programs, in any number of sessions,
// may write at once: each line goes out in one write to a file opened for
// appending only, so lines never interleave; the size check and the rename
// to Kestrine.log.1 happen under a named mutex, so one writer cannot rotate
// away a log another has just started. Nothing here may fail the program:
// every failure to log is ignored.
#include "diagnostics/failure_log_win32.h"

#include <windows.h>
#include <shlobj.h>

#include "text/code_page_win32.h"

namespace {

// How long a writer waits for another to finish its line; past it the line
// is still written, only without rotating.
const DWORD kLogMutexWaitMs = 2000;

std::string utf8FromAnsi(const std::string& ansi) { return narrowUtf8(widenAnsi(ansi)); }

// One user's sessions share the log; a mutex in the global namespace spans
// them. Where that namespace is closed to this user, the session's own one
// still keeps the two programs apart.
HANDLE openLogMutex() {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Global\\KestrineFailureLog");
    if (mutex == nullptr) mutex = CreateMutexW(nullptr, FALSE, L"Local\\KestrineFailureLog");
    return mutex;
}

HANDLE openForAppending(const std::wstring& path) {
    return CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void appendLine(const std::wstring& path, const std::string& line) {
    HANDLE mutex = openLogMutex();
    const DWORD wait = mutex ? WaitForSingleObject(mutex, kLogMutexWaitMs) : WAIT_FAILED;
    const bool owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    HANDLE file = openForAppending(path);
    LARGE_INTEGER size;
    if (file != INVALID_HANDLE_VALUE && owned && GetFileSizeEx(file, &size) &&
        logNeedsRotation(static_cast<uint64_t>(size.QuadPart), line.size())) {
        CloseHandle(file);
        MoveFileExW(path.c_str(), (path + L".1").c_str(), MOVEFILE_REPLACE_EXISTING);
        file = openForAppending(path);
    }
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(file);
    }
    if (owned) ReleaseMutex(mutex);
    if (mutex) CloseHandle(mutex);
}

void writeLogLine(const std::string& what, const std::string& reason) {
    const DWORD lastError = GetLastError();
    try {
        const std::wstring folder = diagnosticsFolder();
        if (!folder.empty()) {
            const std::string line = formatLogLine(localLogTime(), programFileName(), GetCurrentProcessId(),
                                                   utf8FromAnsi(what), utf8FromAnsi(reason));
            appendLine(folder + L"\\Kestrine.log", line);
        }
    } catch (...) {
    }
    // Logging leaves no trace on the program's own error handling.
    SetLastError(lastError);
}

}  // namespace

void startFailureLog() { useFailureSink(writeLogLine); }

std::string systemErrorText(unsigned long code) {
    char* text = nullptr;
    const DWORD n =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = (n > 0 && text) ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    return message + (message.empty() ? "" : " ") + "(error " + std::to_string(code) + ")";
}

bool logLastError(const std::string& what) {
    const DWORD code = GetLastError();
    logFailure(what, systemErrorText(code));
    SetLastError(code);
    return false;
}

bool logUnusableFile(const std::string& what, const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return logLastError(what + " " + path + " cannot be read");
    CloseHandle(file);
    logFailure(what + " " + path + " is not valid", "its contents are short or inconsistent");
    return false;
}

void logFolderNotMade(const std::string& what, const std::string& path) {
    const DWORD code = GetLastError();
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    const std::string reason = attributes != INVALID_FILE_ATTRIBUTES ? "a file of that name is in the way" : "";
    logFailure(what + " " + path + " cannot be made", systemErrorText(code) + (reason.empty() ? "" : "; " + reason));
    SetLastError(code);
}

void logDisplayModeRefused(int width, int height, int bits, long result, const char* outcome) {
    const char* name = "an unknown result";
    switch (result) {
        case DISP_CHANGE_RESTART: name = "DISP_CHANGE_RESTART"; break;
        case DISP_CHANGE_FAILED: name = "DISP_CHANGE_FAILED"; break;
        case DISP_CHANGE_BADMODE: name = "DISP_CHANGE_BADMODE"; break;
        case DISP_CHANGE_NOTUPDATED: name = "DISP_CHANGE_NOTUPDATED"; break;
        case DISP_CHANGE_BADFLAGS: name = "DISP_CHANGE_BADFLAGS"; break;
        case DISP_CHANGE_BADPARAM: name = "DISP_CHANGE_BADPARAM"; break;
        case DISP_CHANGE_BADDUALVIEW: name = "DISP_CHANGE_BADDUALVIEW"; break;
        default: break;
    }
    logFailure("display mode " + std::to_string(width) + "x" + std::to_string(height) + "x" + std::to_string(bits) +
                   " refused, " + outcome,
               std::string(name) + " (" + std::to_string(result) + ")");
}

std::wstring diagnosticsFolder() {
    wchar_t local[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)) || !local[0])
        return std::wstring();
    std::wstring folder = local;
    if (folder.back() != L'\\') folder += L'\\';
    folder += L"Kestrine";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string programFileName() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return "Kestrine";
    const std::wstring full(path, n);
    const size_t slash = full.find_last_of(L"\\/");
    return narrowUtf8(slash == std::wstring::npos ? full : full.substr(slash + 1));
}

LogTime localLogTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LogTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
