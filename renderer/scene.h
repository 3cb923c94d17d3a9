// Fixed GL state, the scene's textures and the per-frame drawing of the lake.
#pragma once

class Model;

// Texture objects: 0 lake bed, 1 never loaded, 2 backdrop, 3 splash sprite.
extern unsigned int sceneTextures[4];

// Camera and tilt, set by the program entry after the window exists.
extern float cameraEye[3];
extern float sceneTilt;

struct Tint {
    float red, green, blue;
};
extern const Tint waterTints[12];
extern int tintIndex;

// The program's model, held for the whole process (created by the entry).
extern Model* sceneModel;

bool initScene();
bool drawScene();
bool loadSceneTextures();
// The water surface as height-coloured quads in the current frame (part of
// drawScene; on its own for timing).
void drawWaterMesh();
// loadMipmappedTexture(path) is declared in ms3d_model.h and defined here.

// The files loadSceneTextures reads: the staged paths of the saver contract. Native tests and
// tools point them at a folder of their own; the renderer never changes them.
extern const char* lakeBedFile;
extern const char* backdropFile;
extern const char* splashFile;
