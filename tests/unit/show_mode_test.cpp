// Show mode's start sequence, renderer watch and stop sequence over fakes for
// the form (pictures, timers), the launcher, the window lookup and MCI.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "frontend/music.h"
#include "frontend/program_state.h"
#include "frontend/show_mode.h"

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

struct FakeShowForm : ShowModePort {
    Journal& journal;
    bool timers[3] = {false, false, false};
    bool started = false;
    bool startSucceeds = true;
    bool running = false;
    bool window = false;
    bool unloaded = false;
    bool ended = false;
    bool throwOnPictures = false;
    std::string line = "/s";
    int32_t cursor = 0;

    explicit FakeShowForm(Journal& j) : journal(j) {}
    bool savePicture(int index, const std::string& path) override {
        journal.lines.push_back("save " + std::to_string(index) + " " + path);
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
    bool windowExists(const char* caption) override { return window && std::string(caption) == "Solvane_VC"; }
    void setTimerEnabled(ShowTimer timer, bool enabled) override {
        const int i = static_cast<int>(timer);
        journal.lines.push_back(std::string("timer") + std::to_string(i + 1) + (enabled ? " on" : " off"));
        timers[i] = enabled;
    }
    bool timerEnabled(ShowTimer timer) override { return timers[static_cast<int>(timer)]; }
    int32_t showCursor(bool show) override {
        cursor += show ? 1 : -1;
        journal.lines.push_back(show ? "cursor on" : "cursor off");
        return cursor;
    }
    std::string commandLine() override { return line; }
    void unloadForm() override {
        journal.lines.push_back("unload");
        unloaded = true;
        ShowQueryUnload(*this);
    }
    void endProgram() override {
        journal.lines.push_back("end");
        ended = true;
    }
    bool timer(ShowTimer t) const { return timers[static_cast<int>(t)]; }
};

struct ShowModeTest : ::testing::Test {
    Journal journal;
    RecordingMci mci{journal};
    FakeShowForm form{journal};
    void SetUp() override {
        UseMciPort(&mci);
        BgmKind = 0;
        BgmRepeatTrack = 0;
        BgmFile.clear();
        RendererPath.clear();
        CursorCount = 0;
    }
    void TearDown() override { UseMciPort(nullptr); }
};

const Lines kStaging = {
    "save 0 C:\\tolvin\\Solvane1.bmp",
    "save 1 C:\\tolvin\\Solvane2.bmp",
    "save 2 C:\\tolvin\\Solvane3.bmp",
    "copy C:\\Saver\\Kestrine.data C:\\tolvin\\Solvane.data",
};

Lines with(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST_F(ShowModeTest, LoadWithoutMusicStagesStartsTheRendererAndTheWatch) {
    ShowFormLoad(form);
    EXPECT_EQ(with(kStaging, {"start C:\\Saver\\Kestrine.dll", "timer3 on"}), journal.lines);
    EXPECT_EQ("C:\\Saver\\Kestrine.dll", RendererPath);
}

TEST_F(ShowModeTest, LoadStartsEachKindOfMusicBeforeTheRenderer) {
    struct Row {
        int16_t kind;
        const char* file;
        Lines music;
    };
    const Row rows[] = {
        {1, "", {"mci open cdaudio", "mci set cdaudio time format tmsf", "timer2 on"}},
        {2, "C:\\m\\song.wav", {"sound C:\\m\\song.wav 9"}},
        {2,
         "C:\\m\\song.Mp3",
         {"mci open \"C:\\m\\song.Mp3\" type MPEGVideo Alias MP3Play", "mci play MP3Play", "timer1 on"}},
        {2, "C:\\m\\song.ogg", {}},
        {3, "C:\\m\\song.mp3", {}},
        {-1, "", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        journal.lines.clear();
        BgmKind = row.kind;
        BgmFile = row.file;
        FakeShowForm fresh(journal);
        ShowFormLoad(fresh);
        EXPECT_EQ(with(with(kStaging, row.music), {"start C:\\Saver\\Kestrine.dll", "timer3 on"}), journal.lines);
    }
}

TEST_F(ShowModeTest, FailingStagingStepsAreSkipped) {
    form.throwOnPictures = true;
    ShowFormLoad(form);
    EXPECT_EQ(with(kStaging, {"start C:\\Saver\\Kestrine.dll", "timer3 on"}), journal.lines);
}

TEST_F(ShowModeTest, WatchWaitsForTheRendererWindowThenEndsWhenItIsGone) {
    ShowFormLoad(form);
    journal.lines.clear();
    // The process runs but its window is not there yet: keep waiting.
    for (int i = 0; i < 5; ++i) ShowWatchTick(form);
    EXPECT_FALSE(form.unloaded);
    EXPECT_FALSE(RendererWindowSeen());
    form.window = true;
    ShowWatchTick(form);
    EXPECT_TRUE(RendererWindowSeen());
    EXPECT_FALSE(form.unloaded);
    form.window = false;  // Escape: the window goes (the process may linger a moment)
    ShowWatchTick(form);
    EXPECT_TRUE(form.unloaded);
    EXPECT_TRUE(form.ended);
    EXPECT_EQ((Lines{"timer3 off", "unload", "cursor on", "end"}), journal.lines);
}

TEST_F(ShowModeTest, RendererThatCannotStartEndsShowModeAtTheFirstTick) {
    form.startSucceeds = false;
    ShowFormLoad(form);
    ShowWatchTick(form);
    EXPECT_TRUE(form.ended);
}

TEST_F(ShowModeTest, RendererProcessEndingBeforeItsWindowEndsShowMode) {
    ShowFormLoad(form);
    ShowWatchTick(form);
    EXPECT_FALSE(form.ended);
    form.running = false;
    ShowWatchTick(form);
    EXPECT_TRUE(form.ended);
}

TEST_F(ShowModeTest, StopSequenceForEachMusicKind) {
    struct Row {
        int16_t kind;
        const char* file;
        Lines stop;
    };
    const Row rows[] = {
        {1, "", {"timer2 off", "mci stop cdaudio", "mci close cdaudio"}},
        {2, "C:\\a.WAV", {"sound (null) 0"}},
        {2, "C:\\a.mp3", {"timer1 off", "mci stop MP3Play", "mci close MP3Play"}},
        {2, "C:\\a.mid", {}},
        {0, "C:\\a.mp3", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        BgmKind = row.kind;
        BgmFile = row.file;
        FakeShowForm fresh(journal);
        ShowFormLoad(fresh);
        journal.lines.clear();
        ShowQueryUnload(fresh);
        EXPECT_EQ(with(row.stop, {"cursor on", "end"}), journal.lines);
    }
}

TEST_F(ShowModeTest, CdWhosePollingEndedIsNotStopped) {
    BgmKind = 1;
    mci.replies["status cdaudio current track"] = "fail";
    ShowFormLoad(form);
    ShowCdTick(form);
    EXPECT_FALSE(form.timer(ShowTimer::CdPoll));
    journal.lines.clear();
    ShowQueryUnload(form);
    EXPECT_EQ((Lines{"cursor on", "end"}), journal.lines);
}

TEST_F(ShowModeTest, CdTickKeepsTheTimerWhilePollingSucceeds) {
    BgmKind = 1;
    mci.replies["status cdaudio current track"] = "1";
    mci.replies["status cdaudio mode"] = "stopped";
    ShowFormLoad(form);
    ShowCdTick(form);
    EXPECT_TRUE(form.timer(ShowTimer::CdPoll));
    EXPECT_EQ("timer2 on", journal.lines.back());
}

TEST_F(ShowModeTest, Mp3TickRestartsAFinishedFile) {
    BgmKind = 2;
    BgmFile = "C:\\a.mp3";
    mci.replies["status MP3Play mode"] = "stopped";
    ShowFormLoad(form);
    journal.lines.clear();
    ShowMp3Tick(form);
    EXPECT_EQ((Lines{"mci status MP3Play mode", "mci stop MP3Play", "mci play MP3Play from 0"}), journal.lines);
}

TEST_F(ShowModeTest, CursorIsShownAgainOnlyForModeS) {
    for (const char* line : {"/s", "-S", "xs"}) {
        SCOPED_TRACE(line);
        journal.lines.clear();
        form.line = line;
        ShowQueryUnload(form);
        EXPECT_EQ((Lines{"cursor on", "end"}), journal.lines);
    }
    CursorCount = 42;
    for (const char* line : {"", "/c"}) {
        SCOPED_TRACE(line);
        journal.lines.clear();
        form.line = line;
        ShowQueryUnload(form);
        EXPECT_EQ((Lines{"end"}), journal.lines);
    }
    EXPECT_EQ(42, CursorCount);
}

TEST_F(ShowModeTest, CursorCountKeepsTheValueShowCursorReturned) {
    form.cursor = -1;
    ShowQueryUnload(form);
    EXPECT_EQ(0, CursorCount);
}

}  // namespace
