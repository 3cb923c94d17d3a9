// The monitors' rectangles and refresh rates from the system, and the cover
// windows made from them.
#include "renderer/monitors_win32.h"

#include <cstring>
#include <vector>

#include "renderer/monitors.h"

namespace {

constexpr char kCoverClass[] = "KestrineCover";

HINSTANCE coverInstance = nullptr;
WNDPROC coverInputProc = nullptr;
bool coverClassRegistered = false;
std::vector<HWND> covers;

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
        {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    return TRUE;
}

LRESULT CALLBACK coverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR: SetCursor(nullptr); return TRUE;
        // A click leaves the lake's window active and on top.
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CLOSE:
        case WM_SYSCOMMAND: return coverInputProc(window, message, wParam, lParam);
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool registerCoverClass() {
    WNDCLASSA coverClass;
    std::memset(&coverClass, 0, sizeof coverClass);
    // A device context of its own, as a GL window needs.
    coverClass.style = CS_OWNDC;
    coverClass.lpfnWndProc = coverWindowProc;
    coverClass.hInstance = coverInstance;
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = kCoverClass;
    coverClassRegistered = RegisterClassA(&coverClass) != 0;
    return coverClassRegistered;
}

}  // namespace

int refreshRateOf(HWND window) {
    MONITORINFOEXA info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) return 0;
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    return static_cast<int>(mode.dmDisplayFrequency);
}

void showMonitorCovers(HINSTANCE instance, HWND lakeWindow, WNDPROC inputProc) {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    const std::vector<ScreenRect> rects = coverRects(monitors);
    if (rects.empty()) return;
    coverInstance = instance;
    coverInputProc = inputProc;
    if (!registerCoverClass()) return;
    for (const ScreenRect& r : rects) {
        // A tool window stays out of the taskbar and the task switcher.
        const HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClass, "", WS_POPUP, r.left, r.top,
                                           r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
        if (cover == nullptr) continue;
        covers.push_back(cover);
        ShowWindow(cover, SW_SHOWNOACTIVATE);
    }
    SetWindowPos(lakeWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

const std::vector<HWND>& monitorCovers() { return covers; }

void destroyMonitorCovers() {
    for (HWND cover : covers) DestroyWindow(cover);
    covers.clear();
    if (coverClassRegistered) UnregisterClassA(kCoverClass, coverInstance);
    coverClassRegistered = false;
}
