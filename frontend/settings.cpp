#include "frontend/settings.h"

#include <cstring>

#include "diagnostics/failure_log.h"
#include "frontend/number_text.h"
#include "frontend/program_state.h"
#include "frontend/settings_location.h"
#include "frontend/skip_on_error.h"

const char* const kKeyBgmKind = "BGM\x8b\xe6\x95\xaa";
const char* const kKeyBgmRepeatTrack = "BGM\xd8\xcb\xdf\xb0\xc4";
const char* const kKeyBgmFile = "BGM\xcc\xa7\xb2\xd9";
const char* const kSettingsSection = "Section";
const char* const kSettingsFileName = "Kestrine.ini";

namespace {

// Stands in until a platform is installed: no file, no folder, nothing opens.
struct AbsentPlatform : SettingsPlatform {
    void getProfileString(const char*, const char*, const char* fallback, char* buffer, uint32_t size,
                          const char*) override {
        if (size == 0) return;
        size_t n = std::strlen(fallback);
        if (n > size - 1) n = size - 1;
        std::memcpy(buffer, fallback, n);
        buffer[n] = '\0';
    }
    int32_t writeProfileString(const char*, const char*, const char*, const char*) override { return 0; }
    bool openForReading(const std::string&) override { return false; }
    std::string programFolder() override { return std::string(); }
    std::string userDataFolder() override { return std::string(); }
    void makeFolder(const std::string&) override {}
};

AbsentPlatform absentPlatform;
SettingsPlatform* activePlatform = &absentPlatform;

// A section or key name as the fixed 128-character buffer holds it: only the
// first 127 characters, and nothing after an embedded NUL.
std::string asNameBuffer(const std::string& name) {
    const size_t kNameLimit = 127;
    std::string text = name.substr(0, kNameLimit);
    const size_t nul = text.find('\0');
    if (nul != std::string::npos) text.resize(nul);
    return text;
}

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

SettingsPlatform& activeSettingsPlatform() { return *activePlatform; }

void useSettingsPlatform(SettingsPlatform* platform) { activePlatform = platform ? platform : &absentPlatform; }

std::string ReadSetting(const std::string& section, const std::string& key, const std::string& file) {
    const uint32_t kBufferSize = 256;
    char buffer[kBufferSize + 1];
    std::memset(buffer, 0, sizeof buffer);  // the extra byte keeps a NUL even if the call fills all 256
    activePlatform->getProfileString(section.c_str(), key.c_str(), "", buffer, kBufferSize, file.c_str());
    return std::string(buffer);
}

bool WriteSetting(const std::string& section, const std::string& key, const std::string& value,
                  const std::string& file) {
    return activePlatform->writeProfileString(asNameBuffer(section).c_str(), asNameBuffer(key).c_str(), value.c_str(),
                                              file.c_str()) != 0;
}

bool FileExists(const std::string& path) {
    std::string name = path;
    if (!name.empty() && name.back() == '\\') name.pop_back();
    if (name.empty()) return false;
    return activePlatform->openForReading(name);
}

std::string FolderOfPath(const std::string& path) {
    const size_t last = path.find_last_of(":\\");
    std::string folder = (last == std::string::npos) ? std::string() : path.substr(0, last + 1);
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string settingsFilePath() { return activePlatform->programFolder() + "\\" + kSettingsFileName; }

void LoadSettings() {
    const std::string ini = settingsFileToRead();
    skipOnError([&] { loadWholeNumber(ini, kKeyBgmKind, BgmKind); });
    skipOnError([&] { loadWholeNumber(ini, kKeyBgmRepeatTrack, BgmRepeatTrack); });
    skipOnError([] { BgmFolder = activePlatform->programFolder(); });
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
