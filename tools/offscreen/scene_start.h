// The renderer's start-up as its entry does it, for drawing the scene
// offscreen: program state back to its first-frame values, the view of a
// window of a given size, and the scene's GL state and textures.
#pragma once

// Settings, water grid, camera, tilt, generator seed, stone, particles and
// the blend cycle as they are before the first frame. No GL needed.
void resetSceneState();

// What the window's resize sets: viewport, 35-degree perspective from 0.1
// to 200, model-view identity.
void setSceneView(int width, int height);

// resetSceneState, setSceneView and initScene on the current context; false
// when initScene fails (no picture could be loaded).
bool startOffscreenScene(int width, int height);
