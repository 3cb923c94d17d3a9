// The settings file through the real profile functions under Wine. Copied
// into a folder of its own, where Kestrine.ini then lives beside it.
//   frontend_ini REPORT write-platform   the platform writes the Shift-JIS keys; LoadSettings reads them
//   frontend_ini REPORT write-program    WriteSetting writes the three keys and ReadSetting reads them back
//   frontend_ini REPORT folder PATH      FileExists on a folder, with and without a trailing backslash
// Writes "key value" lines to REPORT; exit 0 when every check passed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "expected_contract.h"
#include "frontend/program_state.h"
#include "frontend/settings.h"
#include "frontend/settings_win32.h"
#include "test_report.h"

namespace {

using test_report::check;
using test_report::note;

// A music file path with Shift-JIS text in it ("音楽" folder).
const std::string kMusicFolder = "C:\\kini\\\x89\xb9\x8a\x79";
const std::string kMusicFile = kMusicFolder + "\\lake.mp3";

void writePlatform() {
    const std::string ini = settingsFilePath();
    note("ini", ini);
    CreateDirectoryA(kMusicFolder.c_str(), nullptr);
    FILE* music = std::fopen(kMusicFile.c_str(), "wb");
    if (music) {
        std::fputs("ID3", music);
        std::fclose(music);
    }
    // The keys spelled out byte by byte, as a Japanese system writes them.
    WritePrivateProfileStringA(EXPECTED_SETTINGS_SECTION, EXPECTED_KEY_KIND, "2", ini.c_str());
    WritePrivateProfileStringA(EXPECTED_SETTINGS_SECTION, EXPECTED_KEY_REPEAT, "7", ini.c_str());
    WritePrivateProfileStringA(EXPECTED_SETTINGS_SECTION, EXPECTED_KEY_FILE, kMusicFile.c_str(), ini.c_str());
    LoadSettings();
    note("kind", std::to_string(BgmKind));
    note("repeat", std::to_string(BgmRepeatTrack));
    check(BgmKind == 2, "kind_read");
    check(BgmRepeatTrack == 7, "repeat_read");
    check(BgmFile == kMusicFile, "file_read");
    check(BgmFolder == kMusicFolder, "folder_from_file");
}

void writeProgram() {
    const std::string ini = settingsFilePath();
    const std::string longValue = "C:\\" + std::string(300, 'v');
    WriteSetting(kSettingsSection, kKeyBgmKind, "1", ini);
    WriteSetting(kSettingsSection, kKeyBgmRepeatTrack, "12", ini);
    check(WriteSetting(kSettingsSection, kKeyBgmFile, kMusicFile, ini), "write_result");
    check(ReadSetting(kSettingsSection, kKeyBgmKind, ini) == "1", "kind_back");
    check(ReadSetting(kSettingsSection, kKeyBgmRepeatTrack, ini) == "12", "repeat_back");
    check(ReadSetting(kSettingsSection, kKeyBgmFile, ini) == kMusicFile, "file_back");
    // Only the keys' own bytes find the values: the UTF-8 spelling does not.
    check(ReadSetting(kSettingsSection, "BGM\xe5\x8c\xba\xe5\x88\x86", ini).empty(), "utf8_key_absent");
    WriteSetting(kSettingsSection, "Long", longValue, ini);
    check(ReadSetting(kSettingsSection, "Long", ini) == longValue.substr(0, 255), "long_value_cut");
    WriteSetting(kSettingsSection, "Long", "", ini);
    check(ReadSetting(kSettingsSection, "Long", ini).empty(), "empty_value");
}

void folderChecks(const std::string& folder) {
    WriteSetting(kSettingsSection, kKeyBgmKind, "0", settingsFilePath());
    check(!FileExists(folder), "folder_is_not_a_file");
    check(!FileExists(folder + "\\"), "folder_backslash_is_not_a_file");
    check(FileExists(settingsFilePath()), "ini_exists");
    check(FileExists(settingsFilePath() + "\\"), "ini_backslash_exists");
    check(!FileExists(folder + "\\missing.mp3"), "missing_file");
}

const test_report::Scenario kScenarios[] = {
    {"write-platform", 0, [](char**) { writePlatform(); }},
    {"write-program", 0, [](char**) { writeProgram(); }},
    {"folder", 1, [](char** words) { folderChecks(words[0]); }},
};

}  // namespace

int main(int argc, char** argv) {
    useSettingsPlatform(&windowsSettingsPlatform());
    return test_report::runScenario(argc, argv, kScenarios);
}
