// The main loop's blend cycle and its end-of-pass rule.
#include "renderer/frame_cycle.h"

#include <gtest/gtest.h>

namespace {

class FrameCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        frameCounter = 0;
        blendMode = 1;
    }
};

TEST_F(FrameCycleTest, BlendModeFollowsTheSwapCount) {
    for (int swap = 1; swap < 1000; ++swap) {
        countSwap();
        ASSERT_EQ(blendMode, 1) << "after swap " << swap;
        ASSERT_EQ(frameCounter, swap);
    }
    countSwap();  // the 1000th swap: the next frame is opaque
    EXPECT_EQ(frameCounter, 1000);
    EXPECT_EQ(blendMode, 2);
    for (int swap = 1001; swap < 2000; ++swap) {
        countSwap();
        ASSERT_EQ(blendMode, 2) << "after swap " << swap;
    }
    countSwap();  // the 2000th swap starts the cycle again
    EXPECT_EQ(frameCounter, 0);
    EXPECT_EQ(blendMode, 1);
}

TEST_F(FrameCycleTest, CycleRepeats) {
    int opaqueSwaps = 0;
    for (int swap = 0; swap < 3 * 2000; ++swap) {
        countSwap();
        if (blendMode == 2) ++opaqueSwaps;
        ASSERT_GE(frameCounter, 0);
        ASSERT_LT(frameCounter, 2000);
    }
    // Per cycle the mode is 2 after swaps 1000 ... 1999 of it.
    EXPECT_EQ(opaqueSwaps, 3 * 1000);
    EXPECT_EQ(frameCounter, 0);
    EXPECT_EQ(blendMode, 1);
}

// One pass as the loop runs it, with the draw result and the Escape key.
FramePass runPass(bool active, bool drawOk, bool escape, int* draws) {
    FramePass pass = beginFramePass(active);
    bool ok = true;
    if (pass.draw) {
        ++*draws;
        ok = drawOk;
    }
    return finishFramePass(pass, ok, escape);
}

TEST_F(FrameCycleTest, PassDecisions) {
    struct Case {
        bool active, drawOk, escape;
        bool draws, swaps, done;
    };
    const Case cases[] = {
        // active, draw ok, escape -> drawn, swapped, done
        {true, true, false, true, true, false},
        {true, false, false, true, false, true},  // drawScene failed: end, no swap
        {true, true, true, true, false, true},    // Escape after the draw: no swap
        {true, false, true, true, false, true},
        {false, true, false, false, true, false},   // minimised: no draw, still swaps
        {false, false, false, false, true, false},  // a draw result is not consulted
        {false, true, true, false, false, true},    // Escape while minimised ends it
    };
    for (const Case& c : cases) {
        int draws = 0;
        const FramePass pass = runPass(c.active, c.drawOk, c.escape, &draws);
        SCOPED_TRACE(testing::Message() << "active " << c.active << " drawOk " << c.drawOk << " escape " << c.escape);
        EXPECT_EQ(draws, c.draws ? 1 : 0);
        EXPECT_EQ(pass.draw, c.draws);
        EXPECT_EQ(pass.swap, c.swaps);
        EXPECT_EQ(pass.done, c.done);
    }
}

TEST_F(FrameCycleTest, MinimisedPassesStillCountSwaps) {
    int draws = 0;
    for (int i = 0; i < 1000; ++i) {
        const FramePass pass = runPass(i % 2 == 0, true, false, &draws);
        if (pass.swap) countSwap();
    }
    EXPECT_EQ(draws, 500);
    EXPECT_EQ(blendMode, 2);
    // An ending pass is not counted.
    const FramePass last = runPass(true, true, true, &draws);
    if (last.swap) countSwap();
    EXPECT_EQ(frameCounter, 1000);
}

}  // namespace
