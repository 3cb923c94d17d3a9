// Bookkeeping of the main loop: the blend cycle counted in buffer swaps and
// the decision whether a pass ends the loop before its swap.
#pragma once

extern int frameCounter;  // swaps since the start of the current blend cycle
extern int blendMode;     // 1 = blended water, 2 = opaque water

constexpr int kBlendedSwaps = 1000;  // swaps with blend mode 1, then mode 2
constexpr int kCycleSwaps = 2000;    // after these the cycle starts again

// Called after every buffer swap: 1000 swaps blended, 1000 opaque, again.
void countSwap();

struct FramePass {
    bool draw;  // drawScene runs in this pass
    bool swap;  // the buffers are swapped afterwards
    bool done;  // the loop ends
};

// One pass with an empty message queue. drawScene is called when
// windowActive; its result and the Escape key decide whether the pass swaps.
// Call as: pass = beginFramePass(windowActive); if (pass.draw) drawOk = drawScene();
//          pass = finishFramePass(pass, drawOk, escapeDown);
// A minimised window draws nothing but still swaps and counts.
FramePass beginFramePass(bool windowActive);
FramePass finishFramePass(FramePass pass, bool drawOk, bool escapeDown);
