// The renderer's start-up as its entry does it, for drawing the scene
// offscreen: the program state at its first-frame values, then the view and
// the scene's GL state and textures as the renderer sets them.
#pragma once

// setStartupState, the window's resize (resizeScene) and initScene on the
// current context; false when initScene fails (no picture could be loaded).
bool startOffscreenScene(int width, int height);

// A stone of the given size just above the water at the lake's far left
// (x -8, z -33): the next stone update drops it in and throws up its splash.
void placeStoneAtFarLeft(float size);
