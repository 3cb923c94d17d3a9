#include "tools/offscreen/scene_start.h"

#include "renderer/frame_cycle.h"
#include "renderer/gl_api.h"
#include "renderer/scene.h"
#include "renderer/splash.h"
#include "renderer/water.h"

void resetSceneState()
{
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
    for (unsigned int& name : sceneTextures)
        name = 0;
}

void setSceneView(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The near plane is the single-precision 0.1 widened, as the renderer has it.
    gluPerspective(35.0, static_cast<double>(width) / static_cast<double>(height),
                   static_cast<double>(0.1f), 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool startOffscreenScene(int width, int height)
{
    resetSceneState();
    setSceneView(width, height);
    return initScene();
}
