#include "frontend/settings_location.h"

#include "frontend/ascii_case.h"
#include "frontend/program_state.h"
#include "frontend/settings_file.h"

namespace {

// Windows paths compare without regard to case.
bool samePath(const std::string& a, const std::string& b) { return upperAscii(a) == upperAscii(b); }

// The three keys in their order; false at the first write the system refuses.
bool writeAllSettings(const std::string& file) {
    return WriteSetting(kSettingsSection, kKeyBgmKind, std::to_string(BgmKind), file) &&
           WriteSetting(kSettingsSection, kKeyBgmRepeatTrack, std::to_string(BgmRepeatTrack), file) &&
           WriteSetting(kSettingsSection, kKeyBgmFile, BgmFile, file);
}

// The user's own file when it exists, else the one beside the programs.
std::string fileToRead(const std::string& user) {
    return !user.empty() && FileExists(user) ? user : settingsFilePath();
}

}  // namespace

std::string userSettingsFilePath() {
    const std::string folder = activeSettingsPlatform().userDataFolder();
    if (folder.empty()) return std::string();
    return folder + "\\Kestrine\\" + kSettingsFileName;
}

std::string settingsFileToRead() { return fileToRead(userSettingsFilePath()); }

SettingsSave saveSettings() {
    const std::string user = userSettingsFilePath();
    const std::string first = fileToRead(user);
    std::vector<std::string> files = {first};
    // Once the user's file exists it is read first, so only a write there keeps
    // a choice; until then it is where a refused write beside the programs goes.
    if (!user.empty() && !samePath(first, user)) files.push_back(user);

    SettingsSave save;
    for (const std::string& file : files) {
        if (file == user) activeSettingsPlatform().makeFolder(FolderOfPath(user));
        save.tried.push_back(file);
        if (writeAllSettings(file)) {
            save.saved = true;
            save.file = file;
            break;
        }
    }
    return save;
}

std::string saveFailureText(const SettingsSave& save) {
    std::string text = "The settings could not be saved.\n";
    for (const std::string& file : save.tried) text += "\n" + file;
    return text;
}
