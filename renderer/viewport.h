// The view the window's size gives the scene: viewport and projection.
#pragma once

// Last size given to resizeScene (a height of 0 is stored as 1).
extern int viewportWidth;
extern int viewportHeight;

// Viewport (0, 0, width, height); projection: 35 degrees vertical field of
// view, aspect width / height, near 0.1 (the float value widened), far 200;
// then the model-view matrix selected and reset. Needs a current GL context.
void resizeScene(int width, int height);
