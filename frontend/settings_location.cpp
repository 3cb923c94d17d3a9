#include "frontend/settings_location.h"

#include "frontend/ascii_case.h"
#include "frontend/program_state.h"
#include "frontend/settings_file.h"

namespace {

// Two paths name one file when they are spelt alike without regard to case,
// or when the system finds the same file behind both: Windows starts a saver
// by its short (8.3) path, the settings dialog by its long one.
bool sameFile(const std::string& a, const std::string& b) {
    if (upperAscii(a) == upperAscii(b)) return true;
    const std::string identity = activeSettingsPlatform().fileIdentity(a);
    return !identity.empty() && identity == activeSettingsPlatform().fileIdentity(b);
}

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
    if (!user.empty() && !sameFile(first, user)) files.push_back(user);

    SettingsSave save;
    for (const std::string& file : files) {
        if (sameFile(file, user)) activeSettingsPlatform().makeFolder(FolderOfPath(user));
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
