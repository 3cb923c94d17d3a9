// The settings file beside the program: section "Section", three keys whose
// names are stored as Shift-JIS bytes whatever the system's code page.
#pragma once
#include <cstdint>
#include <string>

// Shift-JIS bytes of the key names.
extern const char* const kKeyBgmKind;         // "BGM区分"
extern const char* const kKeyBgmRepeatTrack;  // "BGMﾘﾋﾟｰﾄ"
extern const char* const kKeyBgmFile;         // "BGMﾌｧｲﾙ"
extern const char* const kSettingsSection;    // "Section"

std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file);
void WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file);
bool FileExists(const std::string& path);
std::string FolderOfPath(const std::string& path);
void LoadSettings();

// Program folder + "\Kestrine.ini".
std::string SettingsFilePath();

// The system calls behind the helpers above: the profile functions, opening a
// file for reading, and the program's folder. Windows supplies the real ones
// (settings_win32.cpp); tests supply their own.
struct SettingsPlatform {
    virtual ~SettingsPlatform() = default;
    // GetPrivateProfileStringA: copies at most size - 1 bytes of the value
    // (or of the default) into buffer, then a NUL.
    virtual void getProfileString(const char* section, const char* key, const char* fallback, char* buffer,
                                  uint32_t size, const char* file) = 0;
    // WritePrivateProfileStringA; its result.
    virtual int32_t writeProfileString(const char* section, const char* key, const char* value, const char* file) = 0;
    // Opens the file for sequential reading and closes it again; false for a
    // missing file, a folder or any failure.
    virtual bool openForReading(const std::string& path) = 0;
    // The program's own folder, with no trailing backslash.
    virtual std::string programFolder() = 0;
};

// The platform the helpers use; the Windows program installs its own at start.
SettingsPlatform& ActiveSettingsPlatform();
void UseSettingsPlatform(SettingsPlatform* platform);
