// Arbitrary bytes as a command line, a setting's text, a music path and a
// device reply: nothing crashes or reads past its text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "frontend/command_line.h"
#include "frontend/music.h"
#include "frontend/number_text.h"
#include "frontend/program_state.h"
#include "frontend/settings.h"

namespace {

// Answers every query with the fuzz input, cut to the reply length.
struct EchoPort : MciPort {
    std::string reply;
    int32_t sendString(const char*, char* buffer, uint32_t length) override {
        if (buffer && length) {
            const size_t n = reply.size() < length ? reply.size() : length;  // may fill the whole buffer
            std::memcpy(buffer, reply.data(), n);
        }
        return 0;
    }
    bool errorString(int32_t, char*, uint32_t) override { return false; }
    bool playSound(const char*, uint32_t) override { return true; }
    int32_t waveOutDeviceCount() override { return 1; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)startModeOf(text);
    (void)previewHandleOf(text);
    (void)argumentsOf(text);
    (void)FolderOfPath(text);
    int16_t value = 0;
    (void)readFloor16(text, value);
    (void)musicFileKindOf(text);

    static EchoPort port;
    port.reply = text;
    useMciPort(&port);
    BgmRepeatTrack = static_cast<int16_t>(size % 5);
    PollCdAudio();
    (void)IsMp3Playing();
    PollMp3();
    useMciPort(nullptr);
    return 0;
}
