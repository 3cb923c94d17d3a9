#include "frontend/staging_win32.h"

#include <windows.h>

#include <cstring>

#include "diagnostics/failure_log_win32.h"
#include "text/code_page_win32.h"

namespace {

// The most a staged file may hold: the largest, the backdrop, is under 1 MiB.
const DWORD kLargestStagedFile = 64u << 20;

// The name itself, a link as a link, where the system can open links so.
HANDLE openName(const std::string& path, DWORD access) {
    return CreateFileW(widenAnsi(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool deleteOnClose(HANDLE handle) {
    FILE_DISPOSITION_INFO disposition;
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool readAll(HANDLE file, std::vector<uint8_t>& bytes) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart < 0 || size.QuadPart > kLargestStagedFile) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() ||
           (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
}

struct WindowsStagingFiles : StagingFiles {
    DWORD error = 0;

    bool failed() {
        error = GetLastError();
        return false;
    }
    FolderKind folderKind(const std::string& path) override {
        const DWORD attributes = GetFileAttributesW(widenAnsi(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return FolderKind::Missing;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FolderKind::NotAFolder;
        return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) ? FolderKind::Link : FolderKind::Plain;
    }
    bool removeFolderLink(const std::string& path) override {
        // Deleted through a handle that is the link itself. A system that
        // opens the folder behind the link instead (Wine resolves it) would
        // delete or rename that folder by any call on the name: leave it.
        HANDLE link = openName(path, DELETE | FILE_READ_ATTRIBUTES);
        if (link == INVALID_HANDLE_VALUE) return failed();
        BY_HANDLE_FILE_INFORMATION info;
        bool removed = false;
        if (!GetFileInformationByHandle(link, &info))
            failed();
        else if (!(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            error = ERROR_NOT_SUPPORTED;
        else
            removed = deleteOnClose(link) || failed();
        CloseHandle(link);
        return removed;
    }
    bool makeFolder(const std::string& path) override {
        return CreateDirectoryW(widenAnsi(path).c_str(), nullptr) || failed();
    }
    FoundFile inspect(const std::string& path) override {
        FoundFile found;
        HANDLE file = openName(path, FILE_READ_ATTRIBUTES);
        if (file == INVALID_HANDLE_VALUE) return found;
        BY_HANDLE_FILE_INFORMATION info;
        if (GetFileInformationByHandle(file, &info)) {
            found.exists = true;
            found.link = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            found.names = info.nNumberOfLinks;
        }
        CloseHandle(file);
        return found;
    }
    std::string temporaryName(const std::string& path) override {
        return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    }
    bool writeNew(const std::string& path, const std::vector<uint8_t>& bytes) override {
        HANDLE file = CreateFileW(widenAnsi(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return failed();
        DWORD written = 0;
        const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size();
        if (!ok) {
            failed();
            deleteOnClose(file);
        }
        CloseHandle(file);
        return ok;
    }
    bool replace(const std::string& from, const std::string& to) override {
        return MoveFileExW(widenAnsi(from).c_str(), widenAnsi(to).c_str(), MOVEFILE_REPLACE_EXISTING) || failed();
    }
    bool remove(const std::string& path) override { return DeleteFileW(widenAnsi(path).c_str()) || failed(); }
    bool hold(const std::string& path, std::vector<uint8_t>& bytes) override {
        HANDLE file = CreateFileW(widenAnsi(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return failed();
        if (GetFileType(file) == FILE_TYPE_DISK && readAll(file, bytes)) return true;  // kept open
        failed();
        CloseHandle(file);
        return false;
    }
    std::string lastError() override { return systemErrorText(error); }
};

}  // namespace

StagingFiles& windowsStagingFiles() {
    static WindowsStagingFiles files;
    return files;
}
