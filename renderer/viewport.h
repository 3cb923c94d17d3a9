// The view the window's size gives the scene: viewport and projection.
#pragma once

// Viewport (0, 0, width, height), a height of 0 taken as 1; projection: 35
// degrees vertical field of view, aspect width / height, near 0.1 (the float
// value widened), far 200; then the model-view matrix selected and reset.
// Needs a current GL context.
void resizeScene(int width, int height);
