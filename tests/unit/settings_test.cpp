// The settings file's helpers and load rules over an in-memory profile store
// that behaves as the system's profile functions do (values cut to the
// buffer, sections and keys compared without regard to ASCII case).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "expected_contract.h"
#include "frontend/number_text.h"
#include "frontend/program_state.h"
#include "frontend/settings.h"
#include "frontend/settings_location.h"
#include "tests/unit/fake_system_in_use.h"

namespace {

std::string lowered(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

struct FakeProfiles : SettingsPlatform {
    std::map<std::string, std::string> values;  // "file|section|key" (lowered) -> value
    std::set<std::string> files;
    std::set<std::string> folders;
    std::string folder = "C:\\Saver";
    std::string userData;              // userDataFolder(); empty: unknown
    std::set<std::string> unwritable;  // files, or "file|key", whose writes fail (lowered)
    std::set<std::string> absent;      // folders not there until made; writes into them fail
    std::set<std::string> unmakeable;  // folders that cannot be made
    std::string lastSection, lastKey;
    int32_t writeResult = 1;

    static std::string slot(const char* file, const char* section, const char* key) {
        return lowered(std::string(file) + "|" + section + "|" + key);
    }
    void getProfileString(const char* section, const char* key, const char* fallback, char* buffer, uint32_t size,
                          const char* file) override {
        lastSection = section;
        lastKey = key;
        auto found = values.find(slot(file, section, key));
        const std::string text = found == values.end() ? std::string(fallback) : found->second;
        const size_t n = std::min<size_t>(text.size(), size - 1);
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    int32_t writeProfileString(const char* section, const char* key, const char* value, const char* file) override {
        lastSection = section;
        lastKey = key;
        if (unwritable.count(lowered(file)) || unwritable.count(lowered(std::string(file) + "|" + key)) ||
            absent.count(FolderOfPath(file)))
            return 0;
        values[slot(file, section, key)] = value;
        files.insert(file);
        return writeResult;
    }
    bool openForReading(const std::string& path) override { return files.count(path) != 0; }
    std::string programFolder() override { return folder; }
    std::string userDataFolder() override { return userData; }
    void makeFolder(const std::string& path) override {
        if (!unmakeable.count(path)) absent.erase(path);
    }
    std::map<std::string, std::string> identities;  // path -> the file it names
    std::string fileIdentity(const std::string& path) override { return identities[path]; }

    void set(const char* key, const std::string& value) {
        values[slot("C:\\Saver\\Kestrine.ini", "Section", key)] = value;
    }
};

struct SettingsTest : ::testing::Test {
    FakeProfiles profiles;
    SettingsPlatformInUse inUse{profiles};
};

TEST(SettingsKeys, AreTheShiftJisBytesOfTheJapaneseNames) {
    EXPECT_EQ(std::string(EXPECTED_KEY_KIND), kKeyBgmKind);
    EXPECT_EQ(std::string(EXPECTED_KEY_REPEAT), kKeyBgmRepeatTrack);
    EXPECT_EQ(std::string(EXPECTED_KEY_FILE), kKeyBgmFile);
    EXPECT_STREQ(EXPECTED_SETTINGS_SECTION, kSettingsSection);
}

TEST(NumberText, FloorAs16BitTable) {
    struct Row {
        const char* text;
        bool ok;
        int16_t value;
    };
    const Row rows[] = {
        {"2", true, 2},           {"2.9", true, 2},
        {"-1.5", true, -2},       {" 7 ", true, 7},
        {"+3", true, 3},          {"1e2", true, 100},
        {".5", true, 0},          {"5.", true, 5},
        {"32767", true, 32767},   {"32767.99", true, 32767},
        {"-32768", true, -32768}, {"-32768.5", false, 0},
        {"32768", false, 0},      {"70000", false, 0},
        {"1e400", false, 0},      {"abc", false, 0},
        {"2abc", false, 0},       {"", false, 0},
        {"-", false, 0},          {".", false, 0},
        {"1e", false, 0},         {"0x10", false, 0},
        {"inf", false, 0},        {"nan", false, 0},
        {"1 2", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        int16_t value = 99;
        EXPECT_EQ(row.ok, readFloor16(row.text, value));
        EXPECT_EQ(row.ok ? row.value : 99, value);  // a failed read leaves the variable alone
    }
}

TEST(FolderOfPath, ExamplesAndEdges) {
    EXPECT_EQ("C:\\Music", FolderOfPath("C:\\Music\\a.mp3"));
    EXPECT_EQ("C:", FolderOfPath("C:\\a.mp3"));
    EXPECT_EQ("", FolderOfPath("a.mp3"));
    EXPECT_EQ("C:", FolderOfPath("C:a.mp3"));
    EXPECT_EQ("C:\\Music", FolderOfPath("C:\\Music\\"));
    EXPECT_EQ("\\\\server\\share", FolderOfPath("\\\\server\\share\\x.wav"));
    EXPECT_EQ("", FolderOfPath(""));
    EXPECT_EQ("", FolderOfPath("\\"));
}

TEST_F(SettingsTest, ReadSettingCutsValuesTo255Bytes) {
    profiles.set(kKeyBgmFile, std::string(300, 'x'));
    const std::string value = ReadSetting("Section", kKeyBgmFile, "C:\\Saver\\Kestrine.ini");
    EXPECT_EQ(std::string(255, 'x'), value);
    EXPECT_EQ("", ReadSetting("Section", "missing", "C:\\Saver\\Kestrine.ini"));
    EXPECT_EQ("", ReadSetting("Other", kKeyBgmFile, "C:\\Saver\\Kestrine.ini"));
}

TEST_F(SettingsTest, WriteSettingLimitsSectionAndKeyTo127Characters) {
    const std::string longKey = std::string(127, 'k') + "TAIL";
    const std::string longSection = std::string(130, 's');
    EXPECT_TRUE(WriteSetting(longSection, longKey, "v", "C:\\f.ini"));
    EXPECT_EQ(std::string(127, 'k'), profiles.lastKey);
    EXPECT_EQ(std::string(127, 's'), profiles.lastSection);
    profiles.writeResult = 0;
    EXPECT_FALSE(WriteSetting("Section", "k", "v", "C:\\f.ini"));
    EXPECT_EQ("k", profiles.lastKey);
}

TEST_F(SettingsTest, TheFileLiesBesideTheProgram) { EXPECT_EQ("C:\\Saver\\Kestrine.ini", settingsFilePath()); }

TEST_F(SettingsTest, FileExistsDropsOneTrailingBackslashAndRefusesFolders) {
    profiles.files = {"C:\\Music\\a.mp3"};
    profiles.folders = {"C:\\Music"};
    EXPECT_TRUE(FileExists("C:\\Music\\a.mp3"));
    EXPECT_TRUE(FileExists("C:\\Music\\a.mp3\\"));
    EXPECT_FALSE(FileExists("C:\\Music\\a.mp3\\\\"));
    EXPECT_FALSE(FileExists("C:\\Music"));
    EXPECT_FALSE(FileExists("C:\\Music\\"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("\\"));
}

TEST_F(SettingsTest, NoFileGivesTheDefaults) {
    BgmKind = 5;
    BgmRepeatTrack = 5;
    LoadSettings();
    EXPECT_EQ(0, BgmKind);
    EXPECT_EQ(0, BgmRepeatTrack);
    EXPECT_EQ("", BgmFile);
    EXPECT_EQ("C:\\Saver", BgmFolder);
}

// The music file entry against the files there are: a file that is not
// there (or is a folder) drops file music; a CD keeps its kind whatever the
// entry; the folder is the file's when it is there, else the program's.
TEST_F(SettingsTest, MusicFileEntryRules) {
    struct Row {
        const char* existing;  // the one file there is, or none
        const char* kind;
        const char* file;
        int16_t wantKind;
        const char* wantFile;
        const char* wantFolder;
    };
    const Row rows[] = {
        {"D:\\Tunes\\lake.mp3", "2", "D:\\Tunes\\lake.mp3", 2, "D:\\Tunes\\lake.mp3", "D:\\Tunes"},
        {"", "2", "D:\\Tunes\\gone.mp3", 0, "", "C:\\Saver"},
        {"", "2", "", 0, "", "C:\\Saver"},
        {"", "2", "D:\\Tunes", 0, "", "C:\\Saver"},  // a folder counts as missing
        {"", "2", "D:\\Tunes\\", 0, "", "C:\\Saver"},
        {"", "1", "D:\\gone.wav", 1, "", "C:\\Saver"},
        {"D:\\here.wav", "1", "D:\\here.wav", 1, "D:\\here.wav", "D:"},
        {"C:\\a.wav", "2.9", "C:\\a.wav", 2, "C:\\a.wav", "C:"},  // 2.9 reads as 2
    };
    profiles.folders = {"D:\\Tunes"};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.kind) + " " + row.file);
        profiles.files.clear();
        if (*row.existing) profiles.files.insert(row.existing);
        profiles.set(kKeyBgmKind, row.kind);
        profiles.set(kKeyBgmRepeatTrack, "4");
        profiles.set(kKeyBgmFile, row.file);
        LoadSettings();
        EXPECT_EQ(row.wantKind, BgmKind);
        EXPECT_EQ(4, BgmRepeatTrack);
        EXPECT_EQ(row.wantFile, BgmFile);
        EXPECT_EQ(row.wantFolder, BgmFolder);
    }
}

TEST_F(SettingsTest, ConversionRulesForTheKind) {
    struct Row {
        const char* text;
        int16_t kind;
    };
    const Row rows[] = {
        {"letters", 0}, {"1.9", 1}, {"-1.5", -2}, {"99999", 0},
        {"", 0},        {"7", 7},   {" 1 ", 1},   {"2.9", 0},  // read as 2, then no music file: falls back to none
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        BgmKind = 0;
        profiles.set(kKeyBgmKind, row.text);
        LoadSettings();
        EXPECT_EQ(row.kind, BgmKind);
    }
}

TEST_F(SettingsTest, RepeatTrackRules) {
    profiles.set(kKeyBgmRepeatTrack, "3.7");
    LoadSettings();
    EXPECT_EQ(3, BgmRepeatTrack);
    profiles.set(kKeyBgmRepeatTrack, "track");
    BgmRepeatTrack = 0;
    LoadSettings();
    EXPECT_EQ(0, BgmRepeatTrack);
    profiles.set(kKeyBgmRepeatTrack, "40000");
    LoadSettings();
    EXPECT_EQ(0, BgmRepeatTrack);
}

TEST_F(SettingsTest, ALongFileEntryIsCutBeforeTheExistenceTest) {
    const std::string longPath = "C:\\" + std::string(300, 'm');
    profiles.files = {longPath.substr(0, 255)};
    profiles.set(kKeyBgmKind, "2");
    profiles.set(kKeyBgmFile, longPath);
    LoadSettings();
    EXPECT_EQ(2, BgmKind);
    EXPECT_EQ(longPath.substr(0, 255), BgmFile);
}

// Which file start-up reads and where a confirm writes, given which files
// exist and which writes the system refuses. In the table, B is the file
// beside the programs and U the user's own.
TEST_F(SettingsTest, TheFileReadAndTheFileWritten) {
    const std::string beside = "C:\\Saver\\Kestrine.ini";
    const std::string user = "C:\\Users\\u\\AppData\\Roaming\\Kestrine\\Kestrine.ini";
    const std::string userFolder = "C:\\Users\\u\\AppData\\Roaming\\Kestrine";
    struct Row {
        const char* what;
        bool userKnown, userFileExists;
        const char* besideRefuses;  // nullptr, "file", or the key whose write fails
        bool userRefuses;           // the user's file, or its folder, cannot be written
        const char* read;           // "B" or "U", before the save
        bool saved;
        const char* tried;  // the files written to, in order
    };
    const Row rows[] = {
        {"a copy in a writable folder", true, false, nullptr, false, "B", true, "B"},
        {"the system folder, first confirm", true, false, "file", false, "B", true, "BU"},
        {"the system folder refuses only the file key", true, false, kKeyBgmFile, false, "B", true, "BU"},
        {"the user's file exists", true, true, nullptr, false, "U", true, "U"},
        {"the user's file exists and refuses", true, true, nullptr, true, "U", false, "U"},
        {"neither can be written", true, false, "file", true, "B", false, "BU"},
        {"no user folder, beside writable", false, false, nullptr, false, "B", true, "B"},
        {"no user folder, beside refuses", false, false, "file", false, "B", false, "B"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        profiles = FakeProfiles();
        profiles.userData = row.userKnown ? "C:\\Users\\u\\AppData\\Roaming" : "";
        profiles.files = {beside};
        profiles.values[FakeProfiles::slot(beside.c_str(), "Section", kKeyBgmRepeatTrack)] = "9";
        if (row.userFileExists) {
            profiles.files.insert(user);
            profiles.values[FakeProfiles::slot(user.c_str(), "Section", kKeyBgmRepeatTrack)] = "7";
        } else {
            profiles.absent = {userFolder};
        }
        if (row.besideRefuses) {
            const std::string what = row.besideRefuses;
            profiles.unwritable.insert(lowered(what == "file" ? beside : beside + "|" + what));
        }
        if (row.userRefuses) {
            profiles.unmakeable = {userFolder};
            profiles.unwritable.insert(lowered(user));
        }
        const std::string expectedRead = std::string(row.read) == "U" ? user : beside;
        EXPECT_EQ(expectedRead, settingsFileToRead());
        LoadSettings();
        EXPECT_EQ(std::string(row.read) == "U" ? 7 : 9, BgmRepeatTrack);

        BgmKind = 1;
        BgmRepeatTrack = 5;
        BgmFile = "D:\\Tunes\\lake.mp3";
        const SettingsSave save = saveSettings();
        std::vector<std::string> tried;
        for (const char* f = row.tried; *f; ++f) tried.push_back(*f == 'U' ? user : beside);
        EXPECT_EQ(tried, save.tried);
        EXPECT_EQ(row.saved, save.saved);
        if (std::string(row.tried).find('B') == std::string::npos) {
            EXPECT_EQ("9", profiles.values[FakeProfiles::slot(beside.c_str(), "Section", kKeyBgmRepeatTrack)]);
        }
        if (!row.saved) {
            EXPECT_EQ(expectedRead, settingsFileToRead());
            continue;
        }
        EXPECT_EQ(save.tried.back(), save.file);
        EXPECT_EQ("1", profiles.values[FakeProfiles::slot(save.file.c_str(), "Section", kKeyBgmKind)]);
        EXPECT_EQ("5", profiles.values[FakeProfiles::slot(save.file.c_str(), "Section", kKeyBgmRepeatTrack)]);
        EXPECT_EQ("D:\\Tunes\\lake.mp3",
                  profiles.values[FakeProfiles::slot(save.file.c_str(), "Section", kKeyBgmFile)]);
        // What the user confirmed is what the next start reads.
        EXPECT_EQ(save.file, settingsFileToRead());
        BgmKind = 0;
        BgmRepeatTrack = 0;
        LoadSettings();
        EXPECT_EQ(1, BgmKind);
        EXPECT_EQ(5, BgmRepeatTrack);
    }
}

// Programs in the user's own folder, started by its short form: a refused
// write is not tried again under the file's other name.
TEST_F(SettingsTest, OneFileUnderTwoSpellingsIsTriedOnce) {
    const std::string user = "C:\\Users\\Jane Doe\\AppData\\Roaming\\Kestrine\\Kestrine.ini";
    profiles.userData = "C:\\Users\\Jane Doe\\AppData\\Roaming";
    profiles.folder = "C:\\Users\\JANEDO~1\\AppData\\Roaming\\Kestrine";
    profiles.identities = {{user, "jane's"}, {settingsFilePath(), "jane's"}};
    profiles.unwritable = {lowered(settingsFilePath()), lowered(user)};
    EXPECT_EQ(std::vector<std::string>{settingsFilePath()}, saveSettings().tried);
}

TEST_F(SettingsTest, AFailedSaveNamesEveryFileTried) {
    SettingsSave save;
    save.tried = {"C:\\Windows\\System32\\Kestrine.ini", "C:\\Users\\u\\AppData\\Roaming\\Kestrine\\Kestrine.ini"};
    EXPECT_EQ(
        "The settings could not be saved.\n\nC:\\Windows\\System32\\Kestrine.ini\n"
        "C:\\Users\\u\\AppData\\Roaming\\Kestrine\\Kestrine.ini",
        saveFailureText(save));
}

TEST(SettingsWithoutPlatform, ReadsEmptyAndFindsNoFile) {
    useSettingsPlatform(nullptr);
    EXPECT_EQ("", ReadSetting("Section", "k", "x.ini"));
    EXPECT_FALSE(FileExists("C:\\anything"));
    EXPECT_EQ("\\Kestrine.ini", settingsFilePath());
    EXPECT_EQ("\\Kestrine.ini", settingsFileToRead());
    EXPECT_EQ("", userSettingsFilePath());
}

}  // namespace
