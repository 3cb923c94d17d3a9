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

// The windows there are and the monitors there are, to the steps between.
TEST(PlanDisplays, OneWindowForEachMonitorAsTheyChange) {
    const ScreenRect wide = {0, 0, 1920, 1080};
    const ScreenRect right = {1024, 0, 2304, 1024};
    const ScreenRect further = {2304, 0, 3104, 600};
    const ScreenRect resized = {1024, 0, 2048, 768};
    const ScreenRect besideWide = {1920, 0, 3200, 1024};
    using A = CoverAction;
    const struct Case {
        const char* what;
        std::vector<ScreenRect> covers;
        std::vector<MonitorArea> monitors;
        bool moveLake;
        std::vector<CoverStep> steps;
    } cases[] = {
        {"nothing changed", {right}, {{kPrimary, true}, {right, false}}, false, {}},
        {"the same monitors listed in another order",
         {right, further},
         {{further, false}, {kPrimary, true}, {right, false}},
         false,
         {}},
        {"a monitor added",
         {right},
         {{kPrimary, true}, {right, false}, {further, false}},
         false,
         {{A::Make, -1, further}}},
        {"a monitor removed", {right, further}, {{kPrimary, true}, {further, false}}, false, {{A::Drop, 0, {}}}},
        {"a monitor resized",
         {right, further},
         {{kPrimary, true}, {resized, false}, {further, false}},
         false,
         {{A::Move, 0, resized}}},
        {"the primary's own mode back, the others moved beside it",
         {right},
         {{wide, true}, {besideWide, false}},
         true,
         {{A::Move, 0, besideWide}}},
        {"a cloned display and a clone of the primary",
         {},
         {{kPrimary, true}, {right, false}, {right, false}, {kPrimary, false}},
         false,
         {{A::Make, -1, right}}},
        {"from four monitors to one",
         {right, further, besideWide},
         {{kPrimary, true}},
         false,
         {{A::Drop, 0, {}}, {A::Drop, 1, {}}, {A::Drop, 2, {}}}},
        {"no monitor listed: a display between two states", {right}, {}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DisplayPlan plan = planDisplays(kPrimary, true, c.covers, c.monitors);
        EXPECT_EQ(plan.moveLake, c.moveLake);
        if (c.moveLake) EXPECT_EQ(plan.lakeRect, wide);
        ASSERT_EQ(plan.covers.size(), c.steps.size());
        for (size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(plan.covers[i].action, c.steps[i].action) << "step " << i;
            EXPECT_EQ(plan.covers[i].window, c.steps[i].window) << "step " << i;
            if (c.steps[i].action != A::Drop) EXPECT_EQ(plan.covers[i].rect, c.steps[i].rect) << "step " << i;
        }
    }
    // A lake in a window (the display refused the mode) stays where it is.
    EXPECT_FALSE(planDisplays(kPrimary, false, {}, {{wide, true}}).moveLake);
}
