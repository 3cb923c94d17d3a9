#include "frontend/settings_win32.h"

#include <windows.h>

#include <string>

namespace {

struct WindowsSettings : SettingsPlatform {
    void getProfileString(const char* section, const char* key, const char* fallback, char* buffer, uint32_t size,
                          const char* file) override {
        GetPrivateProfileStringA(section, key, fallback, buffer, size, file);
    }
    int32_t writeProfileString(const char* section, const char* key, const char* value, const char* file) override {
        return WritePrivateProfileStringA(section, key, value, file);
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
};

WindowsSettings windowsSettings;

}  // namespace

SettingsPlatform& WindowsSettingsPlatform() { return windowsSettings; }
