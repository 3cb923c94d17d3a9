// The renderer's display choices: the swap interval for a refresh rate, and
// the cover rectangles for a list of monitors.
#include "renderer/monitors.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Failures print the rectangles as the system gives them.
void PrintTo(const ScreenRect& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

TEST(SwapInterval, KeepsFramesNearSixtyASecond) {
    const struct {
        int refreshHz;
        int interval;
    } table[] = {
        {60, 1},  {59, 1},  {75, 1},  {89, 1},  {90, 2},
        {100, 2}, {120, 2}, {144, 2}, {149, 2}, {150, 3},
        {165, 3}, {180, 3}, {240, 4}, {360, 6}, {500, 8},
        {30, 1},  {50, 1},  {24, 1},  {0, 1},   {1, 1},
        {-5, 1},  {2, 1},   {29, 1},  {31, 1},  {2147483647, 35791394},
    };
    for (const auto& row : table) EXPECT_EQ(swapIntervalFor(row.refreshHz), row.interval) << row.refreshHz << " Hz";
}

const ScreenRect kPrimary = {0, 0, 1024, 768};

TEST(CoverRects, OneMonitorGetsNone) {
    EXPECT_TRUE(coverRects({{kPrimary, true}}).empty());
    EXPECT_TRUE(coverRects({}).empty());
}

TEST(CoverRects, EveryOtherMonitorWhereverItLies) {
    const ScreenRect right = {1024, 0, 3584, 1440};
    const ScreenRect left = {-1920, -312, 0, 768};
    const ScreenRect below = {0, 768, 1280, 1792};
    const std::vector<ScreenRect> covers =
        coverRects({{left, false}, {kPrimary, true}, {right, false}, {below, false}});
    EXPECT_EQ(covers, (std::vector<ScreenRect>{left, right, below}));
}

TEST(CoverRects, MonitorsThatOverlapThePrimaryAreCoveredToo) {
    // Xvfb's Xinerama heads all lie at 0,0; the lake's window stays above the cover.
    const ScreenRect second = {0, 0, 800, 600};
    EXPECT_EQ(coverRects({{kPrimary, true}, {second, false}}), std::vector<ScreenRect>{second});
    EXPECT_EQ(coverRects({{second, false}, {kPrimary, true}}), std::vector<ScreenRect>{second});
}

TEST(CoverRects, EmptyAndRepeatedMonitorsAreLeftOut) {
    const ScreenRect second = {1024, 0, 2048, 768};
    const ScreenRect empty = {1024, 0, 1024, 768};
    const ScreenRect inverted = {2048, 768, 1024, 0};
    EXPECT_EQ(coverRects({{kPrimary, true}, {empty, false}, {second, false}, {inverted, false}, {second, false}}),
              std::vector<ScreenRect>{second});
}

}  // namespace
