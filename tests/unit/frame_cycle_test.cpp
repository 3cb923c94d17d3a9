// The main loop's pass and its blend cycle, through the real runFramePass
// with a draw and a swap that only count their calls.
#include "renderer/frame_cycle.h"

#include <gtest/gtest.h>

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

}  // namespace
