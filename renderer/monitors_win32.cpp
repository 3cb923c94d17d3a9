// The monitors' rectangles, refresh rates and modes from the system, and the
// cover windows made from them.
#include "renderer/monitors_win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr char kCoverClass[] = "KestrineCover";

HINSTANCE coverInstance = nullptr;
WNDPROC coverInputProc = nullptr;
bool coverClassRegistered = false;
std::vector<MonitorCover> covers;

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

// Registered with the first cover, so that one monitor registers nothing.
bool registerCoverClass() {
    if (coverClassRegistered) return true;
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

DEVMODEA emptyMode() {
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    return mode;
}

}  // namespace

int refreshRateOf(HWND window) {
    MONITORINFOEXA info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) return 0;
    DEVMODEA mode = emptyMode();
    if (!EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    return static_cast<int>(mode.dmDisplayFrequency);
}

std::vector<MonitorArea> currentMonitors() {
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool readPrimaryMode(DisplayMode& mode, bool kept) {
    DEVMODEA current = emptyMode();
    if (!EnumDisplaySettingsA(nullptr, kept ? ENUM_REGISTRY_SETTINGS : ENUM_CURRENT_SETTINGS, &current)) return false;
    mode = {static_cast<int>(current.dmPelsWidth), static_cast<int>(current.dmPelsHeight),
            static_cast<int>(current.dmBitsPerPel), static_cast<int>(current.dmDisplayFrequency)};
    return true;
}

long setPrimaryMode(const DisplayMode& mode, bool keep) {
    DEVMODEA wanted = emptyMode();
    wanted.dmPelsWidth = static_cast<DWORD>(mode.width);
    wanted.dmPelsHeight = static_cast<DWORD>(mode.height);
    wanted.dmBitsPerPel = static_cast<DWORD>(mode.bits);
    wanted.dmDisplayFrequency = static_cast<DWORD>(mode.refreshHz);
    wanted.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    return ChangeDisplaySettingsA(&wanted, keep ? CDS_UPDATEREGISTRY : 0);
}

void startMonitorCovers(HINSTANCE instance, WNDPROC inputProc) {
    coverInstance = instance;
    coverInputProc = inputProc;
}

const std::vector<MonitorCover>& monitorCovers() { return covers; }

HWND makeMonitorCover(const ScreenRect& r) {
    if (!registerCoverClass()) return nullptr;
    // A tool window stays out of the taskbar and the task switcher.
    const HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kCoverClass, "", WS_POPUP, r.left, r.top,
                                       r.right - r.left, r.bottom - r.top, nullptr, nullptr, coverInstance, nullptr);
    if (cover == nullptr) return nullptr;
    covers.push_back({cover, r});
    ShowWindow(cover, SW_SHOWNOACTIVATE);
    return cover;
}

void moveMonitorCover(int index, const ScreenRect& r) {
    MonitorCover& cover = covers[static_cast<size_t>(index)];
    cover.rect = r;
    SetWindowPos(cover.window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void dropMonitorCovers(const std::vector<HWND>& gone) {
    for (HWND window : gone) DestroyWindow(window);
    covers.erase(std::remove_if(covers.begin(), covers.end(),
                                [&gone](const MonitorCover& cover) {
                                    return std::find(gone.begin(), gone.end(), cover.window) != gone.end();
                                }),
                 covers.end());
}

void destroyMonitorCovers() {
    for (const MonitorCover& cover : covers) DestroyWindow(cover.window);
    covers.clear();
    if (coverClassRegistered) UnregisterClassA(kCoverClass, coverInstance);
    coverClassRegistered = false;
}
