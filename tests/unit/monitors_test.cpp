// The renderer's display choices: the swap interval for a refresh rate, and
// the cover rectangles for a list of monitors.
#include "renderer/monitors.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
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

// The windows there are and the monitors there are, to the steps between,
// as "lake RECT", "drop WINDOW", "move WINDOW RECT", "make RECT".
std::string stepsOf(const DisplayPlan& plan) {
    std::ostringstream out;
    const auto rect = [&out](const ScreenRect& r) {
        out << " " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    };
    if (plan.moveLake) {
        out << "lake";
        rect(plan.lakeRect);
        out << ";";
    }
    for (const CoverStep& step : plan.covers) {
        out << (step.action == CoverAction::Drop ? " drop " : step.action == CoverAction::Move ? " move " : " make");
        if (step.action != CoverAction::Make) out << step.window;
        if (step.action != CoverAction::Drop) rect(step.rect);
        out << ";";
    }
    return out.str();
}

TEST(PlanDisplays, OneWindowForEachMonitorAsTheyChange) {
    const ScreenRect wide = {0, 0, 1920, 1080}, right = {1024, 0, 2304, 1024}, further = {2304, 0, 3104, 600};
    const ScreenRect resized = {1024, 0, 2048, 768}, besideWide = {1920, 0, 3200, 1024};
    const struct Case {
        const char* what;
        std::vector<ScreenRect> covers;
        std::vector<MonitorArea> monitors;
        const char* steps;
    } cases[] = {
        {"nothing changed", {right}, {{kPrimary, true}, {right, false}}, ""},
        {"listed in another order", {right, further}, {{further, false}, {kPrimary, true}, {right, false}}, ""},
        {"a monitor added", {right}, {{kPrimary, true}, {right, false}, {further, false}}, " make 2304,0,3104,600;"},
        {"a monitor removed", {right, further}, {{kPrimary, true}, {further, false}}, " drop 0;"},
        {"a monitor resized",
         {right, further},
         {{kPrimary, true}, {resized, false}, {further, false}},
         " move 0 1024,0,2048,768;"},
        {"the primary's own mode back",
         {right},
         {{wide, true}, {besideWide, false}},
         "lake 0,0,1920,1080; move 0 1920,0,3200,1024;"},
        {"clones",
         {},
         {{kPrimary, true}, {right, false}, {right, false}, {kPrimary, false}},
         " make 1024,0,2304,1024;"},
        {"four to one", {right, further, besideWide}, {{kPrimary, true}}, " drop 0; drop 1; drop 2;"},
        {"no monitor listed (between two states)", {right}, {}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stepsOf(planDisplays(kPrimary, true, c.covers, c.monitors)), c.steps) << c.what;
    // A lake in a window (the display refused the mode) stays where it is.
    EXPECT_EQ(stepsOf(planDisplays(kPrimary, false, {}, {{wide, true}})), "");
}

}  // namespace
