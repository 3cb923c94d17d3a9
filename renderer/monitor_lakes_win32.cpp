// The covers' GL contexts and their share of each frame.
#include "renderer/monitor_lakes_win32.h"

#include <algorithm>
#include <vector>

#include "diagnostics/failure_log_win32.h"
#include "renderer/gl_context_win32.h"
#include "renderer/scene.h"
#include "renderer/viewport.h"

namespace {

struct MonitorLake {
    HWND window;
    HDC deviceContext;
    HGLRC context;
    int width, height;  // the size the view was last set for
};

HDC lakeDc = nullptr;
HGLRC lakeRc = nullptr;
int lakeBits = 0;
std::vector<MonitorLake> lakes;

// The cover's view follows its client area, which follows its monitor.
void keepViewSize(MonitorLake& lake) {
    RECT client;
    if (!GetClientRect(lake.window, &client)) return;
    if (client.right == lake.width && client.bottom == lake.height) return;
    lake.width = client.right;
    lake.height = client.bottom;
    resizeScene(lake.width, lake.height);
}

// The fallback for a monitor whose context cannot be made: what was made
// for it goes, and its cover stays as it is, black.
void keepBlackCover(HWND cover, HDC deviceContext) {
    logLastError("another monitor's lake cannot be drawn; its cover stays black");
    ReleaseDC(cover, deviceContext);
}

void startLake(HWND cover) {
    const HDC deviceContext = GetDC(cover);
    if (deviceContext == nullptr) {
        logLastError("another monitor's window has no device context; it stays black");
        return;
    }
    const HGLRC context = createGlContext(deviceContext, lakeBits, lakeRc);
    if (context == nullptr || !wglMakeCurrent(deviceContext, context)) {
        if (context != nullptr) wglDeleteContext(context);
        keepBlackCover(cover, deviceContext);
        return;
    }
    MonitorLake lake = {cover, deviceContext, context, -1, -1};
    setSwapInterval(0);
    setFixedState();
    keepViewSize(lake);
    lakes.push_back(lake);
}

}  // namespace

void startMonitorLakes(HDC lakeDeviceContext, HGLRC lakeContext, int bits) {
    lakeDc = lakeDeviceContext;
    lakeRc = lakeContext;
    lakeBits = bits;
}

void startMonitorLake(HWND cover) {
    if (lakeRc == nullptr) return;
    startLake(cover);
    wglMakeCurrent(lakeDc, lakeRc);
}

void endMonitorLake(HWND cover) {
    const auto lake =
        std::find_if(lakes.begin(), lakes.end(), [cover](const MonitorLake& l) { return l.window == cover; });
    if (lake == lakes.end()) return;
    wglDeleteContext(lake->context);
    ReleaseDC(lake->window, lake->deviceContext);
    lakes.erase(lake);
}

void drawMonitorLakes() {
    // One monitor: the pass is the lake's window's alone.
    if (lakes.empty()) return;
    for (MonitorLake& lake : lakes) {
        if (!wglMakeCurrent(lake.deviceContext, lake.context)) continue;
        keepViewSize(lake);
        renderScene(drawWrittenWaterMesh);
    }
    wglMakeCurrent(lakeDc, lakeRc);
}

void swapMonitorLakes() {
    for (const MonitorLake& lake : lakes) SwapBuffers(lake.deviceContext);
}

void endMonitorLakes() {
    for (const MonitorLake& lake : lakes) {
        wglDeleteContext(lake.context);
        ReleaseDC(lake.window, lake.deviceContext);
    }
    lakes.clear();
}
