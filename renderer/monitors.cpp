// The displays' numbers turned into the renderer's choices.
#include "renderer/monitors.h"

#include <algorithm>

namespace {

constexpr int kFramesPerSecond = 60;

const MonitorArea* primaryOf(const std::vector<MonitorArea>& monitors) {
    for (const MonitorArea& monitor : monitors)
        if (monitor.primary) return &monitor;
    return nullptr;
}

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
    const MonitorArea* primary = primaryOf(monitors);
    for (const MonitorArea& monitor : monitors) {
        const ScreenRect& r = monitor.rect;
        if (monitor.primary || r.right <= r.left || r.bottom <= r.top) continue;
        if (primary != nullptr && r == primary->rect) continue;
        if (std::find(covers.begin(), covers.end(), r) == covers.end()) covers.push_back(r);
    }
    return covers;
}

DisplayPlan planDisplays(const ScreenRect& lake, bool followsPrimary, const std::vector<ScreenRect>& covers,
                         const std::vector<MonitorArea>& monitors) {
    DisplayPlan plan = {false, lake, {}};
    if (monitors.empty()) return plan;
    const MonitorArea* primary = primaryOf(monitors);
    if (followsPrimary && primary != nullptr && !(primary->rect == lake)) {
        plan.moveLake = true;
        plan.lakeRect = primary->rect;
    }
    std::vector<ScreenRect> unclaimed = coverRects(monitors);
    std::vector<int> leftOver;
    for (int i = 0; i < static_cast<int>(covers.size()); ++i) {
        const auto on = std::find(unclaimed.begin(), unclaimed.end(), covers[i]);
        if (on != unclaimed.end()) {
            unclaimed.erase(on);
        } else {
            leftOver.push_back(i);
        }
    }
    const std::size_t moved = std::min(leftOver.size(), unclaimed.size());
    for (std::size_t i = moved; i < leftOver.size(); ++i) plan.covers.push_back({CoverAction::Drop, leftOver[i], {}});
    for (std::size_t i = 0; i < moved; ++i) plan.covers.push_back({CoverAction::Move, leftOver[i], unclaimed[i]});
    for (std::size_t i = moved; i < unclaimed.size(); ++i) plan.covers.push_back({CoverAction::Make, -1, unclaimed[i]});
    return plan;
}
