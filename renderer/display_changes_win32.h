// The renderer's windows kept on the monitors as they are: one window a
// monitor from the start, and again whenever monitors come, go, move or
// change size, or the primary is given another mode under the saver.
#pragma once

#include <windows.h>

// Covers every monitor but the primary, as they are now, and lifts the
// lake's window above them all (where monitors overlap, the lake stays in
// sight). With followsPrimary the lake's window is kept on the primary's
// rectangle. The covers' input goes to inputProc (monitors_win32.h).
void startFollowingDisplays(HINSTANCE instance, HWND lakeWindow, bool followsPrimary, WNDPROC inputProc);

// Gives every cover, and every cover made from now on, the lake drawn in a
// context that shares lakeContext's objects (monitor_lakes_win32.h). Call
// once the scene is initialised.
void startOtherMonitorLakes(HDC lakeDeviceContext, HGLRC lakeContext, int bits);

// Reads the monitors again and brings the windows to them. Without force,
// only when the list differs from the one last followed; true when it was
// read anew (the caller then reads the display's refresh rate again).
bool followDisplays(bool force);

// The covers and their contexts go; before the lake's window does.
void stopFollowingDisplays();
