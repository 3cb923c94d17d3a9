// The settings dialog's handlers over a fake dialog window and settings
// file, and the rules they follow.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "frontend/program_state.h"
#include "frontend/settings.h"
#include "frontend/ui/settings_dialog.h"
#include "tests/unit/fake_system_in_use.h"

namespace {

using namespace Solvane_P;
using Lines = std::vector<std::string>;

// What the dialog's window shows and what the handlers asked of the system.
struct FakeDialog : DialogPort {
    std::map<Control, bool> enabled;
    std::map<Control, Control> shows;  // the picture each mark took from Img_Ra
    std::string repeatText;
    Lines repeatItems;
    std::map<Control, std::string> captions = {{Control::lbl_URL, "https://kestrine.example.org/"}};
    Lines calls;  // the window and system calls whose order matters
    int tiles = 0;
    Size tile = {556, 20}, panel = {469, 165};  // Pic_Mbl and Pic_C at 96 dots per inch
    Size inside = {496, 246};
    std::vector<std::string> lines;  // "y width r g b" of each background line
    int32_t cursorResult = 1;
    int32_t cursorX = 300, cursorY = 200;
    int32_t chooserResult = 1;
    std::string chosen = "C:\\Music\\b.wav";

    Size screenTwips() override { return Size{15360, 11520}; }
    Size dialogTwips() override { return Size{7530, 4095}; }
    void moveDialog(int left, int top) override {
        calls.push_back("move " + std::to_string(left) + " " + std::to_string(top));
    }
    Size insideSize() override { return inside; }
    void drawLine(int y, int width, int r, int g, int b) override {
        lines.push_back(std::to_string(y) + " " + std::to_string(width) + " " + std::to_string(r) + " " +
                        std::to_string(g) + " " + std::to_string(b));
    }
    void refreshDialog() override {}
    Size controlSize(Control c) override { return c == Control::Pic_Mbl ? tile : panel; }
    void copyImage(Control from, Control to, int, int, int w, int h) override {
        if (from == Control::Pic_Mbl && to == Control::Pic_C && w == tile.width && h == tile.height) ++tiles;
    }
    void refresh(Control) override {}
    void initializeButton(Control button) override {
        calls.push_back("initialize " + std::to_string(static_cast<int>(button)));
    }
    void setEnabled(Control c, bool on) override { enabled[c] = on; }
    void copyPicture(Control to, Control from) override { shows[to] = from; }
    void setText(Control, const std::string& text) override { repeatText = text; }
    std::string text(Control) override { return repeatText; }
    void addItem(Control, const std::string& item) override { repeatItems.push_back(item); }
    void setCaption(Control label, const std::string& caption) override { captions[label] = caption; }
    std::string caption(Control label) override { return captions[label]; }
    int32_t cursorPos(int32_t& x, int32_t& y) override {
        calls.push_back("cursor");
        x = cursorX;
        y = cursorY;
        return cursorResult;
    }
    void animateOpen() override { calls.push_back("zoom open"); }
    void animateClose() override { calls.push_back("zoom shut"); }
    void showHourglass(bool on) override { calls.push_back(on ? "hourglass" : "default pointer"); }
    int32_t chooseFile(const std::string& folder, std::string& path) override {
        calls.push_back("chooser in " + folder);
        if (chooserResult > 0) path = chosen;
        return chooserResult;
    }
    void openAddress(const std::string& address) override { calls.push_back("open " + address); }
    void showError(const std::string& text) override { calls.push_back("message " + text); }
    void unload() override {
        calls.push_back("unload");
        Form_Unload(*this);
    }

    // The index of the one mark that shows the selected look, or -1 (none or several).
    int selectedMark() {
        int selected = -1;
        for (int i = 0; i < 3; ++i) {
            if (shows.count(Img_BGM(i)) == 0) return -1;
            if (shows[Img_BGM(i)] == Img_Ra(1)) {
                if (selected >= 0) return -1;
                selected = i;
            }
        }
        return selected;
    }
};

// The settings file beside the programs (no user folder): the writes in
// order, or every write refused.
struct FakeProfiles : SettingsPlatform {
    Lines writes;
    bool refuse = false;
    void getProfileString(const char*, const char*, const char*, char* buffer, uint32_t size, const char*) override {
        if (size) buffer[0] = '\0';
    }
    int32_t writeProfileString(const char* section, const char* key, const char* value, const char* file) override {
        if (refuse) return 0;
        writes.push_back(std::string(file) + " [" + section + "] " + key + "=" + value);
        return 1;
    }
    bool openForReading(const std::string&) override { return false; }
    std::string programFolder() override { return "C:\\Saver"; }
    std::string userDataFolder() override { return std::string(); }
    void makeFolder(const std::string&) override {}
};

const std::string kIni = "C:\\Saver\\Kestrine.ini [Section] ";

struct SettingsDialogTest : ::testing::Test {
    FakeDialog dialog;
    FakeProfiles profiles;
    SettingsPlatformInUse inUse{profiles};
    void SetUp() override { BgmFolder = "C:\\Saver"; }
    Lines written(int kind, int repeat, const std::string& file) {
        return {kIni + kKeyBgmKind + "=" + std::to_string(kind),
                kIni + kKeyBgmRepeatTrack + "=" + std::to_string(repeat), kIni + kKeyBgmFile + "=" + file};
    }
};

TEST_F(SettingsDialogTest, LoadShowsTheSettingsAndZoomsOpenFromThePointer) {
    BgmKind = 1;
    BgmRepeatTrack = 5;
    BgmFile = "C:\\Music\\a.mp3";
    Form_Load(dialog);
    EXPECT_EQ(1, dialog.selectedMark());
    EXPECT_TRUE(dialog.enabled[Control::BGM_Repeat]);
    EXPECT_FALSE(dialog.enabled[Control::Cmd_File]);
    EXPECT_EQ("5", dialog.repeatText);
    ASSERT_EQ(31u, dialog.repeatItems.size());
    EXPECT_EQ("", dialog.repeatItems.front());
    EXPECT_EQ("30", dialog.repeatItems.back());
    EXPECT_EQ(BgmFile, dialog.captions[Control::lbl_Fname]);
    EXPECT_EQ(20, dialog.tiles);  // two columns of ten; the second lies outside the panel
    // Centred across, a third of the free height down; the three buttons track
    // the mouse from the start; the zoom starts where the pointer is.
    const Lines expected = {"move 3915 2475", "initialize 0", "initialize 1",   "initialize 5",
                            "cursor",         "zoom open",    "default pointer"};
    EXPECT_EQ(expected, dialog.calls);
    EXPECT_EQ(300, CursorX);
    EXPECT_EQ(200, CursorY);
}

TEST_F(SettingsDialogTest, ANewScaleCoversThePanelAgainWithTheTileAtThatScale) {
    Form_Load(dialog);
    dialog.tiles = 0;
    dialog.tile = {834, 30};  // at 144 dots per inch
    dialog.panel = {704, 248};
    Form_DpiChanged(dialog);
    EXPECT_EQ(20, dialog.tiles);  // two columns of ten, 30 pixels apart, past the bottom at 248
}

TEST_F(SettingsDialogTest, EachSourceSelectsItsMarkAndItsControlAtLoadAndByChoice) {
    struct Row {
        int16_t kind;
        int mark;
        bool repeat, file;
    };
    const Row rows[] = {
        {0, 0, false, false}, {1, 1, true, false}, {2, 2, false, true}, {3, -1, false, false}, {-1, -1, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        FakeDialog loaded;
        BgmKind = row.kind;
        Form_Load(loaded);
        EXPECT_EQ(row.mark, loaded.selectedMark());
        EXPECT_EQ(row.repeat, loaded.enabled[Control::BGM_Repeat]);
        EXPECT_EQ(row.file, loaded.enabled[Control::Cmd_File]);

        // From any other source, a choice of this one.
        FakeDialog chosen;
        BgmKind = row.kind == 1 ? 2 : 1;
        Form_Load(chosen);
        SelectBgmKind(chosen, row.kind);
        EXPECT_EQ(row.kind, BgmKind);
        EXPECT_EQ(row.mark, chosen.selectedMark());
        EXPECT_EQ(row.repeat, chosen.enabled[Control::BGM_Repeat]);
        EXPECT_EQ(row.file, chosen.enabled[Control::Cmd_File]);
    }
}

TEST_F(SettingsDialogTest, AnyMouseButtonOnALabelOrAMarkChooses) {
    Form_Load(dialog);
    MouseDown(dialog, Control::lbl_BGM_2, 2, 0, 3.0f, 4.0f);  // the right button on "MP3、WAV"
    EXPECT_EQ(2, BgmKind);
    EXPECT_EQ(2, dialog.selectedMark());
    EXPECT_TRUE(dialog.enabled[Control::Cmd_File]);
    MouseDown(dialog, Control::Img_BGM_1, 4, 1, 0.0f, 0.0f);  // the middle button with shift on the CD mark
    EXPECT_EQ(1, BgmKind);
    EXPECT_TRUE(dialog.enabled[Control::BGM_Repeat]);
    EXPECT_FALSE(dialog.enabled[Control::Cmd_File]);
    MouseDown(dialog, Control::lbl_14, 1, 0, 0.0f, 0.0f);  // another label chooses nothing
    MouseDown(dialog, Control::Img_Ra_0, 1, 0, 0.0f, 0.0f);
    EXPECT_EQ(1, BgmKind);
}

TEST_F(SettingsDialogTest, ThePointerPositionFallsBackToZeroOrKeepsWhatDoesNotFit) {
    CursorX = 7;
    CursorY = 8;
    dialog.cursorResult = 0;
    Form_Load(dialog);
    EXPECT_EQ(0, CursorX);
    EXPECT_EQ(0, CursorY);
    FakeDialog far;
    far.cursorX = 40000;
    far.cursorY = -5;
    CursorX = 7;
    Form_Load(far);
    EXPECT_EQ(7, CursorX);
    EXPECT_EQ(-5, CursorY);
}

TEST_F(SettingsDialogTest, ConfirmWritesTheThreeKeysInOrderThenCloses) {
    struct Row {
        int16_t kind;
        const char* text;
        int repeat;
    };
    const Row rows[] = {{1, "12", 12}, {1, "abc", 0}, {1, "", 0}, {1, "2.5", 2}, {1, "3.5", 4}, {0, "7", 7}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        FakeDialog confirmed;
        profiles.writes.clear();
        BgmKind = row.kind;
        BgmFile = "C:\\Music\\a.mp3";
        Form_Load(confirmed);
        confirmed.repeatText = row.text;  // as typed into the box
        confirmed.calls.clear();
        Click(confirmed, Control::Cmd_Set);
        EXPECT_EQ(written(row.kind, row.repeat, BgmFile), profiles.writes);
        EXPECT_EQ(row.repeat, BgmRepeatTrack);
        EXPECT_EQ((Lines{"unload", "zoom shut"}), confirmed.calls);
    }
}

TEST_F(SettingsDialogTest, ARefusedSaveSaysWhereItFailedAndStaysOpen) {
    profiles.refuse = true;
    Form_Load(dialog);
    dialog.calls.clear();
    Click(dialog, Control::Cmd_Set);
    EXPECT_EQ((Lines{"message The settings could not be saved.\n\nC:\\Saver\\Kestrine.ini"}), dialog.calls);
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxWriteNothing) {
    Form_Load(dialog);
    SelectBgmKind(dialog, 2);
    dialog.calls.clear();
    Click(dialog, Control::Cmd_Can);
    EXPECT_TRUE(profiles.writes.empty());
    EXPECT_EQ((Lines{"unload", "zoom shut"}), dialog.calls);
}

TEST_F(SettingsDialogTest, TheFileChooserChangesTheFileOnlyWhenAFileWasChosen) {
    BgmKind = 2;
    BgmFile = "C:\\Music\\a.mp3";
    BgmFolder = "C:\\Music";
    Form_Load(dialog);
    dialog.chooserResult = 0;  // cancelled
    Click(dialog, Control::Cmd_File);
    EXPECT_EQ("C:\\Music\\a.mp3", BgmFile);
    EXPECT_EQ("C:\\Music\\a.mp3", dialog.captions[Control::lbl_Fname]);
    EXPECT_EQ("chooser in C:\\Music", dialog.calls.back());

    dialog.chooserResult = 1;
    dialog.chosen = "D:\\Songs\\b.wav";
    Click(dialog, Control::Cmd_File);
    EXPECT_EQ("D:\\Songs\\b.wav", BgmFile);
    EXPECT_EQ("D:\\Songs\\b.wav", dialog.captions[Control::lbl_Fname]);
    EXPECT_EQ("D:\\Songs", BgmFolder);
    Click(dialog, Control::Cmd_Set);
    EXPECT_EQ(written(2, 0, "D:\\Songs\\b.wav"), profiles.writes);
}

TEST_F(SettingsDialogTest, TheLinkOpensItsAddressUnderTheHourglass) {
    Form_Load(dialog);
    dialog.calls.clear();
    Click(dialog, Control::lbl_URL);
    EXPECT_EQ((Lines{"hourglass", "open https://kestrine.example.org/", "default pointer"}), dialog.calls);
    dialog.calls.clear();
    Click(dialog, Control::lbl_7);  // a label without a Click handler
    EXPECT_TRUE(dialog.calls.empty());
}

TEST_F(SettingsDialogTest, TheBackgroundLinesCoverTheInsideFromDarkToLightToDark) {
    Form_Resize(dialog);
    ASSERT_EQ(247u, dialog.lines.size());
    EXPECT_EQ("0 496 0 0 30", dialog.lines.front());
    EXPECT_EQ("123 496 220 220 250", dialog.lines[123]);
    EXPECT_EQ("246 496 0 0 30", dialog.lines.back());
}

}  // namespace

TEST(DialogChoice, HashPatternAndEntries) {
    EXPECT_EQ(formatHashes(0), "");
    EXPECT_EQ(formatHashes(5), "5");
    EXPECT_EQ(formatHashes(-3), "-3");
    EXPECT_EQ(formatHashes(32767), "32767");
    const auto entries = repeatEntries();
    ASSERT_EQ(entries.size(), 31u);
    EXPECT_EQ(entries[0], "");
    EXPECT_EQ(entries[1], "1");
    EXPECT_EQ(entries[30], "30");
}

// The repeat box's text as a track; a value beyond 16 bits is limited.
TEST(DialogChoice, RepeatTextConversion) {
    // Each text, then the track it gives.
    const std::pair<const char*, int> rows[] = {
        {"abc", 0},
        {"", 0},
        {"12", 12},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"2.51", 3},
        {" 7 ", 7},
        {"+8", 8},
        {".5", 0},
        {"1e1", 10},
        {"&H1F", 31},
        {"&o17", 15},
        {"12abc", 0},
        {"1.2.3", 0},
        {".", 0},
        {"-", 0},
        {"1e", 0},
        {"&H", 0},
        {"&HG", 0},
        {"nan", 0},
        {"inf", 0},
        {"32767", 32767},
        {"32767.5", 32767},
        {"32768", 32767},
        {"99999999999999999999999", 32767},
        {"1e400", 32767},
        {"-32768", -32768},
        {"-40000", -32768},
        {"&HFFFFFFFFFFFFFFFF", 32767},
        {"&H10000000000000000", 0},  // past 64 bits: not a number
    };
    for (const auto& row : rows) EXPECT_EQ(repeatTrackFromText(row.first), row.second) << row.first;
}

TEST(DialogChoice, RoundHalfEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(-1.5), -2.0);
    EXPECT_EQ(roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
}

TEST(DialogChoice, Placement) {
    // 1024 x 768 screen in twips, the dialog's outer size.
    const Placement p = dialogPlacement(15360, 11520, 7530, 4095);
    EXPECT_EQ(p.left, 3915);
    EXPECT_EQ(p.top, 2475);
    const Placement big = dialogPlacement(100, 100, 203, 104);
    EXPECT_EQ(big.left, -51);  // truncated toward zero
    EXPECT_EQ(big.top, -1);
}

TEST(DialogChoice, TileWalkGoesColumnByColumn) {
    const auto spots = tileSpots(469, 165, 556, 20);
    ASSERT_EQ(spots.size(), 20u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(spots[i].x, 0);
        EXPECT_EQ(spots[i].y, i * 20);
        EXPECT_EQ(spots[10 + i].x, 556);
        EXPECT_EQ(spots[10 + i].y, i * 20);
    }
    // Narrow tiles: three columns for a 100-pixel panel of 40-pixel tiles.
    const auto narrow = tileSpots(100, 10, 40, 10);
    ASSERT_EQ(narrow.size(), 4u * 3u);
    EXPECT_EQ(narrow.back().x, 120);
    EXPECT_TRUE(tileSpots(469, 165, 0, 20).empty());
    EXPECT_TRUE(tileSpots(469, 165, 556, -1).empty());
}

TEST(DialogChoice, BackgroundShadesFollowTheSine) {
    const auto shades = backgroundShades(246);
    ASSERT_EQ(shades.size(), 247u);
    EXPECT_EQ(shades[0], 0);
    const double k = 246 / 3.142;
    EXPECT_EQ(shades[123], static_cast<int>(std::lround(std::fabs(std::sin(123 / k) * 220.0))));
    EXPECT_EQ(shades[123], 220);
    EXPECT_LE(shades[246], 1);
    for (int v : shades) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 220);
    }
    EXPECT_EQ(backgroundShades(0).size(), 1u);
    EXPECT_TRUE(backgroundShades(-3).empty());
}
