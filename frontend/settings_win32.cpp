#include "frontend/settings_win32.h"

#include "frontend/ascii_case.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "diagnostics/failure_log_win32.h"
#include "text/code_page_win32.h"

namespace {

struct WindowsSettings : SettingsPlatform {
    void getProfileString(const char* section, const char* key, const char* fallback, char* buffer, uint32_t size,
                          const char* file) override {
        GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
    }
    int32_t writeProfileString(const char* section, const char* key, const char* value, const char* file) override {
        const BOOL written = WritePrivateProfileStringA(section, key, value, file);
        if (!written) logLastError(std::string("the settings file ") + file + " cannot be written");
        return written;
    }
    bool openForReading(const std::string& path) override {
        // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS, so it
        // counts as missing, as an unreadable file does.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        CloseHandle(file);
        return true;
    }
    std::string programFolder() override {
        char path[MAX_PATH + 1] = {};
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return std::string();
        std::string folder(path, length);
        const size_t slash = folder.find_last_of("\\/");
        folder.resize(slash == std::string::npos ? 0 : slash);
        return folder;
    }
    std::string userDataFolder() override {
        wchar_t wide[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, wide))) return std::string();
        // The profile functions take ANSI paths. A folder name the code page
        // cannot hold would come back as other characters, naming some other
        // place or none: such a folder counts as unknown.
        std::string folder = narrowAnsi(wide);
        if (folder.empty() || widenAnsi(folder) != wide) return std::string();
        if (folder.back() == '\\') folder.pop_back();
        return folder;
    }
    void makeFolder(const std::string& path) override {
        if (!CreateDirectoryA(path.c_str(), nullptr)) logFolderNotMade("the settings folder", path);
    }
    std::string fileIdentity(const std::string& path) override {
        // A file that exists: its volume and index, which no spelling changes.
        HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            BY_HANDLE_FILE_INFORMATION info = {};
            const BOOL known = GetFileInformationByHandle(file, &info);
            CloseHandle(file);
            if (known)
                return "file " + std::to_string(info.dwVolumeSerialNumber) + " " +
                       std::to_string((static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
                                      info.nFileIndexLow);
        }
        // One yet to be made: the long form of its folder, then its name.
        char full[MAX_PATH] = {};
        char* name = nullptr;
        const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, &name);
        if (n == 0 || n >= MAX_PATH || name == nullptr) return std::string();
        const std::string fileName = name;
        *name = '\0';
        char folder[MAX_PATH] = {};
        const DWORD m = GetLongPathNameA(full, folder, MAX_PATH);
        if (m == 0 || m >= MAX_PATH) return std::string();
        return "name " + upperAscii(std::string(folder) + fileName);
    }
};

WindowsSettings windowsSettings;

}  // namespace

SettingsPlatform& windowsSettingsPlatform() { return windowsSettings; }
