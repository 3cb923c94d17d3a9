// The loop's clock, its timer and the notifications of the display's state
// and of the session.
#include "renderer/pacing_win32.h"

#include <mmsystem.h>
#include <wtsapi32.h>

#include <cstring>

#include "renderer/frame_pacing.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

static_assert(kConsoleConnect == WTS_CONSOLE_CONNECT && kConsoleDisconnect == WTS_CONSOLE_DISCONNECT &&
                  kRemoteConnect == WTS_REMOTE_CONNECT && kRemoteDisconnect == WTS_REMOTE_DISCONNECT,
              "the session events are the system's codes");

namespace {

// GUID_CONSOLE_DISPLAY_STATE, written out so that no GUID library is needed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr long long kTimerTicksPerSecond = 10000000;  // a waitable timer counts 100 ns

long long clockRate = 1;  // pacingClockRate, read once
HANDLE frameTimer = nullptr;
bool timerResolutionRaised = false;
HPOWERNOTIFY displayNotification = nullptr;
HWND sessionWindow = nullptr;

HANDLE makeFrameTimer() {
    const HANDLE timer =
        CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (timer != nullptr) return timer;
    // An older system's timer waits in steps of its tick (15.6 ms by
    // default), too coarse for a 16.7 ms period.
    timerResolutionRaised = timeBeginPeriod(1) == TIMERR_NOERROR;
    return CreateWaitableTimerW(nullptr, FALSE, nullptr);
}

}  // namespace

long long pacingClock() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

long long pacingClockRate() {
    LARGE_INTEGER rate;
    QueryPerformanceFrequency(&rate);
    return rate.QuadPart;
}

void startPacing(HWND window) {
    clockRate = pacingClockRate();
    frameTimer = makeFrameTimer();
    displayNotification = RegisterPowerSettingNotification(window, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION)) sessionWindow = window;
}

void endPacing() {
    if (sessionWindow != nullptr) WTSUnRegisterSessionNotification(sessionWindow);
    sessionWindow = nullptr;
    if (displayNotification != nullptr) UnregisterPowerSettingNotification(displayNotification);
    displayNotification = nullptr;
    if (frameTimer != nullptr) CloseHandle(frameTimer);
    frameTimer = nullptr;
    if (timerResolutionRaised) timeEndPeriod(1);
    timerResolutionRaised = false;
}

void waitForPassOrMessage(long long ticks) {
    const long long rate = clockRate > 0 ? clockRate : 1;
    if (ticks <= 0) return;
    const long long hundredNs = ticks / rate * kTimerTicksPerSecond + ticks % rate * kTimerTicksPerSecond / rate;
    LARGE_INTEGER due;
    due.QuadPart = -(hundredNs > 0 ? hundredNs : 1);  // negative: relative to now
    if (frameTimer != nullptr && SetWaitableTimer(frameTimer, &due, 0, nullptr, nullptr, FALSE)) {
        MsgWaitForMultipleObjectsEx(1, &frameTimer, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        return;
    }
    const DWORD milliseconds = static_cast<DWORD>((hundredNs + 9999) / 10000);
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void notePowerSetting(LPARAM setting) {
    const auto* record = reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    if (record == nullptr || !IsEqualGUID(record->PowerSetting, kConsoleDisplayState)) return;
    if (record->DataLength != sizeof(DWORD)) return;
    DWORD state;
    std::memcpy(&state, record->Data, sizeof state);
    noteDisplayState(state);
}
