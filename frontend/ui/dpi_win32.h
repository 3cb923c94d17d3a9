// The screen's dots per inch as the system gives them to this program, which
// declares itself DPI aware in its manifest: the system's, a window's (its
// monitor's where the system scales monitors apart), and a window's frame at
// a scale. The calls that only newer systems have are looked up when first
// needed, so the program still runs where they are missing.
#pragma once
#include <windows.h>

int systemDpi();
// The window's dots per inch; the system's where the system has no per-window value.
int windowDpi(HWND window);
// The outer rectangle of a window of these styles around the client rectangle, at dpi.
RECT outerRect(const RECT& client, DWORD style, DWORD exStyle, int dpi);

// While it lives, the windows this thread makes, and the sizes it reads and
// sets, are in the DPI awareness of another window (a host's preview
// window): a child made for that window measures in that window's pixels.
class dpiAwarenessOf {
public:
    explicit dpiAwarenessOf(HWND window);
    ~dpiAwarenessOf();
    dpiAwarenessOf(const dpiAwarenessOf&) = delete;
    dpiAwarenessOf& operator=(const dpiAwarenessOf&) = delete;

private:
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};
