// The frame as the main loop runs it. The swap count, not the drawn frames,
// drives the water's blend cycle, so minimised passes move it on too.
#include "renderer/frame_cycle.h"

#include "renderer/renderer_state.h"
#include "renderer/splash.h"
#include "renderer/water.h"

namespace {

constexpr int kBlendedSwaps = 1000;  // swaps with blend mode 1, then mode 2
constexpr int kCycleSwaps = 2000;    // after these the cycle starts again

}  // namespace

// The stone's stamp changes velocities only, so stepping the stone before the
// mesh is drawn leaves the drawn surface as it is.
void stepScene() {
    stepWater();
    spawnStone();
    updateStone();
    updateSplash();
}

void countSwap() {
    ++frameCounter;
    if (frameCounter == kBlendedSwaps) blendMode = 2;
    if (frameCounter == kCycleSwaps) {
        blendMode = 1;
        frameCounter = 0;
    }
}

bool escapeRequested() { return keyDown[kEscapeKey] || escapePressed; }

bool runFramePass(const FrameHooks& hooks) {
    bool done = false;
    if (windowActive && !hooks.draw()) done = true;
    if (escapeRequested()) done = true;
    if (done) return false;
    hooks.swap();
    countSwap();
    return true;
}
