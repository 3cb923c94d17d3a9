// The lake on every monitor but the primary: each cover window gets a GL
// context of its own that shares the lake's textures, and draws the scene
// as it stands after the frame's one step, at its monitor's own size.
#pragma once

#include <windows.h>

// The lake's context, which every other monitor's shares, and the colour
// bits of its pixel format. Call once the scene is initialised.
void startMonitorLakes(HDC lakeDeviceContext, HGLRC lakeContext, int bits);

// Makes a context on the cover sharing the lake's texture objects, buffer
// objects and display lists, with the fixed GL state, the view for the
// cover's size and no wait for the display's refresh: the lake's window
// alone sets the pace. A cover whose context cannot be made stays black.
// The lake's context is current again afterwards.
void startMonitorLake(HWND cover);

// Deletes the cover's context, if it has one; before the cover itself goes.
void endMonitorLake(HWND cover);

// Draws the scene as it stands into every cover that shows the lake, with
// the water mesh as the lake's window last wrote it, then makes the lake's
// context current again.
void drawMonitorLakes();

// Swaps the buffers of every cover that shows the lake.
void swapMonitorLakes();

// Deletes every cover's context; before the covers themselves go.
void endMonitorLakes();
