#include "frontend/settings.h"

#include "diagnostics/failure_log.h"
#include "frontend/number_text.h"
#include "frontend/program_state.h"
#include "frontend/settings_location.h"
#include "frontend/skip_on_error.h"

namespace {

// A 16-bit setting: empty gives 0; text that is not a number or does not fit
// leaves the variable as it is.
void loadWholeNumber(const std::string& file, const char* key, int16_t& variable) {
    const std::string text = ReadSetting(kSettingsSection, key, file);
    if (text.empty()) {
        variable = 0;
        return;
    }
    readFloor16(text, variable);
}

void dropFileMusic() {
    BgmFile.clear();
    if (BgmKind == 2) BgmKind = 0;
}

}  // namespace

void LoadSettings() {
    const std::string ini = settingsFileToRead();
    skipOnError([&] { loadWholeNumber(ini, kKeyBgmKind, BgmKind); });
    skipOnError([&] { loadWholeNumber(ini, kKeyBgmRepeatTrack, BgmRepeatTrack); });
    skipOnError([] { BgmFolder = activeSettingsPlatform().programFolder(); });
    skipOnError([&] {
        const std::string file = ReadSetting(kSettingsSection, kKeyBgmFile, ini);
        if (file.empty()) {
            dropFileMusic();
            return;
        }
        BgmFile = file;
        if (FileExists(BgmFile)) {
            BgmFolder = FolderOfPath(BgmFile);
        } else {
            logFailure("the music file " + BgmFile + " cannot be opened; no music plays", "");
            dropFileMusic();
        }
    });
}
