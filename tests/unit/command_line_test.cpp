// The command line's mode letter and preview handle, and Main's steps over a
// recording fake of the window system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expected_contract.h"
#include "frontend/command_line.h"
#include "frontend/startup.h"

namespace {

struct ModeRow {
    const char* line;
    char letter;
    StartMode mode;
};

const ModeRow kModeRows[] = {
    {"/p 1234", 'P', StartMode::Preview},
    {"/P:1234", 'P', StartMode::Preview},
    {"-p 1234", 'P', StartMode::Preview},
    {"/c", 'C', StartMode::Configure},
    {"/C", 'C', StartMode::Configure},
    {"/c:1234", 'C', StartMode::Configure},
    {"/C:5678", 'C', StartMode::Configure},
    {"/s", 'S', StartMode::Show},
    {"/S", 'S', StartMode::Show},
    {"-s", 'S', StartMode::Show},
    {"xs anything", 'S', StartMode::Show},
    {"", 0, StartMode::ShowCursorVisible},
    {"s", 0, StartMode::EndAtOnce},
    {"S", 0, StartMode::EndAtOnce},
    {"/a", 'A', StartMode::EndAtOnce},
    {"/x", 'X', StartMode::EndAtOnce},
    {" ", 0, StartMode::EndAtOnce},
    {"//s", '/', StartMode::EndAtOnce},
    {"/\xe9", '\xe9', StartMode::EndAtOnce},
};

TEST(CommandLine, ModeLetterAndStartModeForEveryRow) {
    for (const ModeRow& row : kModeRows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(row.letter, modeLetter(row.line));
        EXPECT_EQ(row.mode, startModeOf(row.line));
    }
}

struct HandleRow {
    const char* line;
    int32_t handle;
};

const HandleRow kHandleRows[] = {
    {"/p 1234", 1234},
    {"/P:1234", 1234},
    {"-p 1234", 1234},
    {"/p1234", 234},     // the third character is always skipped
    {"/p 12 34", 1234},  // blanks are skipped, also between digits
    {"/p \t 77", 77},
    {"/p 1234abc", 1234},  // stops at the first character that cannot continue
    {"/p 12.9", 12},
    {"/p 12-3", 12},  // a sign after digits cannot continue the number
    {"/p -42", -42},
    {"/p +42", 42},
    {"/p - 42", -42},
    {"/p --42", 0},  // a second sign stops the reading before any digit
    {"/p", 0},
    {"/p ", 0},
    {"/p abc", 0},
    {"/p 0", 0},
    {"/p 000123", 123},
    {"/p 2147483647", 2147483647},
    {"/p -2147483648", INT32_MIN},
    {"/p 2147483648", 0},  // past the 32-bit range: no handle
    {"/p -2147483649", 0},
    {"/p 99999999999999999999999999", 0},
    {"/p \xef\xbc\x91", 0},  // a full-width digit is not a digit
};

TEST(CommandLine, PreviewHandleFromTheFourthCharacter) {
    for (const HandleRow& row : kHandleRows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(row.handle, previewHandleOf(row.line));
    }
}

// Records every call Main makes, in order.
struct FakeStartup : StartupPort {
    std::vector<std::string> calls;
    std::vector<std::string> openCaptions;
    int32_t knownHandle = 0;
    int size[2] = {152, 112};
    bool throwOnFolder = false;

    bool windowExists(const char* caption) override {
        calls.push_back(std::string("find ") + caption);
        for (const std::string& open : openCaptions) {
            if (open == caption) return true;
        }
        return false;
    }
    bool hostSize(int32_t handle, int& width, int& height) override {
        calls.push_back("size " + std::to_string(handle));
        if (handle != knownHandle) return false;
        width = size[0];
        height = size[1];
        return true;
    }
    void makeFolder(const char* path) override {
        calls.push_back(std::string("mkdir ") + path);
        if (throwOnFolder) throw 1;  // the folder exists or cannot be made
    }
    void loadSettings() override { calls.push_back("settings"); }
    void showSettingsDialog() override { calls.push_back("dialog"); }
    void showCursor(bool show) override { calls.push_back(show ? "cursor on" : "cursor off"); }
    void loadPreviewForm(int32_t host, int width, int height) override {
        calls.push_back("preview " + std::to_string(host) + " " + std::to_string(width) + "x" + std::to_string(height));
    }
    void loadShowForm() override { calls.push_back("show form"); }
    void endProgram() override { calls.push_back("end"); }
};

using Calls = std::vector<std::string>;
const std::string kFindShow = "find " EXPECTED_SHOW_CAPTION;
const std::string kFindDialog = "find " EXPECTED_DIALOG_CAPTION;
const std::string kMakeStaging = "mkdir " EXPECTED_STAGING_FOLDER;

TEST(StartupMain, EveryModeYieldsToARunningCopy) {
    for (const char* caption : {EXPECTED_SHOW_CAPTION, EXPECTED_DIALOG_CAPTION}) {
        for (const char* line : {"/s", "/p 1234", "/c", "", "/x"}) {
            SCOPED_TRACE(std::string(caption) + " with " + line);
            FakeStartup fake;
            fake.knownHandle = 1234;
            fake.openCaptions.push_back(caption);
            Main(line, fake);
            // Both lookups are made, then the program ends and nothing else runs.
            EXPECT_EQ((Calls{kFindShow, kFindDialog, "end"}), fake.calls);
        }
    }
}

TEST(StartupMain, ShowModeHidesTheCursorAndLoadsTheForm) {
    FakeStartup fake;
    Main("/s", fake);
    EXPECT_EQ((Calls{kFindShow, kFindDialog, kMakeStaging, "settings", "cursor off", "show form"}), fake.calls);
}

TEST(StartupMain, EmptyLineRunsShowModeWithTheCursorAlone) {
    FakeStartup fake;
    Main("", fake);
    EXPECT_EQ((Calls{kFindShow, kFindDialog, kMakeStaging, "settings", "show form"}), fake.calls);
}

TEST(StartupMain, ConfigureMakesTheFolderReadsSettingsShowsTheDialogThenEnds) {
    for (const char* line : {"/c", "/C:5678", "-c"}) {
        SCOPED_TRACE(line);
        FakeStartup fake;
        Main(line, fake);
        EXPECT_EQ((Calls{kFindShow, kFindDialog, kMakeStaging, "settings", "dialog", "end"}), fake.calls);
    }
}

TEST(StartupMain, OtherLettersEndAfterSettingsWithoutAnyForm) {
    for (const char* line : {"/a", "s", "/x", "S"}) {
        SCOPED_TRACE(line);
        FakeStartup fake;
        Main(line, fake);
        EXPECT_EQ((Calls{kFindShow, kFindDialog, kMakeStaging, "settings", "end"}), fake.calls);
    }
}

TEST(StartupMain, AFailingFolderStepIsSkipped) {
    FakeStartup fake;
    fake.throwOnFolder = true;
    Main("/s", fake);
    EXPECT_EQ((Calls{kFindShow, kFindDialog, kMakeStaging, "settings", "cursor off", "show form"}), fake.calls);
}

TEST(StartupMain, PreviewCoversTheHostWindowInItsPixels) {
    FakeStartup fake;
    fake.knownHandle = 1234;
    Main("/p 1234", fake);
    // No folder, no settings in preview mode.
    EXPECT_EQ((Calls{kFindShow, kFindDialog, "size 1234", "preview 1234 152x112"}), fake.calls);
}

TEST(StartupMain, PreviewWithoutDigitsReadsFromTheFourthCharacter) {
    FakeStartup fake;
    fake.knownHandle = 234;
    Main("/p1234", fake);
    EXPECT_EQ((Calls{kFindShow, kFindDialog, "size 234", "preview 234 152x112"}), fake.calls);
}

TEST(StartupMain, PreviewWithAMissingOrUnknownHandleEndsAtOnce) {
    for (const char* line : {"/p", "/p ", "/p 0", "/p 999", "/p junk", "/p 99999999999"}) {
        SCOPED_TRACE(line);
        FakeStartup fake;
        fake.knownHandle = 1234;
        Main(line, fake);
        ASSERT_FALSE(fake.calls.empty());
        EXPECT_EQ("end", fake.calls.back());
        for (const std::string& call : fake.calls) {
            EXPECT_TRUE(call.rfind("preview", 0) != 0) << call;
        }
    }
}

// A host wider than 2184 pixels is 32760 twips and more, which a 16-bit twips
// size could not hold; the size travels in pixels, so such a host is covered.
TEST(StartupMain, PreviewCoversAHostOfAnySize) {
    FakeStartup fake;
    fake.knownHandle = 7;
    fake.size[0] = 3000;
    fake.size[1] = 100;
    Main("/p 7", fake);
    EXPECT_EQ("preview 7 3000x100", fake.calls.back());
}

}  // namespace

namespace {

TEST(CommandLine, ArgumentsFollowTheProgramName) {
    EXPECT_EQ("/s", argumentsOf("C:\\WINDOWS\\Kestrine.scr /s"));
    EXPECT_EQ("/p 1234", argumentsOf("\"C:\\Program Files\\Kestrine\\Kestrine.scr\" /p 1234"));
    EXPECT_EQ("/c:5678", argumentsOf("\"C:\\a b\\K.scr\"   /c:5678"));
    EXPECT_EQ("", argumentsOf("Kestrine.scr"));
    EXPECT_EQ("", argumentsOf("\"C:\\a b\\K.scr\""));
    EXPECT_EQ("", argumentsOf("\"unterminated /s"));
    EXPECT_EQ("", argumentsOf(""));
    EXPECT_EQ("/s ", argumentsOf("K.scr\t/s "));
    EXPECT_EQ("", argumentsOf("\"K.scr\"/S"));  // as the C runtime reads it: one word up to a blank
}

}  // namespace
