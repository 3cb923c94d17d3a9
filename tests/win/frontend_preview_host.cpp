// Plays the system's screen-saver settings page: a dialog-like window with a
// framed preview window inside (client area 152 x 112), and Kestrine.scr
// started with "/p <handle of the preview window>". Checks from the host's
// side that the preview becomes the preview window's child and covers its
// client area exactly, then
// destroys the preview window and measures how long the preview process
// takes to end.
//   frontend_preview_host SCR_PATH REPORT_FILE
// Writes one "key value" line per finding to REPORT_FILE; exit 0 when every
// check passed.
#include <windows.h>

#include <string>

#include "host_windows.h"
#include "test_report.h"

namespace {

using test_report::check;
using test_report::note;

void pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Waits for the process (pumping this thread's messages) up to the limit; the
// time it took in milliseconds, or -1.
long waitForExit(HANDLE process, DWORD limitMs) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const ULONGLONG spent = GetTickCount64() - start;
        if (spent > limitMs) return -1;
        const DWORD left = static_cast<DWORD>(limitMs - spent);
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) return static_cast<long>(GetTickCount64() - start);
        pump();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    if (!test_report::open(argv[2])) return 2;
    // A framed box: its client area, 152 x 112, is smaller than its window.
    const HostWindows host =
        makeHostWindows("KestrineTestHost", "Kestrine preview host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        RECT{50, 50, 450, 350}, WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{40, 30, 194, 144});
    HWND page = host.page;
    HWND box = host.box;
    if (!page || !box) return 2;
    pump();

    const std::string command =
        "\"" + std::string(argv[1]) + "\" /p " + std::to_string(static_cast<long>(reinterpret_cast<intptr_t>(box)));
    note("command", command);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = command;
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        note("start", "FAIL");
        return 1;
    }

    HWND preview = nullptr;
    for (int i = 0; i < 200 && !preview; ++i) {  // up to about 20 s on a loaded machine
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        pump();
        preview = GetWindow(box, GW_CHILD);
    }
    check(preview != nullptr, "child");
    if (preview) {
        DWORD owner = 0;
        GetWindowThreadProcessId(preview, &owner);
        check(owner == process.dwProcessId, "child_of_preview_process");
        check(GetAncestor(preview, GA_PARENT) == box, "parent");
        check((GetWindowLongA(preview, GWL_STYLE) & WS_CHILD) != 0, "ws_child");
        // The window becomes the child first and is placed and shown after:
        // wait (up to about 20 s) for it to be shown over the whole box.
        RECT boxClient = {};
        GetClientRect(box, &boxClient);
        RECT inBox = {};
        for (int i = 0; i < 200; ++i) {
            GetWindowRect(preview, &inBox);
            MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&inBox), 2);
            if (IsWindowVisible(preview) && EqualRect(&inBox, &boxClient)) break;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            pump();
        }
        check(IsWindowVisible(preview) != FALSE, "visible");
        note("rect", std::to_string(inBox.left) + " " + std::to_string(inBox.top) + " " +
                         std::to_string(inBox.right - inBox.left) + " " + std::to_string(inBox.bottom - inBox.top));
        check(inBox.left == 0 && inBox.top == 0 && inBox.right == boxClient.right && inBox.bottom == boxClient.bottom,
              "covers");
    }
    check(WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT, "running_while_shown");

    DestroyWindow(box);
    const long endedMs = waitForExit(process.hProcess, 10000);
    note("ended_ms", std::to_string(endedMs));
    check(endedMs >= 0, "ended");
    if (endedMs < 0) TerminateProcess(process.hProcess, 1);
    DestroyWindow(page);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return test_report::finish();
}
