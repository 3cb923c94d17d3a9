// Show mode's start sequence, renderer watch and stop sequence over fakes for
// the form (pictures, timers), the launcher, the window lookup and MCI.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "expected_contract.h"
#include "frontend/music.h"
#include "frontend/program_state.h"
#include "frontend/show_mode.h"
#include "tests/unit/fake_system_in_use.h"

namespace {

using Lines = std::vector<std::string>;

// One list of everything that happened, music calls included, so the order
// across the form, the launcher and MCI is checked.
struct Journal {
    Lines lines;
};

struct RecordingMci : MciPort {
    Journal& journal;
    std::map<std::string, std::string> replies;
    explicit RecordingMci(Journal& j) : journal(j) {}
    int32_t sendString(const char* command, char* reply, uint32_t length) override {
        journal.lines.push_back(std::string("mci ") + command);
        auto found = replies.find(command);
        if (found == replies.end()) return 0;
        if (found->second.rfind("fail", 0) == 0) return 263;
        if (reply && length) std::snprintf(reply, length, "%s", found->second.c_str());
        return 0;
    }
    bool errorString(int32_t, char* text, uint32_t length) override {
        std::snprintf(text, length, "%s", "failed");
        return true;
    }
    bool playSound(const char* name, uint32_t flags) override {
        journal.lines.push_back(std::string("sound ") + (name ? name : "(null)") + " " + std::to_string(flags));
        return true;
    }
    int32_t waveOutDeviceCount() override { return 1; }
};

using Solvane_S::Control;

std::string timerName(Control timer) {
    switch (timer) {
        case Control::Timer1: return "timer1";
        case Control::Timer2: return "timer2";
        case Control::Timer3: return "timer3";
        default: return "not a timer";
    }
}

std::string pictureName(Picture picture) {
    switch (picture) {
        case kPictureLakeBed: return "lake bed";
        case kPictureBackdrop: return "backdrop";
        case kPictureSplash: return "splash";
        default: return "other picture";
    }
}

struct FakeShowForm : ShowModePort {
    Journal& journal;
    std::map<Control, bool> timers;
    bool started = false;
    bool startSucceeds = true;
    bool running = false;
    bool window = false;
    bool unloaded = false;
    bool ended = false;
    bool throwOnPictures = false;
    std::string line = "/s";

    explicit FakeShowForm(Journal& j) : journal(j) {}
    bool savePicture(Picture picture, const std::string& path) override {
        journal.lines.push_back("save " + pictureName(picture) + " " + path);
        if (throwOnPictures) throw 1;
        return true;
    }
    bool copyFile(const std::string& from, const std::string& to) override {
        journal.lines.push_back("copy " + from + " " + to);
        return true;
    }
    std::string programFolder() override { return "C:\\Saver"; }
    bool startProgram(const std::string& path) override {
        journal.lines.push_back("start " + path);
        started = startSucceeds;
        running = startSucceeds;
        return startSucceeds;
    }
    bool programRunning() override { return running; }
    bool windowExists(const char* caption) override {
        return window && std::string(caption) == EXPECTED_RENDERER_CAPTION;
    }
    void setTimerEnabled(Control timer, bool enabled) override {
        journal.lines.push_back(timerName(timer) + (enabled ? " on" : " off"));
        timers[timer] = enabled;
    }
    bool timerEnabled(Control timer) override { return timers[timer]; }
    void showCursor(bool show) override { journal.lines.push_back(show ? "cursor on" : "cursor off"); }
    std::string commandLine() override { return line; }
    void unloadForm() override {
        journal.lines.push_back("unload");
        unloaded = true;
        Solvane_S::Form_QueryUnload(*this);
    }
    void endProgram() override {
        journal.lines.push_back("end");
        ended = true;
    }
    bool timer(Control t) { return timers[t]; }
};

struct ShowModeTest : ::testing::Test {
    Journal journal;
    RecordingMci mci{journal};
    FakeShowForm form{journal};
    MciPortInUse inUse{mci};
};

#define STAGED(file) EXPECTED_STAGING_FOLDER "\\" EXPECTED_##file
const Lines kStaging = {
    "save lake bed " STAGED(LAKE_BED),
    "save backdrop " STAGED(BACKDROP),
    "save splash " STAGED(SPLASH),
    "copy C:\\Saver\\" EXPECTED_PROGRAM_MODEL " " STAGED(STAGED_MODEL),
};

Lines with(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(ShowModeTest, LoadWithoutMusicStagesStartsTheRendererAndTheWatch) {
    Solvane_S::Form_Load(form);
    EXPECT_EQ(with(kStaging, {"start C:\\Saver\\Kestrine.dll", "timer3 on"}), journal.lines);
    EXPECT_EQ("C:\\Saver\\Kestrine.dll", RendererPath);
}

// Each kind of music starts after the staging and before the renderer, and
// stops before the cursor comes back and the program ends.
TEST_F(ShowModeTest, EachKindOfMusicStartsBeforeTheRendererAndStopsAtTheEnd) {
    struct Row {
        int16_t kind;
        const char* file;
        Lines start;
        Lines stop;
    };
    const Lines cdStop = {"timer2 off", "mci stop cdaudio", "mci close cdaudio"};
    const Lines mp3Stop = {"timer1 off", "mci stop MP3Play", "mci close MP3Play"};
    const Row rows[] = {
        {1, "", {"mci open cdaudio", "mci set cdaudio time format tmsf", "timer2 on"}, cdStop},
        {2, "C:\\m\\song.wav", {"sound C:\\m\\song.wav 9"}, {"sound (null) 0"}},
        {2, "C:\\a.WAV", {"sound C:\\a.WAV 9"}, {"sound (null) 0"}},
        {2,
         "C:\\m\\song.Mp3",
         {"mci open \"C:\\m\\song.Mp3\" type MPEGVideo Alias MP3Play", "mci play MP3Play", "timer1 on"},
         mp3Stop},
        {2,
         "C:\\a.mp3",
         {"mci open \"C:\\a.mp3\" type MPEGVideo Alias MP3Play", "mci play MP3Play", "timer1 on"},
         mp3Stop},
        {2, "C:\\m\\song.ogg", {}, {}},
        {2, "C:\\a.mid", {}, {}},
        {3, "C:\\m\\song.mp3", {}, {}},
        {0, "C:\\a.mp3", {}, {}},
        {-1, "", {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.kind) + " " + row.file);
        journal.lines.clear();
        BgmKind = row.kind;
        BgmFile = row.file;
        FakeShowForm fresh(journal);
        Solvane_S::Form_Load(fresh);
        EXPECT_EQ(with(with(kStaging, row.start), {"start C:\\Saver\\Kestrine.dll", "timer3 on"}), journal.lines);
        journal.lines.clear();
        Solvane_S::Form_QueryUnload(fresh);
        EXPECT_EQ(with(row.stop, {"cursor on", "end"}), journal.lines);
    }
}

TEST_F(ShowModeTest, FailingStagingStepsAreSkipped) {
    form.throwOnPictures = true;
    Solvane_S::Form_Load(form);
    EXPECT_EQ(with(kStaging, {"start C:\\Saver\\Kestrine.dll", "timer3 on"}), journal.lines);
}

TEST_F(ShowModeTest, WatchWaitsForTheRendererWindowThenEndsWhenItIsGone) {
    Solvane_S::Form_Load(form);
    journal.lines.clear();
    // The process runs but its window is not there yet: keep waiting.
    for (int i = 0; i < 5; ++i) Solvane_S::Timer3_Timer(form);
    EXPECT_FALSE(form.unloaded);
    EXPECT_FALSE(rendererWindowSeen());
    form.window = true;
    Solvane_S::Timer3_Timer(form);
    EXPECT_TRUE(rendererWindowSeen());
    EXPECT_FALSE(form.unloaded);
    form.window = false;  // Escape: the window goes (the process may linger a moment)
    Solvane_S::Timer3_Timer(form);
    EXPECT_TRUE(form.unloaded);
    EXPECT_TRUE(form.ended);
    EXPECT_EQ((Lines{"timer3 off", "unload", "cursor on", "end"}), journal.lines);
}

TEST_F(ShowModeTest, RendererThatCannotStartEndsShowModeAtTheFirstTick) {
    form.startSucceeds = false;
    Solvane_S::Form_Load(form);
    Solvane_S::Timer3_Timer(form);
    EXPECT_TRUE(form.ended);
}

TEST_F(ShowModeTest, RendererProcessEndingBeforeItsWindowEndsShowMode) {
    Solvane_S::Form_Load(form);
    Solvane_S::Timer3_Timer(form);
    EXPECT_FALSE(form.ended);
    form.running = false;
    Solvane_S::Timer3_Timer(form);
    EXPECT_TRUE(form.ended);
}

TEST_F(ShowModeTest, CdWhosePollingEndedIsNotStopped) {
    BgmKind = 1;
    mci.replies["status cdaudio current track"] = "fail";
    Solvane_S::Form_Load(form);
    Solvane_S::Timer2_Timer(form);
    EXPECT_FALSE(form.timer(Control::Timer2));
    journal.lines.clear();
    Solvane_S::Form_QueryUnload(form);
    EXPECT_EQ((Lines{"cursor on", "end"}), journal.lines);
}

TEST_F(ShowModeTest, CdTickKeepsTheTimerWhilePollingSucceeds) {
    BgmKind = 1;
    mci.replies["status cdaudio current track"] = "1";
    mci.replies["status cdaudio mode"] = "stopped";
    Solvane_S::Form_Load(form);
    Solvane_S::Timer2_Timer(form);
    EXPECT_TRUE(form.timer(Control::Timer2));
    EXPECT_EQ("timer2 on", journal.lines.back());
}

TEST_F(ShowModeTest, Mp3TickRestartsAFinishedFile) {
    BgmKind = 2;
    BgmFile = "C:\\a.mp3";
    mci.replies["status MP3Play mode"] = "stopped";
    Solvane_S::Form_Load(form);
    journal.lines.clear();
    Solvane_S::Timer1_Timer(form);
    EXPECT_EQ((Lines{"mci status MP3Play mode", "mci stop MP3Play", "mci play MP3Play from 0"}), journal.lines);
}

TEST_F(ShowModeTest, CursorIsShownAgainOnlyForModeS) {
    for (const char* line : {"/s", "-S", "xs"}) {
        SCOPED_TRACE(line);
        journal.lines.clear();
        form.line = line;
        Solvane_S::Form_QueryUnload(form);
        EXPECT_EQ((Lines{"cursor on", "end"}), journal.lines);
    }
    for (const char* line : {"", "/c"}) {
        SCOPED_TRACE(line);
        journal.lines.clear();
        form.line = line;
        Solvane_S::Form_QueryUnload(form);
        EXPECT_EQ((Lines{"end"}), journal.lines);
    }
}

}  // namespace
