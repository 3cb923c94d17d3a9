// Shows the loader's real "Error" box from a program whose own window has the
// keyboard focus, and checks from a second thread that the box is owned by
// that window and keeps it disabled (modal) while it is up. Someone else (the
// wine test, with a key press) dismisses the box.
//   bmp_box_owner BAD.bmp OUT
// OUT gets one "what ok|FAIL" line per check; exit code 0 when all held.
#include <windows.h>

#include "renderer/image/bmp_loader.h"
#include "test_report.h"

namespace {

HWND mainWindow = nullptr;
volatile LONG boxOwnedByMain = 0;
volatile LONG mainDisabled = 0;
volatile LONG boxSeen = 0;

DWORD WINAPI watchForBox(void*) {
    for (int i = 0; i < 400; ++i) {
        HWND box = FindWindowA(nullptr, "Error");
        if (box) {
            boxSeen = 1;
            boxOwnedByMain = GetWindow(box, GW_OWNER) == mainWindow;
            mainDisabled = !IsWindowEnabled(mainWindow);
            return 0;
        }
        Sleep(50);
    }
    return 0;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || !test_report::open(argv[2])) return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BmpBoxOwner";
    RegisterClassA(&windowClass);
    mainWindow = CreateWindowA("BmpBoxOwner", "bmp box owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                               nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(mainWindow);
    SetFocus(mainWindow);
    bool focused = GetFocus() == mainWindow;
    HANDLE watcher = CreateThread(nullptr, 0, watchForBox, nullptr, 0, nullptr);
    RgbImage* image = loadBitmapIfPresent(argv[1]);
    WaitForSingleObject(watcher, 30000);
    CloseHandle(watcher);
    test_report::check(focused, "focus");
    test_report::check(boxSeen != 0, "box_seen");
    test_report::check(boxOwnedByMain != 0, "owner");
    test_report::check(mainDisabled != 0, "modal");
    test_report::check(image == nullptr, "no_image");
    freeRgbImage(image);
    DestroyWindow(mainWindow);
    return test_report::finish();
}
