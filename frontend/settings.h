// The settings file beside the program: section "Section", three keys whose
// names are stored as Shift-JIS bytes whatever the system's code page.
#pragma once
#include <string>

// Shift-JIS bytes of the key names.
extern const char* const kKeyBgmKind;         // "BGM区分"
extern const char* const kKeyBgmRepeatTrack;  // "BGMﾘﾋﾟｰﾄ"
extern const char* const kKeyBgmFile;         // "BGMﾌｧｲﾙ"
extern const char* const kSettingsSection;    // "Section"

std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file);
void WriteSetting(const std::string& section, const std::string& key, const std::string& value, const std::string& file);
bool FileExists(const std::string& path);
std::string FolderOfPath(const std::string& path);
void LoadSettings();

// Program folder + "\Kestrine.ini".
std::string SettingsFilePath();
