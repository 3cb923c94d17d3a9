// Makes a top-level window with the caption given on the command line, so a
// test can check that Kestrine.scr yields to a running copy of itself.
//   frontend_window_maker CAPTION [hidden|visible [HANDLE_FILE]]
// HANDLE_FILE is a report whose "handle" line gives the window's handle in
// decimal, for "/p <handle>".
// Runs until it is ended (the harness ends it by its process id) or for ten
// minutes at most.
#include <windows.h>

#include <cstring>
#include <string>

#include "tests/win/test_report.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 2) return 2;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "KestrineTestWindow";
    RegisterClassA(&windowClass);
    const bool visible = __argc > 2 && std::strcmp(__argv[2], "visible") == 0;
    HWND window = CreateWindowA("KestrineTestWindow", __argv[1], WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                nullptr, instance, nullptr);
    if (!window) return 1;
    if (visible) ShowWindow(window, SW_SHOWNORMAL);
    if (__argc > 3) {
        if (!test_report::open(__argv[3])) return 1;
        test_report::note("handle", std::to_string(reinterpret_cast<intptr_t>(window)));
        test_report::finish();
    }
    SetTimer(window, 1, 600000, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER) break;
        DispatchMessageA(&message);
    }
    return 0;
}
