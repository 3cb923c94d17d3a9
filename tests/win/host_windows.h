// The host a preview goes into, as the system's screen-saver settings page
// has it: a page window with a box inside, both of a plain class with a
// black background and no behaviour of their own.
#pragma once
#include <windows.h>

struct HostWindows {
    HWND page;
    HWND box;
};

// Registers className and makes the page at its screen rectangle, then the
// box at its rectangle inside the page. Either window is null on failure.
inline HostWindows makeHostWindows(const char* className, const char* title, DWORD pageStyle, RECT page, DWORD boxStyle,
                                   RECT box) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    HostWindows made = {};
    made.page = CreateWindowA(className, title, pageStyle, page.left, page.top, page.right - page.left,
                              page.bottom - page.top, nullptr, nullptr, instance, nullptr);
    made.box = CreateWindowA(className, "", boxStyle, box.left, box.top, box.right - box.left, box.bottom - box.top,
                             made.page, nullptr, instance, nullptr);
    return made;
}
