// The swap count drives the water's blend cycle; the pass decision keeps the
// loop from swapping once it has decided to end.
#include "renderer/frame_cycle.h"

int frameCounter = 0;
int blendMode = 1;

void countSwap() {
    ++frameCounter;
    if (frameCounter == kBlendedSwaps) blendMode = 2;
    if (frameCounter == kCycleSwaps) {
        blendMode = 1;
        frameCounter = 0;
    }
}

FramePass beginFramePass(bool windowActive) {
    FramePass pass;
    pass.draw = windowActive;
    pass.swap = true;
    pass.done = false;
    return pass;
}

FramePass finishFramePass(FramePass pass, bool drawOk, bool escapeDown) {
    if (pass.draw && !drawOk) pass.done = true;
    if (escapeDown) pass.done = true;
    if (pass.done) pass.swap = false;
    return pass;
}
