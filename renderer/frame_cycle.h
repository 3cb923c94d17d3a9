// Bookkeeping of the main loop: the blend cycle counted in buffer swaps and
// the decision whether a pass ends the loop before its swap.
#pragma once

extern int frameCounter;
extern int blendMode;  // 1 = blended water, 2 = opaque water

// Called after every buffer swap.
void countSwap();

struct FramePass {
    bool draw;   // drawScene runs in this pass
    bool swap;   // the buffers are swapped afterwards
    bool done;   // the loop ends
};

// One pass with an empty message queue. drawScene is called when
// windowActive; its result and the Escape key decide whether the pass swaps.
// Call as: pass = beginFramePass(windowActive); if (pass.draw) drawOk = drawScene();
//          pass = finishFramePass(pass, drawOk, escapeDown);
FramePass beginFramePass(bool windowActive);
FramePass finishFramePass(FramePass pass, bool drawOk, bool escapeDown);
