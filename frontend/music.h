// Solvane_BGM: background music while the saver runs - an audio CD track or
// disc, an MP3 file or a WAV file - played over the system's MCI command
// strings and PlaySound, repeated by polling from the show-mode timers.
#pragma once
#include <cstdint>
#include <string>

// The multimedia calls the player makes. Windows supplies winmm's own
// (music_win32.cpp); tests supply a recording fake.
struct MciPort {
    virtual ~MciPort() = default;
    // mciSendStringA(command, reply, replyLength, no callback window). The
    // reply buffer (null when replyLength is 0) holds replyLength characters.
    virtual int32_t sendString(const char* command, char* reply, uint32_t replyLength) = 0;
    // mciGetErrorStringA(code, text, length); false when the call fails.
    virtual bool errorString(int32_t code, char* text, uint32_t length) = 0;
    // PlaySoundA(name, no module, flags); name may be null.
    virtual bool playSound(const char* name, uint32_t flags) = 0;
    // waveOutGetNumDevs.
    virtual int32_t waveOutDeviceCount() = 0;
};

void useMciPort(MciPort* port);

// SND_ASYNC | SND_LOOP: with no SND_FILENAME, the usual lookup of a sound
// name applies (a sound alias first, then a file).
constexpr uint32_t kWavLoopFlags = 9;

// Texts handed back in place of a reply. Stored as Shift-JIS bytes, the way
// every other text in MciResult arrives from the ANSI MCI functions on a
// Japanese system, and fixed whatever the system's code page (like the INI
// key names), so a caller always meets the same bytes.
extern const char* const kNoCommandText;    // "コマンド文字列が指定されていません"
extern const char* const kNoErrorTextText;  // "Error (文字列が取れません)"

extern bool CdPollActive;
extern std::string MciResult;

void StartCdAudio();
void PollCdAudio();
void StopCdAudio();
void StartMp3();
bool IsMp3Playing();
void PollMp3();
void StopMp3();
void StartWav();
void StopWav();
// Stops whatever player BgmKind and BgmFile choose, as the end of a crashed
// saver does: no timers are left to stop.
void StopChosenMusic();

int32_t SendMciCommand(const std::string& command, std::string& text);
std::string QueryMci(const std::string& command);
int32_t PlayMciDevice(const std::string& device, const std::string& from, const std::string& to);

// Which player a music file uses: its last three characters, upper-cased.
enum class MusicFileKind { Other, Wav, Mp3 };
MusicFileKind musicFileKindOf(const std::string& path);
