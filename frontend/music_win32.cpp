#include "frontend/music_win32.h"

#include <windows.h>
#include <mmsystem.h>
#include <tlhelp32.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// How long a stop waits for the player's own thread to finish. The thread
// ends a few milliseconds after the stop returns; the bound only keeps the
// saver's end prompt should a system keep that thread alive.
const DWORD kPlayerThreadWaitMs = 1000;

std::vector<DWORD> threadIdsOfThisProcess() {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    THREADENTRY32 entry;
    entry.dwSize = sizeof entry;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == self) ids.push_back(entry.th32ThreadID);
    }
    CloseHandle(snapshot);
    std::sort(ids.begin(), ids.end());
    return ids;
}

struct WindowsMci : MciPort {
    // Threads that an asynchronous PlaySoundA started: the player.
    std::vector<HANDLE> playerThreads;

    int32_t sendString(const char* command, char* reply, uint32_t replyLength) override {
        return static_cast<int32_t>(mciSendStringA(command, reply, replyLength, nullptr));
    }
    bool errorString(int32_t code, char* text, uint32_t length) override {
        return mciGetErrorStringA(static_cast<MCIERROR>(code), text, length) != FALSE;
    }
    bool playSound(const char* name, uint32_t flags) override {
        if (name == nullptr) {
            const bool stopped = PlaySoundA(nullptr, nullptr, flags) != FALSE;
            awaitPlayerThreads();
            return stopped;
        }
        const std::vector<DWORD> before = threadIdsOfThisProcess();
        const bool started = PlaySoundA(name, nullptr, flags) != FALSE;
        if (started && (flags & SND_ASYNC)) keepThreadsStartedSince(before);
        return started;
    }
    int32_t waveOutDeviceCount() override { return static_cast<int32_t>(waveOutGetNumDevs()); }

    void keepThreadsStartedSince(const std::vector<DWORD>& before) {
        const std::vector<DWORD> after = threadIdsOfThisProcess();
        std::vector<DWORD> started;
        std::set_difference(after.begin(), after.end(), before.begin(), before.end(), std::back_inserter(started));
        for (DWORD id : started) {
            if (playerThreads.size() >= MAXIMUM_WAIT_OBJECTS) break;
            HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
            if (thread) playerThreads.push_back(thread);
        }
    }

    // The stop returns while the player's thread is still closing down. The
    // saver ends the process right after the stop, and under Wine ending it
    // while that thread is half-way out now and then kills the process with
    // a segmentation fault; so the stop is complete only once the thread has
    // gone.
    void awaitPlayerThreads() {
        if (playerThreads.empty()) return;
        WaitForMultipleObjects(static_cast<DWORD>(playerThreads.size()), playerThreads.data(), TRUE,
                               kPlayerThreadWaitMs);
        for (HANDLE thread : playerThreads) CloseHandle(thread);
        playerThreads.clear();
    }
};

WindowsMci windowsMci;

}  // namespace

MciPort& windowsMciPort() { return windowsMci; }
