#include "frontend/music.h"

#include <cstring>

#include "diagnostics/failure_log.h"
#include "frontend/ascii_case.h"
#include "frontend/number_text.h"
#include "frontend/program_state.h"

const char* const kNoCommandText =
    "\x83\x52\x83\x7d\x83\x93\x83\x68\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\x77\x92\xe8\x82\xb3\x82\xea\x82\xc4"
    "\x82\xa2\x82\xdc\x82\xb9\x82\xf1";
const char* const kNoErrorTextText = "Error (\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x8e\xe6\x82\xea\x82\xdc\x82\xb9\x82\xf1)";

bool CdPollActive = false;
std::string MciResult;

namespace {

struct SilentPort : MciPort {
    int32_t sendString(const char*, char*, uint32_t) override { return -1; }
    bool errorString(int32_t, char*, uint32_t) override { return false; }
    bool playSound(const char*, uint32_t) override { return false; }
    int32_t waveOutDeviceCount() override { return 0; }
};

SilentPort silentPort;
MciPort* mci = &silentPort;

// Reply buffers of the lengths handed to MCI. Each has one byte more than
// its length and is cleared before every call, so its text always ends and
// a call that writes nothing leaves no stale reply behind.
template <uint32_t Length>
struct ReplyBuffer {
    char text[Length + 1];
    char* clear() {
        std::memset(text, 0, sizeof text);
        return text;
    }
    static constexpr uint32_t length = Length;
};

ReplyBuffer<512> mciReply;
ReplyBuffer<256> errorText;
ReplyBuffer<255> cdModeReply;
ReplyBuffer<30> mp3ModeReply;

int32_t sendWithoutReply(const char* command) { return mci->sendString(command, nullptr, 0); }

// A start that failed goes to the failure log with MCI's own text for it.
void logMciFailure(const std::string& command, int32_t code) {
    if (code == 0) return;
    char text[257] = {};
    const bool named = mci->errorString(code, text, sizeof text - 1);
    logFailure("MCI \"" + command + "\" failed with " + std::to_string(code), named ? text : "");
}

std::string firstSeven(const char* text) { return std::string(text).substr(0, 7); }

bool containsErr(const std::string& text) { return upperAscii(text).find("ERR") != std::string::npos; }

std::string cdMode() {
    mci->sendString("status cdaudio mode", cdModeReply.clear(), cdModeReply.length);
    return firstSeven(cdModeReply.text);
}

// One poll; false when it met a failure and polling must end.
bool pollCdOnce() {
    const std::string current = QueryMci("status cdaudio current track");
    if (containsErr(current)) return false;
    const std::string count = QueryMci("status cdaudio number of tracks");
    if (containsErr(count)) return false;
    const std::string mode = cdMode();
    const bool stopped = (mode == "stopped");
    if (BgmRepeatTrack == 0) {
        if (stopped) PlayMciDevice("cdaudio", "", "");
        return true;
    }
    double currentTrack = 0;
    if (!readNumber(current, currentTrack)) return false;
    if (stopped || currentTrack != BgmRepeatTrack) {
        const std::string position = QueryMci("status cdaudio position track " + std::to_string(BgmRepeatTrack));
        PlayMciDevice("cdaudio", position, "");
    }
    return true;
}

}  // namespace

void useMciPort(MciPort* port) { mci = port ? port : &silentPort; }

int32_t SendMciCommand(const std::string& command, std::string& text) {
    if (command.empty()) {
        text = kNoCommandText;
        return -1;
    }
    const int32_t code = mci->sendString(command.c_str(), mciReply.clear(), mciReply.length);
    if (code == 0) {
        text = mciReply.text;
        return 0;
    }
    if (mci->errorString(code, errorText.clear(), errorText.length)) {
        text = errorText.text;
    } else {
        text = kNoErrorTextText;
    }
    return code;
}

std::string QueryMci(const std::string& command) {
    const int32_t code = SendMciCommand(command, MciResult);
    if (code != 0) return "Error:" + std::to_string(code);
    return MciResult;
}

int32_t PlayMciDevice(const std::string& device, const std::string& from, const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    if (!to.empty()) command += " to " + to;
    return SendMciCommand(command, MciResult);
}

void StartCdAudio() {
    logMciFailure("open cdaudio", sendWithoutReply("open cdaudio"));
    sendWithoutReply("set cdaudio time format tmsf");
}

void PollCdAudio() {
    CdPollActive = true;
    try {
        if (!pollCdOnce()) CdPollActive = false;
    } catch (...) {
        CdPollActive = false;
    }
}

void StopCdAudio() {
    sendWithoutReply("stop cdaudio");
    sendWithoutReply("close cdaudio");
}

void StartMp3() {
    const std::string open = "open \"" + BgmFile + "\" type MPEGVideo Alias MP3Play";
    const int32_t opened = mci->sendString(open.c_str(), nullptr, 0);
    logMciFailure(open, opened);
    if (opened == 0) logMciFailure("play MP3Play", sendWithoutReply("play MP3Play"));
}

bool IsMp3Playing() {
    mci->sendString("status MP3Play mode", mp3ModeReply.clear(), mp3ModeReply.length);
    return firstSeven(mp3ModeReply.text) == "playing";
}

void PollMp3() {
    if (IsMp3Playing()) return;
    sendWithoutReply("stop MP3Play");
    sendWithoutReply("play MP3Play from 0");
}

void StopMp3() {
    sendWithoutReply("stop MP3Play");
    sendWithoutReply("close MP3Play");
}

void StartWav() {
    if (mci->waveOutDeviceCount() <= 0) {
        logFailure("no wave output device for " + BgmFile, "");
        return;
    }
    if (!mci->playSound(BgmFile.c_str(), kWavLoopFlags)) logFailure("the WAV file " + BgmFile + " does not play", "");
}

void StopWav() { mci->playSound(nullptr, 0); }

void StopChosenMusic() {
    if (BgmKind == 1) StopCdAudio();
    if (BgmKind != 2) return;
    const MusicFileKind kind = musicFileKindOf(BgmFile);
    if (kind == MusicFileKind::Wav) StopWav();
    if (kind == MusicFileKind::Mp3) StopMp3();
}

MusicFileKind musicFileKindOf(const std::string& path) {
    const std::string ending = upperAscii(path.size() >= 3 ? path.substr(path.size() - 3) : path);
    if (ending == "WAV") return MusicFileKind::Wav;
    if (ending == "MP3") return MusicFileKind::Mp3;
    return MusicFileKind::Other;
}
