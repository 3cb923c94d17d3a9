#include "tools/offscreen/scene_start.h"

#include "renderer/frame_cycle.h"
#include "renderer/scene.h"
#include "renderer/splash.h"
#include "renderer/viewport.h"
#include "renderer/water.h"

void resetSceneState() {
    gridWidth = 256;
    gridHeight = 256;
    damping = 1.0f - 0.004f;
    rippleRadius = 2;
    blendMode = 1;
    frameCounter = 0;
    initWaterGrid();
    cameraEye[0] = 0.0f;
    cameraEye[1] = 10.0f;
    cameraEye[2] = 22.0f;
    sceneTilt = 0.0f;
    tintIndex = 10;
    randomState = 1;
    stone = Stone{};
    resetSplash();
    for (unsigned int& name : sceneTextures) name = 0;
}

bool startOffscreenScene(int width, int height) {
    resetSceneState();
    resizeScene(width, height);
    return initScene();
}
