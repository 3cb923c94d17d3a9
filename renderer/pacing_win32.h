// The Win32 side of the loop's pace and rests: the clock, the wait for the
// next pass that any message cuts short, and the display and session
// notifications that start and end a rest (frame_pacing.h).
#pragma once

#include <windows.h>

// The performance counter and its ticks a second.
long long pacingClock();
long long pacingClockRate();

// Makes the timer the waits use: a high-resolution waitable timer, or where
// the system refuses one (before Windows 10 1803) a plain one with the
// system's timer resolution raised to 1 ms until endPacing. Asks the
// system to report the display's state and the session's changes to
// window. Without a timer the waits time out by themselves.
void startPacing(HWND window);
// Undoes startPacing.
void endPacing();

// Waits until ticks (of pacingClock) have passed or a message arrives,
// whichever comes first.
void waitForPassOrMessage(long long ticks);

// WM_POWERBROADCAST's PBT_POWERSETTINGCHANGE: a display state change is
// noted (noteDisplayState); other settings and malformed records are not.
void notePowerSetting(LPARAM setting);
