// The main loop's pass and its blend cycle, through the real runFramePass
// with a draw and a swap that only count their calls; the loop's pace over
// a clock of the test's own; its rests.
#include "renderer/frame_cycle.h"

#include <gtest/gtest.h>

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

// The loop over a display of the test's own, in microseconds: a pass takes
// passTime (pass longPass 100 ms), and where vsync holds (refreshTime > 0)
// the swap returns at the next refresh it waits for, every syncEvery.
struct Display {
    long long refreshTime;
    int syncEvery;
    long long passTime;
    int longPass;
};
Display display;
long long clockNow;
int passNumber;

void advanceThroughSwap() {
    ++swaps;
    clockNow += passNumber == display.longPass ? 100000 : display.passTime;
    const long long every = display.refreshTime * display.syncEvery;
    if (every > 0) clockNow = (clockNow / every + 1) * every;
}

// When each swap returned, the passes run as the program's loop runs them:
// wait as the pacing says, a pass, the swap noted.
std::vector<long long> pacedSwaps(int reportedHz, int interval, int passes) {
    FramePacing pacing = framePacingFor(1000000, reportedHz, interval);
    std::vector<long long> times;
    for (clockNow = 1000, passNumber = 0; passNumber < passes; ++passNumber) {
        const long long wait = ticksUntilNextPass(pacing, clockNow);
        EXPECT_LE(wait, display.refreshTime > 0 ? 0 : pacing.period) << "pass " << passNumber;
        clockNow += wait;
        EXPECT_TRUE(runFramePass({countDraw, advanceThroughSwap}));
        noteSwap(pacing, clockNow);
        times.push_back(clockNow);
    }
    return times;
}

TEST_F(FrameCycleTest, PacedToTheDisplayWhereVsyncDoesNotHold) {
    struct Case {
        const char* what;
        Display display;
        int reportedHz, interval;
        double secondsFor600;   // the time 600 swaps take
        long long shortestGap;  // between swaps (from the second after a long pass)
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
        // The pass after a long one begins at once; no more catch up.
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
            for (size_t i = c.display.longPass < 0 ? 2 : c.display.longPass + 2; i < times.size(); ++i)
                ASSERT_GE(times[i] - times[i - 1], c.shortestGap) << "swap " << i;
            EXPECT_EQ(draws, active ? 602 : 0);
        }
    }
}

// After a display change or a resume the pace is the refresh rate's as it
// now is, from a fresh schedule; a pass more than a second behind the
// schedule (a sleep no message told of) is noticed.
TEST_F(FrameCycleTest, PaceFollowsARefreshChangeAndNoticesASleep) {
    FramePacing pacing = framePacingFor(1000000, 60, 1);
    noteSwap(pacing, 1000);
    noteSwap(pacing, 2000);
    EXPECT_EQ(ticksUntilNextPass(pacing, 2000), 15666);  // the next pass at 17666
    EXPECT_FALSE(scheduleInterrupted(pacing, 17666 + 1000000));
    EXPECT_TRUE(scheduleInterrupted(pacing, 17666 + 1000001));
    pacing = framePacingFor(1000000, 85, 1);
    EXPECT_EQ(pacing.period, 11764);
    EXPECT_FALSE(scheduleInterrupted(pacing, 9000000));
    EXPECT_EQ(ticksUntilNextPass(pacing, 9000000), 0);
    EXPECT_EQ(framePacingFor(1000000, 144, 2).period, 13888);
}

// The end-to-end test tells the window of a lock, a console disconnect and
// connect, and the display off and on; the rest of the rule here.
TEST_F(FrameCycleTest, RestsWhileTheDisplayIsOffOrTheSessionHasNone) {
    noteSessionChange(4);  // a remote session dropped
    EXPECT_TRUE(lakeResting());
    noteDisplayState(0);
    noteSessionChange(3);  // reconnected, the display still off
    EXPECT_TRUE(lakeResting());
    noteDisplayState(2);  // dimmed still shows the lake
    EXPECT_FALSE(lakeResting());
}

}  // namespace
