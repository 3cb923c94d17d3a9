// Fixed GL state, the scene's textures and the drawing of the lake.
#pragma once
#include "renderer/renderer_state.h"
#include "renderer/water_mesh.h"

// The model's material textures, the three scene pictures and the fixed GL
// state; false when none of the pictures could be loaded.
bool initScene();
// All GL state that stays fixed for the life of a context: initScene sets
// it on the program's context, and every further context that draws the
// scene sets it on its own.
void setFixedState();
// One frame: stepScene, then renderScene. Always true.
bool drawScene();
// Draws the scene as it stands (backdrop, lake bed, water mesh, splash)
// without moving anything. drawMesh draws the water mesh: the program's
// vertex arrays, or the immediate-mode drawing that tests and benchmarks
// hold them to.
void renderScene(void (*drawMesh)() = drawWaterMesh);
// A mipmapped texture from an image file; 0 when the file is missing or
// unreadable. The loader the model's material textures are made with.
unsigned int loadMipmappedTexture(const char* path);
