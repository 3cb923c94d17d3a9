// Drives the music player through the real winmm under Wine, one scenario per
// run, and reports what MCI and PlaySound did.
//   frontend_mci REPORT mp3 PATH   open, play as MP3Play, restart after the end, stop
//   frontend_mci REPORT cd         CD polling with no drive
//   frontend_mci REPORT wav PATH   a looping WAV that keeps playing, then stops
// Writes "key value" lines to REPORT; exit 0 when every check passed.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "frontend/music.h"
#include "frontend/music_win32.h"
#include "frontend/program_state.h"
#include "test_report.h"

namespace {

using test_report::check;
using test_report::note;

std::string mp3Mode() {
    char mode[64] = {};
    mciSendStringA("status MP3Play mode", mode, sizeof mode - 1, nullptr);
    return mode;
}

// Waits until the MP3's mode is (or is not) the given one; false after the limit.
bool waitMp3Mode(const std::string& wanted, bool equal, int limitMs) {
    for (int waited = 0; waited <= limitMs; waited += 50) {
        if ((mp3Mode() == wanted) == equal) return true;
        Sleep(50);
    }
    return false;
}

void mp3Scenario(const char* path) {
    BgmFile = path;
    StartMp3();
    check(IsMp3Playing(), "playing_after_start");
    note("mode_after_start", mp3Mode());
    char length[64] = {};
    mciSendStringA("status MP3Play length", length, sizeof length - 1, nullptr);
    note("length", length);
    // The file is short: wait for its end, then let the poll restart it.
    check(waitMp3Mode("playing", false, 30000), "ended_by_itself");
    note("mode_at_end", mp3Mode());
    check(!IsMp3Playing(), "not_playing_at_end");
    PollMp3();
    check(IsMp3Playing(), "playing_after_poll");
    char position[64] = {};
    mciSendStringA("status MP3Play position", position, sizeof position - 1, nullptr);
    note("position_after_poll", position);
    PollMp3();  // a poll while it plays changes nothing
    check(IsMp3Playing(), "still_playing");
    StopMp3();
    check(!IsMp3Playing(), "stopped");
    note("status_after_stop", QueryMci("status MP3Play mode"));
    check(QueryMci("status MP3Play mode").rfind("Error:", 0) == 0, "alias_closed");
}

void cdScenario() {
    StartCdAudio();
    PollCdAudio();
    note("current_track", QueryMci("status cdaudio current track"));
    check(!CdPollActive, "polling_ended");
    StopCdAudio();
}

// With SND_NOSTOP, PlaySound refuses while another sound of this process is
// playing, which tells from outside whether the loop still runs.
bool soundBusy(const char* path) {
    if (PlaySoundA(path, nullptr, SND_ASYNC | SND_NOSTOP | SND_FILENAME)) {
        PlaySoundA(nullptr, nullptr, 0);
        return false;
    }
    return true;
}

void wavScenario(const char* path, const char* probe) {
    BgmFile = path;
    note("devices", std::to_string(waveOutGetNumDevs()));
    // The probe itself: the same file played once is over after the wait
    // below, so a busy device after it means a loop.
    PlaySoundA(path, nullptr, SND_ASYNC | SND_FILENAME);
    Sleep(2200);
    check(!soundBusy(probe), "single_play_ends");
    StartWav();
    Sleep(200);
    check(soundBusy(probe), "playing");
    // The file lasts a fraction of this wait: only a loop is still playing.
    Sleep(2000);
    check(soundBusy(probe), "looping");
    StopWav();
    bool free = false;
    for (int i = 0; i < 100 && !free; ++i) {
        Sleep(50);
        free = !soundBusy(probe);
    }
    check(free, "stopped");
}

const test_report::Scenario kScenarios[] = {
    {"mp3", 1, [](char** words) { mp3Scenario(words[0]); }},
    {"cd", 0, [](char**) { cdScenario(); }},
    {"wav", 2, [](char** words) { wavScenario(words[0], words[1]); }},
};

}  // namespace

int main(int argc, char** argv) {
    useMciPort(&windowsMciPort());
    return test_report::runScenario(argc, argv, kScenarios);
}
