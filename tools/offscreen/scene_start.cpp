#include "tools/offscreen/scene_start.h"

#include "renderer/renderer_state.h"
#include "renderer/scene.h"
#include "renderer/viewport.h"

bool startOffscreenScene(int width, int height) {
    setStartupState();
    resizeScene(width, height);
    return initScene();
}
