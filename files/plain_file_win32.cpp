#include "files/plain_file_win32.h"

#include <windows.h>

#include "diagnostics/failure_log.h"

namespace {

// What stands at path where it is no plain file; empty for a plain file or
// one that does not open.
std::string whatIsFound(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 0) {
        const std::string folder = path.substr(0, slash);
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return folder + " is a link to a folder";
    }
    HANDLE file =
        CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string found;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file) != FILE_TYPE_DISK)
        found = "it is no file on a disk";
    else if (!GetFileInformationByHandle(file, &info))
        found = "its kind cannot be told";
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        found = "it is a link to another file";
    else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        found = "it is a folder";
    CloseHandle(file);
    return found;
}

}  // namespace

bool stagedFileIsPlain(const std::string& what, const std::string& path) {
    const std::string found = whatIsFound(path);
    if (found.empty()) return true;
    logFailure(what + " " + path + " cannot be read", found);
    return false;
}
