// The renderer's start-up as its entry does it, for drawing the scene
// offscreen: program state back to its first-frame values, then the view and
// the scene's GL state and textures as the renderer sets them.
#pragma once

// Settings, water grid, camera, tilt, generator seed, stone, particles and
// the blend cycle as they are before the first frame. No GL needed.
void resetSceneState();

// resetSceneState, the window's resize (resizeScene) and initScene on the
// current context; false when initScene fails (no picture could be loaded).
bool startOffscreenScene(int width, int height);
