// The main loop's pass and its blend cycle, through the real runFramePass
// with a draw and a swap that only count their calls; the loop's pace over
// a clock of the test's own; its rests.
#include "renderer/frame_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "renderer/frame_pacing.h"
#include "renderer/renderer_state.h"

namespace {

int draws = 0;
int swaps = 0;
bool drawSucceeds = true;

bool countDraw() {
    ++draws;
    return drawSucceeds;
}
void countSwapCall() { ++swaps; }
const FrameHooks kCountingHooks = {countDraw, countSwapCall};

void startFresh() {
    setStartupState();
    draws = 0;
    swaps = 0;
    drawSucceeds = true;
}

class FrameCycleTest : public ::testing::Test {
protected:
    void SetUp() override { startFresh(); }
};

TEST_F(FrameCycleTest, WaterIsBlendedFor1000SwapsThenOpaqueFor1000Again) {
    for (int cycle = 0; cycle < 3; ++cycle) {
        for (int swap = 1; swap <= 2000; ++swap) {
            ASSERT_EQ(blendMode, swap <= 1000 ? 1 : 2) << "cycle " << cycle << ", before swap " << swap;
            ASSERT_TRUE(runFramePass(kCountingHooks));
            ASSERT_EQ(frameCounter, swap % 2000);
        }
    }
    EXPECT_EQ(blendMode, 1);
    EXPECT_EQ(draws, 3 * 2000);
    EXPECT_EQ(swaps, 3 * 2000);
}

TEST_F(FrameCycleTest, PassDecisions) {
    enum Escape { kNone, kHeld, kTapped };  // tapped: its key-up came before the pass
    struct Case {
        bool active, drawOk;
        Escape escape;
        bool draws, swaps, goesOn;
    };
    const Case cases[] = {
        // active, draw ok, escape -> drawn, swapped, loop goes on
        {true, true, kNone, true, true, true},
        {true, false, kNone, true, false, false},  // drawScene failed: end, no swap
        {true, true, kHeld, true, false, false},   // Escape after the draw: no swap
        {true, true, kTapped, true, false, false},
        {true, false, kHeld, true, false, false},
        {false, true, kNone, false, true, true},    // minimised: no draw, still swaps
        {false, false, kNone, false, true, true},   // a draw result is not consulted
        {false, true, kHeld, false, false, false},  // Escape while minimised ends it
    };
    for (const Case& c : cases) {
        startFresh();
        windowActive = c.active;
        drawSucceeds = c.drawOk;
        keyDown[kEscapeKey] = c.escape == kHeld;
        escapePressed = c.escape != kNone;
        SCOPED_TRACE(testing::Message() << "active " << c.active << " drawOk " << c.drawOk << " escape " << c.escape);
        EXPECT_EQ(runFramePass(kCountingHooks), c.goesOn);
        EXPECT_EQ(draws, c.draws ? 1 : 0);
        EXPECT_EQ(swaps, c.swaps ? 1 : 0);
        EXPECT_EQ(frameCounter, c.swaps ? 1 : 0) << "every swap and only a swap is counted";
    }
}

TEST_F(FrameCycleTest, MinimisedPassesMoveTheBlendCycleOn) {
    for (int i = 0; i < 1000; ++i) {
        windowActive = i % 2 == 0;
        ASSERT_TRUE(runFramePass(kCountingHooks));
    }
    EXPECT_EQ(draws, 500);
    EXPECT_EQ(blendMode, 2);
    // Other keys do not end the loop.
    keyDown[0x41] = true;  // A
    keyDown[kEscapeKey + 1] = true;
    EXPECT_TRUE(runFramePass(kCountingHooks));
    EXPECT_EQ(frameCounter, 1001);
}

// A display and a loop in microseconds: a pass takes passTime (one pass
// takes longPassTime), and where vsync holds the swap returns at the next
// refresh it waits for (every syncEvery refreshes of refreshTime).
struct Display {
    long long refreshTime;  // 0: vsync does not hold, swaps return at once
    int syncEvery;
    long long passTime;
    int longPass;  // the pass that takes longPassTime; -1 for none
};
constexpr long long kLongPassTime = 100000;
Display display;
long long clockNow;
int passNumber;

void advanceThroughSwap() {
    ++swaps;
    clockNow += passNumber == display.longPass ? kLongPassTime : display.passTime;
    if (display.refreshTime > 0) {
        const long long every = display.refreshTime * display.syncEvery;
        clockNow = (clockNow / every + 1) * every;
    }
}

// The times the swaps of passes returned at, run as the program's loop runs
// them: wait as the pacing says, then a pass, then the swap noted.
std::vector<long long> pacedSwaps(int reportedHz, int interval, int passes) {
    const FrameHooks hooks = {countDraw, advanceThroughSwap};
    FramePacing pacing = framePacingFor(1000000, reportedHz, interval);
    std::vector<long long> times;
    clockNow = 1000;
    for (passNumber = 0; passNumber < passes; ++passNumber) {
        const long long wait = ticksUntilNextPass(pacing, clockNow);
        EXPECT_LE(wait, pacing.period) << "pass " << passNumber;
        if (display.refreshTime > 0) EXPECT_EQ(wait, 0) << "vsync holds: pass " << passNumber << " waited";
        clockNow += wait;
        EXPECT_TRUE(runFramePass(hooks));
        noteSwap(pacing, clockNow);
        times.push_back(clockNow);
    }
    return times;
}

long long shortestGap(const std::vector<long long>& times, size_t from) {
    long long shortest = 1LL << 62;
    for (size_t i = from + 1; i < times.size(); ++i) shortest = std::min(shortest, times[i] - times[i - 1]);
    return shortest;
}

TEST_F(FrameCycleTest, PacedToTheDisplayWhereVsyncDoesNotHold) {
    struct Case {
        const char* what;
        Display display;
        int reportedHz, interval;
        double secondsFor600;   // the time 600 swaps take
        long long shortestGap;  // between swaps (after the long pass and the one after it, if any)
    };
    const Case cases[] = {
        // Vsync holds: the display sets the pace and no pass waits.
        {"60 Hz", {16667, 1, 2000, -1}, 60, 1, 10.0, 16667},
        {"144 Hz, every second refresh", {6944, 2, 3000, -1}, 144, 2, 8.33, 13888},
        {"reported 60 Hz, refreshing at 61", {16393, 1, 2000, -1}, 60, 1, 9.84, 16393},
        {"a pass slower than a refresh", {16667, 1, 20000, -1}, 60, 1, 20.0, 33334},
        // Vsync does not hold: swaps return at once, the loop waits.
        {"swaps 1 ms apart", {0, 1, 1000, -1}, 60, 1, 10.0, 16666},
        {"unknown refresh rate", {0, 1, 1000, -1}, 0, 1, 10.0, 16666},
        // After a long pass the next begins at once, then the pace starts afresh
        // from there: no passes back to back to catch up.
        {"a long pass, then no burst", {0, 1, 1000, 300}, 60, 1, 10.08, 16666},
    };
    for (const Case& c : cases) {
        for (const bool active : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.what << (active ? "" : ", minimised"));
            startFresh();
            windowActive = active;
            display = c.display;
            // The first swap starts the schedule: the pass after it begins at once.
            const std::vector<long long> times = pacedSwaps(c.reportedHz, c.interval, 602);
            EXPECT_NEAR((times[601] - times[1]) / 1e6, c.secondsFor600, 0.01);
            const size_t from = c.display.longPass < 0 ? 1 : static_cast<size_t>(c.display.longPass) + 1;
            EXPECT_GE(shortestGap(times, from), c.shortestGap);
            EXPECT_EQ(swaps, 602);
            EXPECT_EQ(draws, active ? 602 : 0);
        }
    }
}

TEST_F(FrameCycleTest, RestsWhileTheDisplayIsOffOrTheSessionHasNone) {
    struct Step {
        enum { kDisplay, kSession } kind;
        unsigned long value;
        bool resting;
    };
    const Step steps[] = {
        {Step::kDisplay, 2, false},  // dimmed still shows the lake
        {Step::kDisplay, 0, true},  {Step::kDisplay, 1, false},
        {Step::kSession, 7, false},                             // locked: the lake may still be on screen
        {Step::kSession, 2, true},  {Step::kSession, 8, true},  // unlocked, still no display
        {Step::kSession, 3, false}, {Step::kSession, 4, true},
        {Step::kDisplay, 0, true},  {Step::kSession, 1, true},  // connected, display still off
        {Step::kDisplay, 2, false},
    };
    EXPECT_FALSE(lakeResting());
    for (const Step& step : steps) {
        if (step.kind == Step::kDisplay) noteDisplayState(step.value);
        if (step.kind == Step::kSession) noteSessionChange(step.value);
        EXPECT_EQ(lakeResting(), step.resting) << (step.kind == Step::kDisplay ? "display " : "session ") << step.value;
    }
    setStartupState();
    EXPECT_FALSE(lakeResting()) << "a start is not at rest";
}

}  // namespace
