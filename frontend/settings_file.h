// The settings file's primitives: section "Section", three keys whose names
// are stored as Shift-JIS bytes whatever the system's code page, reading and
// writing one value, and the system calls behind them. Loading the settings
// (settings.h) and choosing the file (settings_location.h) both build on these.
#pragma once
#include <cstdint>
#include <string>

// Shift-JIS bytes of the key names.
extern const char* const kKeyBgmKind;         // "BGM区分"
extern const char* const kKeyBgmRepeatTrack;  // "BGMﾘﾋﾟｰﾄ"
extern const char* const kKeyBgmFile;         // "BGMﾌｧｲﾙ"
extern const char* const kSettingsSection;    // "Section"
extern const char* const kSettingsFileName;   // "Kestrine.ini"

std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file);
// True when the system wrote the value.
bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file);
bool FileExists(const std::string& path);
std::string FolderOfPath(const std::string& path);

// The file beside the programs: program folder + "\Kestrine.ini".
std::string settingsFilePath();

// The system calls behind the helpers above: the profile functions, opening a
// file for reading, the program's folder, the user's own folder and making a
// folder. Windows supplies the real ones (settings_win32.cpp); tests supply
// their own.
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
    // The user's roaming application-data folder (%APPDATA%), with no
    // trailing backslash; empty when the system names none, or when its path
    // does not survive the ANSI code page that every path here goes through.
    virtual std::string userDataFolder() = 0;
    // Creates one folder; one that already exists is the normal case. A
    // failure shows in the write that follows.
    virtual void makeFolder(const std::string& path) = 0;
    // What the path names, the same however it is spelt (long or short
    // form, letter case, relative parts): two paths with the same nonempty
    // identity name one file. Empty when the system cannot tell.
    virtual std::string fileIdentity(const std::string& /*path*/) { return std::string(); }
};

// The platform the helpers use; the Windows program installs its own at start.
SettingsPlatform& activeSettingsPlatform();
void useSettingsPlatform(SettingsPlatform* platform);
