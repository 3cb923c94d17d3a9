// One frame of the main loop: the simulation's step, the pass that draws,
// swaps and counts, and the blend cycle counted in swaps.
#pragma once

// Advances the water, the stone and the splash by one frame. Makes no GL
// call, so a frame can be stepped without being drawn.
void stepScene();

// Called after every buffer swap: 1000 swaps blended, 1000 opaque, again.
void countSwap();

// What a pass does through the platform: drawScene and the buffer swap in
// the program; whatever a test or benchmark needs elsewhere.
struct FrameHooks {
    bool (*draw)();  // false ends the loop
    void (*swap)();
};

// Escape is down, or was pressed since the start (keyDown, escapePressed).
bool escapeRequested();

// One pass of the main loop with an empty message queue: draws while
// windowActive; ends the loop without swapping when the draw fails or Escape
// is down (keyDown or escapePressed); otherwise swaps and counts the swap. A
// minimised window draws nothing but still swaps and counts. Returns false
// when the loop ends.
bool runFramePass(const FrameHooks& hooks);
