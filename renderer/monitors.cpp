// The displays' numbers turned into the renderer's choices.
#include "renderer/monitors.h"

#include <algorithm>

namespace {

constexpr int kFramesPerSecond = 60;

}  // namespace

int swapIntervalFor(int refreshHz) {
    // Rates of 0 and 1 stand for "the hardware's default", which says nothing
    // about the real rate; the rounding is to the nearest whole interval.
    if (refreshHz <= 1) return 1;
    const int roundUp = refreshHz % kFramesPerSecond >= kFramesPerSecond / 2 ? 1 : 0;
    return std::max(1, refreshHz / kFramesPerSecond + roundUp);
}

std::vector<ScreenRect> coverRects(const std::vector<MonitorArea>& monitors) {
    std::vector<ScreenRect> covers;
    for (const MonitorArea& monitor : monitors) {
        const ScreenRect& r = monitor.rect;
        if (monitor.primary || r.right <= r.left || r.bottom <= r.top) continue;
        if (std::find(covers.begin(), covers.end(), r) == covers.end()) covers.push_back(r);
    }
    return covers;
}
