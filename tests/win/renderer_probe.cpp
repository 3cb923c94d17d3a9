// Looks at and pokes the renderer's window from another process, as the
// system and the front end would. One command per run:
//   renderer_probe REPORT find            "class", "popup", "overlapped", "appwindow", "windowedge", "clip",
//                                         "topmost" (0|1), "client WxH", "origin X,Y"
//   renderer_probe REPORT mode            "mode WIDTHxHEIGHTxBITS" and "refresh HZ" of the display, "dpi N" of
//                                         the screen, "monitor L,T,R,B primary|other" each as Wine lists them
//   renderer_probe REPORT close           posts WM_CLOSE
//   renderer_probe REPORT minimise-close  minimises the window, then posts WM_CLOSE
//   renderer_probe REPORT minimise        minimises the window; restore: restores it
//   renderer_probe REPORT sc-close        posts WM_SYSCOMMAND SC_CLOSE (the system's close command)
//   renderer_probe REPORT saver-commands  sends SC_SCREENSAVE and SC_MONITORPOWER: "screensave N", "monitorpower N"
//   renderer_probe REPORT odd-keys        posts key messages with virtual-key codes beyond 255
//   renderer_probe REPORT monitors        "monitors N", "monitor L,T,R,B primary|other" each; the renderer's
//                                         other visible top-level windows: "covers N", "cover L,T,R,B" each,
//                                         with checks that each is borderless, topmost, without a cursor
//                                         and below the lake
//   renderer_probe REPORT cover-focus     makes the first cover the foreground window
//   renderer_probe REPORT fault           starts a thread in the renderer at address 0: a real access
//                                         violation there, as a crash of its own would be
//   renderer_probe REPORT display STATE   tells the window the display's state (0 off, 1 on, 2 dimmed) as the
//                                         system does: a POWERBROADCAST_SETTING written into the renderer's
//                                         memory, then WM_POWERBROADCAST PBT_POWERSETTINGCHANGE with its address
//   renderer_probe REPORT session EVENT   posts WM_WTSSESSION_CHANGE with the event code (2 console
//                                         disconnect, 1 console connect, 7 lock, ...)
//   renderer_probe REPORT resume          posts WM_POWERBROADCAST PBT_APMRESUMEAUTOMATIC, as after a sleep
//   renderer_probe REPORT keep-mode       makes the display's current mode the user's own (CDS_UPDATEREGISTRY),
//                                         as a system may do when monitors come or go
// REPORT gets "key value" lines and one "what ok|FAIL" line per check; exit 0
// when the window exists and every check passed.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "contract/saver_contract.h"
#include "test_report.h"

namespace {

using test_report::check;
using test_report::note;

std::string flag(bool on) { return on ? "1" : "0"; }

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

void describe(HWND window) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    RECT client = {};
    GetClientRect(window, &client);
    RECT frame = {};
    GetWindowRect(window, &frame);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    note("class", className);
    note("popup", flag(style & WS_POPUP));
    note("overlapped", flag((style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW));
    note("appwindow", flag(exStyle & WS_EX_APPWINDOW));
    note("windowedge", flag(exStyle & WS_EX_WINDOWEDGE));
    note("clip", flag((style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) == (WS_CLIPSIBLINGS | WS_CLIPCHILDREN)));
    note("topmost", flag(exStyle & WS_EX_TOPMOST));
    note("client", std::to_string(client.right - client.left) + "x" + std::to_string(client.bottom - client.top));
    note("origin", std::to_string(frame.left) + "," + std::to_string(frame.top));
}

BOOL CALLBACK noteMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM count) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    note("monitor", rectText(info.rcMonitor) + ((info.dwFlags & MONITORINFOF_PRIMARY) ? " primary" : " other"));
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void reportMode() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    const bool read = EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) != FALSE;
    check(read, "mode_read");
    if (read) {
        note("mode", std::to_string(mode.dmPelsWidth) + "x" + std::to_string(mode.dmPelsHeight) + "x" +
                         std::to_string(mode.dmBitsPerPel));
        note("refresh", std::to_string(mode.dmDisplayFrequency));
    }
    const HDC screen = GetDC(nullptr);
    note("dpi", std::to_string(GetDeviceCaps(screen, LOGPIXELSX)));
    ReleaseDC(nullptr, screen);
    int monitors = 0;
    EnumDisplayMonitors(nullptr, nullptr, noteMonitor, reinterpret_cast<LPARAM>(&monitors));
}

struct ProcessWindows {
    DWORD pid;
    HWND lake;
    std::vector<HWND> others;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    auto& windows = *reinterpret_cast<ProcessWindows*>(list);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == windows.pid && window != windows.lake && IsWindowVisible(window)) windows.others.push_back(window);
    return TRUE;
}

// The renderer's visible top-level windows other than the lake's: its covers.
std::vector<HWND> coversOf(HWND lake) {
    ProcessWindows windows = {0, lake, {}};
    GetWindowThreadProcessId(lake, &windows.pid);
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows.others;
}

// True when the lake comes before the cover in the z-order, top first.
bool aboveInZOrder(HWND lake, HWND cover) {
    for (HWND w = GetWindow(lake, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
        if (w == cover) return true;
    return false;
}

void reportMonitors(HWND lake) {
    int monitors = 0;
    EnumDisplayMonitors(nullptr, nullptr, noteMonitor, reinterpret_cast<LPARAM>(&monitors));
    note("monitors", std::to_string(monitors));
    const std::vector<HWND> covers = coversOf(lake);
    note("covers", std::to_string(covers.size()));
    for (HWND cover : covers) {
        RECT r = {};
        GetWindowRect(cover, &r);
        note("cover", rectText(r));
        const LONG style = GetWindowLongA(cover, GWL_STYLE);
        const LONG exStyle = GetWindowLongA(cover, GWL_EXSTYLE);
        check((style & WS_POPUP) && !(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER)), "cover_borderless");
        check((exStyle & WS_EX_TOPMOST) != 0, "cover_topmost");
        check(GetClassLongPtrA(cover, GCLP_HCURSOR) == 0, "cover_without_cursor");
        check(aboveInZOrder(lake, cover), "lake_above_cover");
    }
}

// Makes the first cover the foreground window, as a click that activated it
// would, so that the next key goes to the cover.
void focusCover(HWND lake) {
    const std::vector<HWND> covers = coversOf(lake);
    check(!covers.empty(), "cover_found");
    if (covers.empty()) return;
    SetForegroundWindow(covers.front());
    for (int i = 0; i < 50 && GetForegroundWindow() != covers.front(); ++i) Sleep(100);
    check(GetForegroundWindow() == covers.front(), "cover_foreground");
}

void startFaultingThread(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(
        PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ,
        FALSE, processId);
    check(process != nullptr, "opened");
    if (process == nullptr) return;
    HANDLE thread = CreateRemoteThread(process, nullptr, 0, nullptr, nullptr, 0, nullptr);
    check(thread != nullptr, "thread_started");
    if (thread) CloseHandle(thread);
    CloseHandle(process);
}

// GUID_CONSOLE_DISPLAY_STATE.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

// As Windows does it: the record in the receiver's memory (left there, as
// the message is read after this program has gone), its address posted.
void tellDisplayState(HWND window, DWORD state) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    check(process != nullptr, "opened");
    if (process == nullptr) return;
    unsigned char record[sizeof(POWERBROADCAST_SETTING)] = {};
    auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(record);
    setting->PowerSetting = kConsoleDisplayState;
    setting->DataLength = sizeof state;
    std::memcpy(setting->Data, &state, sizeof state);
    void* there = VirtualAllocEx(process, nullptr, sizeof record, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    check(there != nullptr && WriteProcessMemory(process, there, record, sizeof record, nullptr), "written");
    CloseHandle(process);
    if (there != nullptr)
        check(PostMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(there)),
              "posted");
}

void act(const std::string& command, HWND window, const char* argument) {
    if (command == "find") describe(window);
    if (command == "close") check(PostMessageA(window, WM_CLOSE, 0, 0) != FALSE, "posted");
    if (command == "minimise-close") {
        ShowWindow(window, SW_MINIMIZE);
        Sleep(500);
        for (int i = 0; i < 50 && !IsIconic(window); ++i) Sleep(100);
        check(IsIconic(window) != FALSE, "minimised");
        check(PostMessageA(window, WM_CLOSE, 0, 0) != FALSE, "posted");
    }
    if (command == "minimise") {
        ShowWindow(window, SW_MINIMIZE);
        check(IsIconic(window) != FALSE, "minimised");
    }
    if (command == "restore") {
        ShowWindow(window, SW_RESTORE);
        check(!IsIconic(window), "restored");
    }
    if (command == "sc-close") check(PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE, "posted");
    if (command == "saver-commands") {
        note("screensave", std::to_string(SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0)));
        note("monitorpower", std::to_string(SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2)));
    }
    if (command == "odd-keys") {
        PostMessageA(window, WM_KEYDOWN, 0x10000, 0);
        PostMessageA(window, WM_KEYUP, static_cast<WPARAM>(-1), 0);
        PostMessageA(window, WM_KEYDOWN, 256, 0);
    }
    if (command == "monitors") reportMonitors(window);
    if (command == "cover-focus") focusCover(window);
    if (command == "fault") startFaultingThread(window);
    if (command == "display") tellDisplayState(window, static_cast<DWORD>(std::strtoul(argument, nullptr, 10)));
    if (command == "session")
        check(PostMessageA(window, WM_WTSSESSION_CHANGE, std::strtoul(argument, nullptr, 10), 0) != FALSE, "posted");
    if (command == "resume")
        check(PostMessageA(window, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0) != FALSE, "posted");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    if (!test_report::open(argv[1])) return 2;
    const std::string command = argv[2];
    if (command == "mode") {
        reportMode();
        return test_report::finish();
    }
    if (command == "keep-mode") {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        check(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode) &&
                  ChangeDisplaySettingsA(&mode, CDS_UPDATEREGISTRY) == DISP_CHANGE_SUCCESSFUL,
              "kept");
        return test_report::finish();
    }
    const HWND window = FindWindowA(kRendererWindowClass, kRendererCaption);
    check(window != nullptr, "window");
    if (window != nullptr) act(command, window, argc > 3 ? argv[3] : "");
    return test_report::finish();
}
