// Set on every resize of the window and once after its GL context is made.
#include "renderer/viewport.h"

#include "renderer/gl_api.h"

void resizeScene(int width, int height) {
    // A window shrunk to no height must not divide by zero.
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(35.0, static_cast<double>(width) / height, static_cast<double>(0.1f), 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
