#include "diagnostics/crash_report_win32.h"

#include <windows.h>
#include <dbghelp.h>

#include "diagnostics/crash_report.h"
#include "diagnostics/failure_log_win32.h"
#include "text/code_page_win32.h"

namespace {

void (*restoreProgram)() = nullptr;
volatile LONG crashing = 0;

// The module an address lies in, by file name, and the address's offset
// from the module's start; an empty name when it lies in none.
std::string moduleOf(const void* address, uint64_t& offset) {
    // A null address would name the program itself.
    if (address == nullptr) return std::string();
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const char*>(address), &module) ||
        module == nullptr)
        return std::string();
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
    if (n == 0) return std::string();
    const std::string full(path, n);
    if (reinterpret_cast<uintptr_t>(address) < reinterpret_cast<uintptr_t>(module)) return std::string();
    offset = reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(module);
    const size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

void logException(const EXCEPTION_RECORD& record) {
    uint64_t offset = 0;
    const std::string module = moduleOf(record.ExceptionAddress, offset);
    logFailure(
        crashDescription(record.ExceptionCode, module, offset, reinterpret_cast<uintptr_t>(record.ExceptionAddress)),
        "");
}

void removeOldDumps(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.dmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<CrashDump> dumps;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const uint64_t written =
            (uint64_t(found.ftLastWriteTime.dwHighDateTime) << 32) | found.ftLastWriteTime.dwLowDateTime;
        dumps.push_back(CrashDump{narrowUtf8(found.cFileName), written});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (const std::string& name : crashDumpsToRemove(dumps, kKeptCrashDumps))
        DeleteFileW((folder + L"\\" + widenUtf8(name)).c_str());
}

void writeMinidump(EXCEPTION_POINTERS* pointers) {
    const std::wstring base = diagnosticsFolder();
    if (base.empty()) return;
    const std::wstring folder = base + L"\\crashes";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::string name = crashDumpName(programFileName(), localLogTime(), GetCurrentProcessId());
    const std::wstring path = folder + L"\\" + widenUtf8(name);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        logLastError("crash report " + name + " cannot be written");
        return;
    }
    MINIDUMP_EXCEPTION_INFORMATION exception;
    exception.ThreadId = GetCurrentThreadId();
    exception.ExceptionPointers = pointers;
    exception.ClientPointers = FALSE;
    // Registered without loading any module's symbols: otherwise the dump
    // loads them all first, which with a GL driver's large libraries took
    // half a minute under Wine and filled the dump with thousands of memory
    // ranges. Only the threads' stacks belong in a small dump.
    SymSetOptions(SymGetOptions() | SYMOPT_DEFERRED_LOADS);
    SymInitialize(GetCurrentProcess(), nullptr, FALSE);
    const BOOL written = MiniDumpWriteDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal, &exception,
                                           nullptr, nullptr);
    if (!written) logLastError("crash report " + name + " not written");
    CloseHandle(file);
    if (!written) DeleteFileW(path.c_str());
    removeOldDumps(folder);
}

LONG WINAPI reportCrash(EXCEPTION_POINTERS* pointers) {
    const DWORD code = pointers && pointers->ExceptionRecord ? pointers->ExceptionRecord->ExceptionCode
                                                             : EXCEPTION_NONCONTINUABLE_EXCEPTION;
    // A second fault, in the report itself or on another thread meanwhile,
    // only ends the process.
    if (InterlockedExchange(&crashing, 1) != 0) TerminateProcess(GetCurrentProcess(), code);
    try {
        if (restoreProgram) restoreProgram();
        if (pointers && pointers->ExceptionRecord) logException(*pointers->ExceptionRecord);
        writeMinidump(pointers);
    } catch (...) {
    }
    TerminateProcess(GetCurrentProcess(), code);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void installCrashReport(void (*restore)()) {
    restoreProgram = restore;
    SetUnhandledExceptionFilter(reportCrash);
}
