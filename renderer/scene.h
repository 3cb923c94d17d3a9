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

// Staged files the renderer reads.
extern const char* const kModelPath;     // "c:\\tolvin\\Solvane.data"
extern const char* const kLakeBedPath;   // "c:\\tolvin\\Solvane1.bmp"
extern const char* const kBackdropPath;  // "c:\\tolvin\\Solvane2.bmp"
extern const char* const kSplashPath;    // "c:\\tolvin\\Solvane3.bmp"

// The files loadSceneTextures reads: the staged paths above. Native tests and
// tools point them at a folder of their own; the renderer never changes them.
extern const char* lakeBedFile;
extern const char* backdropFile;
extern const char* splashFile;
