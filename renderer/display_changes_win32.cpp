// Applies the plan of monitors.h to the lake's window and the covers.
#include "renderer/display_changes_win32.h"

#include <utility>
#include <vector>

#include "renderer/monitor_lakes_win32.h"
#include "renderer/monitors.h"
#include "renderer/monitors_win32.h"

namespace {

HWND lakeWindow = nullptr;
bool lakeFollowsPrimary = false;
std::vector<MonitorArea> followed;

ScreenRect windowRect(HWND window) {
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void placeWindow(HWND window, const ScreenRect& r) {
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<ScreenRect> coverRectsNow() {
    std::vector<ScreenRect> rects;
    for (const MonitorCover& cover : monitorCovers()) rects.push_back(cover.rect);
    return rects;
}

void applyPlan(const DisplayPlan& plan) {
    if (plan.moveLake) placeWindow(lakeWindow, plan.lakeRect);
    // The moves name covers by their places before any goes.
    std::vector<HWND> gone;
    for (const CoverStep& step : plan.covers) {
        if (step.action != CoverAction::Drop) continue;
        gone.push_back(monitorCovers()[static_cast<size_t>(step.window)].window);
        endMonitorLake(gone.back());
    }
    for (const CoverStep& step : plan.covers)
        if (step.action == CoverAction::Move) moveMonitorCover(step.window, step.rect);
    dropMonitorCovers(gone);
    bool made = false;
    for (const CoverStep& step : plan.covers) {
        if (step.action != CoverAction::Make) continue;
        const HWND cover = makeMonitorCover(step.rect);
        if (cover == nullptr) continue;
        startMonitorLake(cover);
        made = true;
    }
    if (made) SetWindowPos(lakeWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

void startFollowingDisplays(HINSTANCE instance, HWND lake, bool followsPrimary, WNDPROC inputProc) {
    lakeWindow = lake;
    lakeFollowsPrimary = followsPrimary;
    followed = currentMonitors();
    startMonitorCovers(instance, inputProc);
    applyPlan(planDisplays(windowRect(lake), followsPrimary, {}, followed));
}

void startOtherMonitorLakes(HDC lakeDeviceContext, HGLRC lakeContext, int bits) {
    startMonitorLakes(lakeDeviceContext, lakeContext, bits);
    for (const MonitorCover& cover : monitorCovers()) startMonitorLake(cover.window);
}

bool followDisplays(bool force) {
    std::vector<MonitorArea> monitors = currentMonitors();
    if (!force && monitors == followed) return false;
    followed = std::move(monitors);
    applyPlan(planDisplays(windowRect(lakeWindow), lakeFollowsPrimary, coverRectsNow(), followed));
    return true;
}

void stopFollowingDisplays() {
    endMonitorLakes();
    destroyMonitorCovers();
}
