// Kestrine.dll's program entry: the full-screen (or windowed) GL window, the
// non-blocking message loop that draws one frame per pass, and the orderly
// teardown that gives the display its mode back. The front end watches for
// this window's title; when the window is gone the saver ends.
#include <windows.h>

#include <cstring>
#include <new>
#include <string>

#include "contract/saver_contract.h"
#include "diagnostics/crash_report_win32.h"
#include "diagnostics/failure_log_win32.h"
#include "files/plain_file_win32.h"
#include "renderer/display_changes_win32.h"
#include "renderer/frame_cycle.h"
#include "renderer/frame_pacing.h"
#include "renderer/gl_context_win32.h"
#include "renderer/monitor_lakes_win32.h"
#include "renderer/monitors.h"
#include "renderer/monitors_win32.h"
#include "renderer/ms3d_model.h"
#include "renderer/pacing_win32.h"
#include "renderer/renderer_state.h"
#include "renderer/scene.h"
#include "renderer/viewport.h"

static_assert(kEscapeKey == VK_ESCAPE, "the frame pass reads Escape by its virtual-key code");

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr int kColourBits = 32;
// The display-mode record as the mode change takes it: the 148-byte layout
// without the panning fields.
constexpr WORD kDevModeSize = 148;

HINSTANCE appInstance = nullptr;
HWND renderWindow = nullptr;
HDC deviceContext = nullptr;
HGLRC glContext = nullptr;
bool classRegistered = false;
// The pace the swap interval asks of the display; the loop keeps to it
// itself where vertical sync does not hold.
FramePacing pacing;
// The display's mode was changed for the window (full screen was asked for
// and the display took it); the cursor is hidden meanwhile.
bool displayModeChanged = false;
// The primary's mode before the change, as it was and as the user's
// settings kept it; what the display is given back at the end.
DisplayMode modeFound = {0, 0, 0, 0};
bool modeFoundKnown = false;
bool modeFoundKept = false;
// A display change or a resume was reported: the next pass looks at the
// monitors again.
bool displaysChanged = false;
// When the loop next compares the monitors with those it follows: not every
// system reports a monitor that comes or goes (Wine sends no
// WM_DISPLAYCHANGE for it).
long long nextDisplayCheck = 0;

// Ties the frame rate to the refresh of the display the window is on (the
// changed mode, or in a window the monitor it opened on), at about 60 frames
// a second, where the driver allows it; the animation is counted in frames,
// so unthrottled it would run far too fast.
void requestSwapInterval() {
    const int refreshHz = refreshRateOf(renderWindow);
    const int interval = swapIntervalFor(refreshHz);
    setSwapInterval(interval);
    pacing = framePacingFor(pacingClockRate(), refreshHz, interval);
}

// The mode to give back at the end, read before the change.
void recordModeFound() {
    DisplayMode kept;
    modeFoundKnown = readPrimaryMode(modeFound);
    modeFoundKept = modeFoundKnown && readPrimaryMode(kept, true) && kept == modeFound;
}

// The user's own mode back: the system's restore first, then, where that
// did not bring back the mode found at the start (the system took another
// as the user's own while monitors came or went), that mode set outright.
void giveDisplayModeBack() {
    ChangeDisplaySettingsA(nullptr, 0);
    DisplayMode now;
    if (!modeFoundKnown || !readPrimaryMode(now) || now == modeFound) return;
    const long result = setPrimaryMode(modeFound, modeFoundKept);
    if (result != DISP_CHANGE_SUCCESSFUL)
        logDisplayModeRefused(modeFound.width, modeFound.height, modeFound.bits, result,
                              ("the mode found at the start is not given back; the display is left at " +
                               std::to_string(now.width) + "x" + std::to_string(now.height) + "x" +
                               std::to_string(now.bits) + " " + std::to_string(now.refreshHz) + " Hz")
                                  .c_str());
}

bool changeDisplayMode(int width, int height, int bits) {
    recordModeFound();
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = kDevModeSize;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(bits);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
    if (result != DISP_CHANGE_SUCCESSFUL) logDisplayModeRefused(width, height, bits, result);
    return result == DISP_CHANGE_SUCCESSFUL;
}

// Releases whatever exists, newest first; safe after a partial start.
void destroyRenderWindow() {
    // The other monitors' contexts and windows go first, so the lake's window
    // is the last one the front end can see and the display mode comes back
    // with nothing over it.
    stopFollowingDisplays();
    endPacing();
    if (displayModeChanged) {
        giveDisplayModeBack();
        ShowCursor(TRUE);
        displayModeChanged = false;
    }
    if (glContext != nullptr) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(glContext);
        glContext = nullptr;
    }
    if (deviceContext != nullptr) {
        ReleaseDC(renderWindow, deviceContext);
        deviceContext = nullptr;
    }
    if (renderWindow != nullptr) {
        DestroyWindow(renderWindow);
        renderWindow = nullptr;
    }
    if (classRegistered) {
        UnregisterClassA(kRendererWindowClass, appInstance);
        classRegistered = false;
    }
}

LRESULT CALLBACK renderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE: windowActive = HIWORD(wParam) == 0; return 0;
        case WM_SYSCOMMAND:
            // Keeps the system's own saver and monitor power-down away meanwhile.
            if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
            break;
        case WM_CLOSE: PostQuitMessage(0); return 0;
        // The display's state and the session's changes start and end a rest.
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                displaysChanged = true;
                return TRUE;
            }
            if (wParam != PBT_POWERSETTINGCHANGE) break;
            notePowerSetting(lParam);
            return TRUE;
        // Monitors came, went or changed, or the primary has another mode.
        case WM_DISPLAYCHANGE: displaysChanged = true; return 0;
        case WM_WTSSESSION_CHANGE: noteSessionChange(static_cast<unsigned long>(wParam)); return 0;
        case WM_KEYDOWN:
            if (wParam < static_cast<WPARAM>(kKeyCount)) keyDown[wParam] = true;
            if (wParam == VK_ESCAPE) escapePressed = true;
            return 0;
        case WM_KEYUP:
            if (wParam < static_cast<WPARAM>(kKeyCount)) keyDown[wParam] = false;
            return 0;
        case WM_SIZE:
            // Creation sends a size before the context exists; createRenderWindow
            // sets the view once the context is made.
            if (glContext != nullptr) resizeScene(LOWORD(lParam), HIWORD(lParam));
            return 0;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool registerWindowClass() {
    WNDCLASSA windowClass;
    std::memset(&windowClass, 0, sizeof windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = renderWindowProc;
    windowClass.hInstance = appInstance;
    windowClass.hIcon = LoadIcon(nullptr, IDI_WINLOGO);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kRendererWindowClass;
    classRegistered = RegisterClassA(&windowClass) != 0;
    return classRegistered;
}

// The frame was sized at the system's scale. A monitor whose scale changed
// since the user signed in frames the window at its own, so the window is
// resized to keep the client area at the requested pixels. (A screen too
// small for the window cuts its height; that is left as it is.)
void keepClientSize(const RECT& frame, int width, int height) {
    RECT client;
    RECT outer;
    if (!GetClientRect(renderWindow, &client) || !GetWindowRect(renderWindow, &outer)) return;
    const int frameWidth = (outer.right - outer.left) - (client.right - client.left);
    const int frameHeight = (outer.bottom - outer.top) - (client.bottom - client.top);
    if (frameWidth == (frame.right - frame.left) - width && frameHeight == (frame.bottom - frame.top) - height) return;
    SetWindowPos(renderWindow, nullptr, 0, 0, width + frameWidth, height + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool makeGlContext(int bits) {
    deviceContext = GetDC(renderWindow);
    if (deviceContext == nullptr) return logLastError("the window's device context is not available");
    glContext = createGlContext(deviceContext, bits, nullptr);
    if (glContext == nullptr) return false;
    if (!wglMakeCurrent(deviceContext, glContext)) return logLastError("the GL context cannot be made current");
    glProcLookup = lookUpWglProc;
    return true;
}

bool createRenderWindow(const char* title, int width, int height, int bits, bool fullScreenRequested) {
    // The model is read before anything visible happens, so a missing or bad
    // file ends the program without touching the display.
    Ms3dModel* model = new (std::nothrow) Ms3dModel;
    sceneModel = model;
    if (!stagedFileIsPlain("model", kModelPath)) return false;
    if (model == nullptr || !model->load(kModelPath)) return logUnusableFile("model", kModelPath);

    appInstance = GetModuleHandleA(nullptr);
    if (!registerWindowClass()) return logLastError("the window class cannot be registered");

    displayModeChanged = fullScreenRequested && changeDisplayMode(width, height, bits);

    DWORD exStyle;
    DWORD style;
    if (displayModeChanged) {
        exStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        ShowCursor(FALSE);
    } else {
        exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
        style = WS_OVERLAPPEDWINDOW;
    }
    style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    renderWindow = CreateWindowExA(exStyle, kRendererWindowClass, title, style, 0, 0, frame.right - frame.left,
                                   frame.bottom - frame.top, nullptr, nullptr, appInstance, nullptr);
    if (renderWindow != nullptr) keepClientSize(frame, width, height);
    if (renderWindow == nullptr) logLastError("the window cannot be made");
    if (renderWindow == nullptr || !makeGlContext(bits)) {
        destroyRenderWindow();
        return false;
    }
    requestSwapInterval();
    startPacing(renderWindow);

    ShowWindow(renderWindow, SW_SHOW);
    startFollowingDisplays(appInstance, renderWindow, displayModeChanged, renderWindowProc);
    SetForegroundWindow(renderWindow);
    SetFocus(renderWindow);
    resizeScene(width, height);
    if (!initScene()) {
        logFailure("the scene cannot start: none of its pictures loaded", "");
        destroyRenderWindow();
        return false;
    }
    startOtherMonitorLakes(deviceContext, glContext, bits);
    return true;
}

void swapRenderBuffers() { SwapBuffers(deviceContext); }

// One step, then the lake's window and every other monitor's drawn from the
// same state.
bool drawEveryLake() {
    if (!drawScene()) return false;
    drawMonitorLakes();
    return true;
}

// The other monitors first: they do not wait for a refresh, and the lake's
// window then waits for its own.
void swapEveryLake() {
    swapMonitorLakes();
    swapRenderBuffers();
}

// A crash ends the process at once: the display's own mode and the cursor
// come back first.
void restoreDisplayAfterCrash() {
    if (!displayModeChanged) return;
    giveDisplayModeBack();
    ShowCursor(TRUE);
}

// After a display change, a resume or a pass long overdue: the windows go
// where the monitors now are, and the pace follows the primary's refresh
// rate as it now is, from a fresh schedule (no burst of frames to catch up).
// Between those, a cheap look twice a second catches what no message told.
void keepToTheDisplays(long long now) {
    const bool told = displaysChanged || scheduleInterrupted(pacing, now);
    const bool lookDue = now >= nextDisplayCheck;
    displaysChanged = false;
    if (lookDue) nextDisplayCheck = now + pacing.second / 2;
    if (told ? followDisplays(true) : lookDue && followDisplays(false)) requestSwapInterval();
}

// Returns the quit code when the loop ends on WM_QUIT, 0 when it ends on
// Escape or a failed frame.
int runMessageLoop() {
    const FrameHooks hooks = {drawEveryLake, swapEveryLake};
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            TranslateMessage(&message);
            DispatchMessageA(&message);
            continue;
        }
        // A key that ends the saver need not wait for the next pass.
        if (escapeRequested()) return 0;
        if (lakeResting()) {
            WaitMessage();
            continue;
        }
        const long long now = pacingClock();
        keepToTheDisplays(now);
        const long long wait = ticksUntilNextPass(pacing, now);
        if (wait > 0) {
            waitForPassOrMessage(wait);
            continue;
        }
        if (!runFramePass(hooks)) return 0;
        noteSwap(pacing, pacingClock());
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    startFailureLog();
    installCrashReport(restoreDisplayAfterCrash);
    setStartupState();
    if (!createRenderWindow(kRendererCaption, kWindowWidth, kWindowHeight, kColourBits, fullScreen)) return 0;
    const int exitCode = runMessageLoop();
    destroyRenderWindow();
    return exitCode;
}
