// Where the settings live. The file beside the programs serves wherever its
// folder can be written (a copy in the user's own folder, a run as
// administrator). A standard user cannot write into the system folder, so a
// confirm that fails there goes to the user's own
// %APPDATA%\Kestrine\Kestrine.ini, and start-up reads that file first
// whenever it exists: the settings a user confirmed are the ones that user's
// next start uses, in every mode, wherever the programs are.
#pragma once
#include <string>
#include <vector>

// %APPDATA%\Kestrine\Kestrine.ini; empty when the user's folder is unknown.
std::string userSettingsFilePath();

// The file start-up reads: the user's own when it exists, else the file
// beside the programs (which an installer or administrator may leave as the
// machine's default).
std::string settingsFileToRead();

struct SettingsSave {
    bool saved = false;
    std::string file;                // where the settings went, when saved
    std::vector<std::string> tried;  // every file a write was tried in, in order
};

// Writes BgmKind, BgmRepeatTrack and BgmFile into the file start-up reads;
// when that is the file beside the programs and the system refuses a write
// there, into the user's own file instead, making its folder first.
SettingsSave saveSettings();

// The message for a save that failed: the sentence, then each file tried.
std::string saveFailureText(const SettingsSave& save);
