// The music player's command strings, reply lengths and polling decisions
// against a fake MCI port that records every call and scripts the replies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "diagnostics/failure_log.h"
#include "frontend/music.h"
#include "frontend/program_state.h"
#include "tests/unit/fake_system_in_use.h"

namespace {

struct Reply {
    int32_t code;
    std::string text;
};

struct FakeMci : MciPort {
    std::vector<std::string> sent;                     // "command|length"
    std::map<std::string, std::deque<Reply>> replies;  // scripted, by command; default code 0, empty text
    std::map<int32_t, std::string> errorTexts;
    bool errorTextFails = false;
    std::vector<std::string> sounds;  // "name|flags"
    int32_t devices = 1;

    int32_t sendString(const char* command, char* reply, uint32_t length) override {
        sent.push_back(std::string(command) + "|" + std::to_string(length));
        Reply answer{0, ""};
        auto found = replies.find(command);
        if (found != replies.end() && !found->second.empty()) {
            answer = found->second.front();
            if (found->second.size() > 1) found->second.pop_front();
        }
        if (reply && length > 0 && answer.code == 0) {
            const size_t n = std::min<size_t>(answer.text.size(), length - 1);
            std::memcpy(reply, answer.text.data(), n);
            reply[n] = '\0';
        }
        return answer.code;
    }
    bool errorString(int32_t code, char* text, uint32_t length) override {
        sent.push_back("error text " + std::to_string(code) + "|" + std::to_string(length));
        if (errorTextFails) return false;
        const std::string message = errorTexts.count(code) ? errorTexts[code] : "unknown";
        std::snprintf(text, length, "%s", message.c_str());
        return true;
    }
    bool playSound(const char* name, uint32_t flags) override {
        sounds.push_back(std::string(name ? name : "(null)") + "|" + std::to_string(flags));
        return true;
    }
    int32_t waveOutDeviceCount() override { return devices; }

    void script(const std::string& command, std::initializer_list<Reply> answers) { replies[command] = answers; }
};

using Lines = std::vector<std::string>;

struct MusicTest : ::testing::Test {
    FakeMci mci;
    MciPortInUse inUse{mci};
};

TEST_F(MusicTest, SendMciCommandHandsBackReplyOrErrorText) {
    std::string text = "old";
    mci.script("status x", {{0, "ready"}});
    EXPECT_EQ(0, SendMciCommand("status x", text));
    EXPECT_EQ("ready", text);

    mci.script("bad", {{263, ""}});
    mci.errorTexts[263] = "The specified device is not open.";
    EXPECT_EQ(263, SendMciCommand("bad", text));
    EXPECT_EQ("The specified device is not open.", text);
    EXPECT_EQ((Lines{"status x|512", "bad|512", "error text 263|256"}), mci.sent);

    mci.errorTextFails = true;
    EXPECT_EQ(263, SendMciCommand("bad", text));
    EXPECT_EQ(kNoErrorTextText, text);
}

TEST_F(MusicTest, EmptyCommandIsAnsweredWithoutCallingMci) {
    std::string text;
    EXPECT_EQ(-1, SendMciCommand("", text));
    EXPECT_EQ(kNoCommandText, text);
    EXPECT_TRUE(mci.sent.empty());
}

TEST_F(MusicTest, JapaneseTextsAreShiftJisBytes) {
    EXPECT_EQ(std::string("\x83\x52\x83\x7d\x83\x93\x83\x68\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\x77\x92\xe8\x82\xb3"
                          "\x82\xea\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1"),
              kNoCommandText);
    EXPECT_EQ(std::string("Error (\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1)"),
              kNoErrorTextText);
}

TEST_F(MusicTest, QueryMciGivesErrorAndCodeWithoutABlank) {
    mci.script("status cdaudio mode", {{263, ""}, {0, "playing"}});
    EXPECT_EQ("Error:263", QueryMci("status cdaudio mode"));
    EXPECT_EQ("unknown", MciResult);  // the error text stays in MciResult
    EXPECT_EQ("playing", QueryMci("status cdaudio mode"));
    EXPECT_EQ("playing", MciResult);
}

TEST_F(MusicTest, PlayMciDeviceBuildsFourForms) {
    PlayMciDevice("cdaudio", "2", "3");
    PlayMciDevice("cdaudio", "2", "");
    PlayMciDevice("cdaudio", "", "3");
    PlayMciDevice("cdaudio", "", "");
    EXPECT_EQ(
        (Lines{"play cdaudio from 2 to 3|512", "play cdaudio from 2|512", "play cdaudio to 3|512", "play cdaudio|512"}),
        mci.sent);
}

TEST_F(MusicTest, CdStartAndStopSendTheirCommandsWithoutReplies) {
    StartCdAudio();
    StopCdAudio();
    EXPECT_EQ((Lines{"open cdaudio|0", "set cdaudio time format tmsf|0", "stop cdaudio|0", "close cdaudio|0"}),
              mci.sent);
}

TEST_F(MusicTest, CdPollWithoutRepeatPlaysOnWhenStopped) {
    mci.script("status cdaudio current track", {{0, "1"}});
    mci.script("status cdaudio number of tracks", {{0, "12"}});
    mci.script("status cdaudio mode", {{0, "stopped"}});
    PollCdAudio();
    EXPECT_TRUE(CdPollActive);
    EXPECT_EQ((Lines{"status cdaudio current track|512", "status cdaudio number of tracks|512",
                     "status cdaudio mode|255", "play cdaudio|512"}),
              mci.sent);

    mci.sent.clear();
    mci.script("status cdaudio mode", {{0, "playing"}});
    PollCdAudio();
    EXPECT_TRUE(CdPollActive);
    EXPECT_EQ(3u, mci.sent.size());  // no play command while playing
}

TEST_F(MusicTest, CdPollWithRepeatPullsBackToTheTrack) {
    BgmRepeatTrack = 3;
    mci.script("status cdaudio current track", {{0, "4"}});
    mci.script("status cdaudio number of tracks", {{0, "12"}});
    mci.script("status cdaudio mode", {{0, "playing"}});
    mci.script("status cdaudio position track 3", {{0, "03:00:00:00"}});
    PollCdAudio();
    EXPECT_TRUE(CdPollActive);
    EXPECT_EQ(
        (Lines{"status cdaudio current track|512", "status cdaudio number of tracks|512", "status cdaudio mode|255",
               "status cdaudio position track 3|512", "play cdaudio from 03:00:00:00|512"}),
        mci.sent);

    // On the repeated track and playing: nothing more.
    mci.sent.clear();
    mci.script("status cdaudio current track", {{0, "3"}});
    PollCdAudio();
    EXPECT_EQ(3u, mci.sent.size());

    // On the track but stopped: back to its start.
    mci.sent.clear();
    mci.script("status cdaudio mode", {{0, "stopped"}});
    PollCdAudio();
    EXPECT_EQ("play cdaudio from 03:00:00:00|512", mci.sent.back());
}

TEST_F(MusicTest, CdPollWithAMissingRepeatTrackSendsTheErrorAsPosition) {
    BgmRepeatTrack = 20;
    mci.script("status cdaudio current track", {{0, "1"}});
    mci.script("status cdaudio position track 20", {{274, ""}});
    PollCdAudio();
    EXPECT_TRUE(CdPollActive);
    EXPECT_EQ("play cdaudio from Error:274|512", mci.sent.back());
}

TEST_F(MusicTest, CdPollEndsOnErrInAnyCaseInEitherQuery) {
    for (const char* reply : {"err", "Error", "xERRx", "terrible"}) {
        SCOPED_TRACE(reply);
        mci.sent.clear();
        mci.script("status cdaudio current track", {{0, reply}});
        PollCdAudio();
        EXPECT_FALSE(CdPollActive);
        EXPECT_EQ(1u, mci.sent.size());

        mci.sent.clear();
        mci.script("status cdaudio current track", {{0, "2"}});
        mci.script("status cdaudio number of tracks", {{0, reply}});
        PollCdAudio();
        EXPECT_FALSE(CdPollActive);
        EXPECT_EQ(2u, mci.sent.size());
    }
}

TEST_F(MusicTest, CdPollEndsWhenTheQueryFails) {
    // No drive: the first query fails and answers "Error:" with the code.
    mci.script("status cdaudio current track", {{266, ""}});
    PollCdAudio();
    EXPECT_FALSE(CdPollActive);
    EXPECT_EQ((Lines{"status cdaudio current track|512", "error text 266|256"}), mci.sent);
}

TEST_F(MusicTest, CdModeReplyIsNotTestedForErr) {
    mci.script("status cdaudio current track", {{0, "1"}});
    mci.script("status cdaudio mode", {{0, "error"}});
    PollCdAudio();
    EXPECT_TRUE(CdPollActive);
}

TEST_F(MusicTest, NonNumericCurrentTrackEndsPollingOnlyWhenRepeating) {
    mci.script("status cdaudio current track", {{0, "one"}});
    mci.script("status cdaudio mode", {{0, "stopped"}});
    PollCdAudio();
    EXPECT_TRUE(CdPollActive);  // no repeat: the track is never compared

    BgmRepeatTrack = 2;
    mci.sent.clear();
    PollCdAudio();
    EXPECT_FALSE(CdPollActive);
    EXPECT_EQ(3u, mci.sent.size());  // no position query, no play
}

TEST_F(MusicTest, CdModeComparesOnlyTheFirstSevenCharacters) {
    mci.script("status cdaudio current track", {{0, "1"}});
    mci.script("status cdaudio mode", {{0, "stoppedXYZ"}});
    PollCdAudio();
    EXPECT_EQ("play cdaudio|512", mci.sent.back());
    mci.sent.clear();
    mci.script("status cdaudio mode", {{0, "stoppe"}});
    PollCdAudio();
    EXPECT_EQ("status cdaudio mode|255", mci.sent.back());
}

TEST_F(MusicTest, Mp3StartQuotesThePathAndPlaysOnlyAfterAnOpen) {
    BgmFile = "C:\\My Music\\lake.mp3";
    StartMp3();
    EXPECT_EQ((Lines{"open \"C:\\My Music\\lake.mp3\" type MPEGVideo Alias MP3Play|0", "play MP3Play|0"}), mci.sent);

    mci.sent.clear();
    mci.errorTexts[277] = "A problem occurred in initializing MCI.";
    mci.script("open \"C:\\My Music\\lake.mp3\" type MPEGVideo Alias MP3Play", {{277, ""}});
    static std::string logged;
    useFailureSink([](const std::string& what, const std::string& reason) { logged = what + "|" + reason; });
    StartMp3();
    useFailureSink(nullptr);
    EXPECT_EQ((Lines{"open \"C:\\My Music\\lake.mp3\" type MPEGVideo Alias MP3Play|0", "error text 277|256"}),
              mci.sent);
    EXPECT_EQ(
        "MCI \"open \"C:\\My Music\\lake.mp3\" type MPEGVideo Alias MP3Play\" failed with 277|"
        "A problem occurred in initializing MCI.",
        logged);
}

TEST_F(MusicTest, Mp3PollRestartsAnythingButPlaying) {
    for (const char* mode : {"stopped", "paused", "", "Playing", "playin", "not ready"}) {
        SCOPED_TRACE(mode);
        mci.sent.clear();
        mci.script("status MP3Play mode", {{0, mode}});
        PollMp3();
        EXPECT_EQ((Lines{"status MP3Play mode|30", "stop MP3Play|0", "play MP3Play from 0|0"}), mci.sent);
    }
    mci.sent.clear();
    mci.script("status MP3Play mode", {{0, "playing"}});
    PollMp3();
    EXPECT_EQ((Lines{"status MP3Play mode|30"}), mci.sent);
    mci.script("status MP3Play mode", {{0, "playing and more"}});
    EXPECT_TRUE(IsMp3Playing());
}

TEST_F(MusicTest, Mp3StatusThatFailsLeavesNoStaleReply) {
    mci.script("status MP3Play mode", {{0, "playing"}, {263, ""}});
    EXPECT_TRUE(IsMp3Playing());
    EXPECT_FALSE(IsMp3Playing());
}

TEST_F(MusicTest, Mp3Stop) {
    StopMp3();
    EXPECT_EQ((Lines{"stop MP3Play|0", "close MP3Play|0"}), mci.sent);
}

TEST_F(MusicTest, WavLoopsWithFlagsNineOnlyWithADevice) {
    BgmFile = "C:\\a.wav";
    StartWav();
    StopWav();
    EXPECT_EQ((std::vector<std::string>{"C:\\a.wav|9", "(null)|0"}), mci.sounds);

    mci.sounds.clear();
    mci.devices = 0;
    StartWav();
    EXPECT_TRUE(mci.sounds.empty());
}

TEST(MusicFileKind, LastThreeCharactersUpperCased) {
    EXPECT_EQ(MusicFileKind::Wav, musicFileKindOf("C:\\a.wav"));
    EXPECT_EQ(MusicFileKind::Wav, musicFileKindOf("C:\\a.WaV"));
    EXPECT_EQ(MusicFileKind::Mp3, musicFileKindOf("C:\\a.mp3"));
    EXPECT_EQ(MusicFileKind::Mp3, musicFileKindOf("mp3"));
    EXPECT_EQ(MusicFileKind::Other, musicFileKindOf("C:\\a.ogg"));
    EXPECT_EQ(MusicFileKind::Other, musicFileKindOf("av"));
    EXPECT_EQ(MusicFileKind::Other, musicFileKindOf(""));
}

TEST(MusicWithoutPort, FailsQuietly) {
    useMciPort(nullptr);
    EXPECT_EQ("Error:-1", QueryMci("status cdaudio mode"));
    EXPECT_FALSE(IsMp3Playing());
    PollCdAudio();
    EXPECT_FALSE(CdPollActive);
}

}  // namespace
