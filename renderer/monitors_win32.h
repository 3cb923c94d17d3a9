// The displays as the system reports them: the refresh rate of the monitor
// a window is on, and the black windows over every monitor but the lake's.
#pragma once

#include <windows.h>

#include <vector>

// The current refresh rate, in hertz, of the display that holds the window;
// 0 when the system does not say.
int refreshRateOf(HWND window);

// Covers every monitor but the primary, as they are now, with a black,
// topmost, borderless window that shows no cursor and never takes the
// activation on a click, then lifts the lake's window above them all (where
// monitors overlap, the lake stays in sight). The covers' key, close and
// system-command messages go to inputProc, so they end the saver as the
// lake's window does. With one monitor nothing is made; a cover that cannot
// be made is left out. Each cover is a window a GL context can be made on,
// so that it can show the lake (monitor_lakes_win32.h).
void showMonitorCovers(HINSTANCE instance, HWND lakeWindow, WNDPROC inputProc);

// The covers made by showMonitorCovers, in the order of their monitors.
const std::vector<HWND>& monitorCovers();

// Destroys the covers and unregisters their class; safe when there are none.
void destroyMonitorCovers();
