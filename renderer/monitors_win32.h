// The displays as the system reports them: the monitors and their refresh
// rates, the primary's mode, and the black windows over every monitor but
// the lake's.
#pragma once

#include <windows.h>

#include <vector>

#include "renderer/monitors.h"

// The current refresh rate, in hertz, of the display that holds the window;
// 0 when the system does not say.
int refreshRateOf(HWND window);

// The monitors as the system lists them now.
std::vector<MonitorArea> currentMonitors();

// The primary display's mode as it is now, or with kept as the user's
// settings keep it; false when the system does not say.
bool readPrimaryMode(DisplayMode& mode, bool kept = false);
// Sets the primary display's mode: its size, colour bits and refresh rate.
// With keep, the mode is written to the user's settings as well. Returns
// the system's DISP_CHANGE code.
long setPrimaryMode(const DisplayMode& mode, bool keep);

// Covers are black, topmost, borderless windows that show no cursor and
// never take the activation on a click. Their key, close and
// system-command messages go to inputProc, so they end the saver as the
// lake's window does. Each is a window a GL context can be made on, so
// that it can show the lake (monitor_lakes_win32.h).
void startMonitorCovers(HINSTANCE instance, WNDPROC inputProc);

struct MonitorCover {
    HWND window;
    ScreenRect rect;
};

// The covers there are.
const std::vector<MonitorCover>& monitorCovers();

// A new cover over rect, shown without the activation; nullptr (and
// nothing added) when it cannot be made.
HWND makeMonitorCover(const ScreenRect& rect);
// Moves and sizes the cover at index to rect.
void moveMonitorCover(int index, const ScreenRect& rect);
// Destroys the covers whose windows are in gone.
void dropMonitorCovers(const std::vector<HWND>& gone);

// Destroys every cover and unregisters their class; safe when there are none.
void destroyMonitorCovers();
