// What the renderer decides about the displays it runs on: the buffer-swap
// interval for a display's refresh rate, which monitors get a window of
// their own beside the lake's on the primary one, and what becomes of those
// windows when the monitors change under a running saver. Plain data in,
// plain data out; the Win32 side reads the displays and moves the windows.
#pragma once

#include <vector>

// The swap interval that keeps frames at about 60 a second on a display
// refreshing refreshHz times a second: the animation advances one step per
// frame, so a 144 Hz display must not run it 2.4 times too fast. 60 -> 1,
// 120 -> 2, 144 -> 2, 165 -> 3, 240 -> 4; 0 and 1 (the hardware's default
// rate) and anything unknown -> 1.
int swapIntervalFor(int refreshHz);

// A display's mode: what the renderer records before it changes the
// primary's, and puts back at its end.
struct DisplayMode {
    int width, height, bits, refreshHz;
};

inline bool operator==(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.bits == b.bits && a.refreshHz == b.refreshHz;
}

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

inline bool operator==(const MonitorArea& a, const MonitorArea& b) {
    return a.rect == b.rect && a.primary == b.primary;
}

// The rectangles to cover: every monitor but the primary (the lake's), in
// the order given, each rectangle once (a cloned display shows one window);
// a clone of the primary is the lake's, and monitors with no area are left
// out. One monitor gives none.
std::vector<ScreenRect> coverRects(const std::vector<MonitorArea>& monitors);

// What becomes of one cover window when the monitors change.
enum class CoverAction { Drop, Move, Make };
struct CoverStep {
    CoverAction action;
    int window;       // Drop and Move: its place in the covers given; Make: -1
    ScreenRect rect;  // Move and Make: where it goes
};

struct DisplayPlan {
    bool moveLake;        // the lake's window goes to lakeRect
    ScreenRect lakeRect;  // the primary's rectangle
    // Drops, then moves, then makes; empty when every monitor has its
    // window where it is.
    std::vector<CoverStep> covers;
};

// The steps from the windows there are to exactly one window a monitor. A
// cover already on a monitor's rectangle stays, wherever the monitor comes
// in the list; a monitor that moved or changed size takes a cover left
// over (its GL context is kept), a new monitor gets a new one, and covers
// left over go. The lake's window follows the primary's rectangle when
// followsPrimary (the display mode was changed for it, and the system may
// have given the primary another since); a window in a desktop's window
// stays where the user sees it. An empty list of monitors (a display
// between two states) changes nothing.
DisplayPlan planDisplays(const ScreenRect& lake, bool followsPrimary, const std::vector<ScreenRect>& covers,
                         const std::vector<MonitorArea>& monitors);
