#include "frontend/music_win32.h"

#include <windows.h>
#include <mmsystem.h>

namespace {

struct WindowsMci : MciPort {
    int32_t sendString(const char* command, char* reply, uint32_t replyLength) override {
        return static_cast<int32_t>(mciSendStringA(command, reply, replyLength, nullptr));
    }
    bool errorString(int32_t code, char* text, uint32_t length) override {
        return mciGetErrorStringA(static_cast<MCIERROR>(code), text, length) != FALSE;
    }
    bool playSound(const char* name, uint32_t flags) override {
        return PlaySoundA(name, nullptr, flags) != FALSE;
    }
    int32_t waveOutDeviceCount() override { return static_cast<int32_t>(waveOutGetNumDevs()); }
};

WindowsMci windowsMci;

}  // namespace

MciPort& WindowsMciPort() { return windowsMci; }
