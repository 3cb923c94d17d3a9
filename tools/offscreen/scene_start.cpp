#include "tools/offscreen/scene_start.h"

#include "renderer/renderer_state.h"
#include "renderer/scene.h"
#include "renderer/viewport.h"

bool startOffscreenScene(int width, int height) {
    setStartupState();
    resizeScene(width, height);
    return initScene();
}

void placeStoneAtFarLeft(float size) {
    stone.active = 1;
    stone.x = -8.0f;
    stone.y = 0.001f;
    stone.z = -33.0f;
    stone.size = size;
}
