// The renderer's view of a window of the given size, as its resize handler
// sets it: viewport, 35-degree perspective from 0.1 to 200, model-view reset.
#pragma once

void setSceneView(int width, int height);
