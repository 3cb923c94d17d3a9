// Looks at and pokes the renderer's window from another process, as the
// system and the front end would. One command per run:
//   find            prints the window's class, styles and client size; exit 1 if absent
//   mode            prints the display mode as WIDTHxHEIGHTxBITS
//   close           posts WM_CLOSE
//   minimise-close  minimises the window, then posts WM_CLOSE
//   minimise        minimises the window; restore: restores it
//   sc-close        posts WM_SYSCOMMAND SC_CLOSE (the system's close command)
//   saver-commands  sends SC_SCREENSAVE and SC_MONITORPOWER; prints the results
//   odd-keys        posts key messages with virtual-key codes beyond 255
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

HWND findRenderer() { return FindWindowA("OpenGL", "Solvane_VC"); }

int describe(HWND window) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    RECT client = {};
    GetClientRect(window, &client);
    RECT frame = {};
    GetWindowRect(window, &frame);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    std::printf("class=%s popup=%d overlapped=%d appwindow=%d windowedge=%d clip=%d client=%ldx%ld origin=%ld,%ld\n",
                className, (style & WS_POPUP) ? 1 : 0, (style & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW ? 1 : 0,
                (exStyle & WS_EX_APPWINDOW) ? 1 : 0, (exStyle & WS_EX_WINDOWEDGE) ? 1 : 0,
                (style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN)) == (WS_CLIPSIBLINGS | WS_CLIPCHILDREN) ? 1 : 0,
                client.right - client.left, client.bottom - client.top, frame.left, frame.top);
    return 0;
}

int printMode() {
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 1;
    std::printf("%lux%lux%lu\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const char* command = argv[1];
    if (std::strcmp(command, "mode") == 0) return printMode();
    const HWND window = findRenderer();
    if (window == nullptr) {
        std::printf("no window\n");
        return 1;
    }
    if (std::strcmp(command, "find") == 0) return describe(window);
    if (std::strcmp(command, "close") == 0) return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    if (std::strcmp(command, "minimise-close") == 0) {
        ShowWindow(window, SW_MINIMIZE);
        Sleep(500);
        std::printf("iconic=%d\n", IsIconic(window) ? 1 : 0);
        return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (std::strcmp(command, "minimise") == 0) {
        ShowWindow(window, SW_MINIMIZE);
        return IsIconic(window) ? 0 : 1;
    }
    if (std::strcmp(command, "restore") == 0) {
        ShowWindow(window, SW_RESTORE);
        return IsIconic(window) ? 1 : 0;
    }
    if (std::strcmp(command, "sc-close") == 0) return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    if (std::strcmp(command, "saver-commands") == 0) {
        const LRESULT saver = SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
        const LRESULT power = SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
        std::printf("screensave=%ld monitorpower=%ld\n", static_cast<long>(saver), static_cast<long>(power));
        return 0;
    }
    if (std::strcmp(command, "odd-keys") == 0) {
        PostMessageA(window, WM_KEYDOWN, 0x10000, 0);
        PostMessageA(window, WM_KEYUP, static_cast<WPARAM>(-1), 0);
        PostMessageA(window, WM_KEYDOWN, 256, 0);
        return 0;
    }
    return 2;
}
