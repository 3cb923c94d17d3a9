#include "tools/offscreen/scene_view.h"

#include "renderer/gl_api.h"

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
