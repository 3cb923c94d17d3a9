// What the renderer decides about the displays it runs on: the buffer-swap
// interval for a display's refresh rate, and which monitors get a black cover
// while the lake runs on the primary one. Plain data in, plain data out; the
// Win32 side reads the displays and makes the windows.
#pragma once

#include <vector>

// The swap interval that keeps frames at about 60 a second on a display
// refreshing refreshHz times a second: the animation advances one step per
// frame, so a 144 Hz display must not run it 2.4 times too fast. 60 -> 1,
// 120 -> 2, 144 -> 2, 165 -> 3, 240 -> 4; 0 and 1 (the hardware's default
// rate) and anything unknown -> 1.
int swapIntervalFor(int refreshHz);

// A rectangle in virtual-screen pixels, right and bottom exclusive.
struct ScreenRect {
    int left, top, right, bottom;
};

inline bool operator==(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct MonitorArea {
    ScreenRect rect;
    bool primary;
};

// The rectangles to black out: every monitor but the primary (the lake's),
// in the order given, each rectangle once; monitors with no area are left
// out. One monitor gives none.
std::vector<ScreenRect> coverRects(const std::vector<MonitorArea>& monitors);
