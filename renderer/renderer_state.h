// Every piece of the renderer's program-wide state: the main loop's flags,
// the water grid (water.h owns it and its values), the scene's textures and
// camera, the stone and its splash. setStartupState gives all of it its first-frame
// values; the program, the offscreen tools and the tests all start from it.
// The window's platform handles live in render_window_win32.cpp.
#pragma once
#include "renderer/water.h"

class Model;

// ---- Window and main loop ------------------------------------------------
constexpr int kKeyCount = 256;
constexpr int kEscapeKey = 0x1B;  // the virtual-key code of Escape

extern bool fullScreen;          // full screen asked for (whether the display's mode changed is the window's own)
extern bool windowActive;        // not minimised: the loop draws frames
extern bool keyDown[kKeyCount];  // by virtual-key code
// Set by every Escape key-down and never cleared: a quick tap whose key-up
// is queued behind its key-down would otherwise clear keyDown before any
// frame pass sees it, and the saver would ignore the key.
extern bool escapePressed;
extern int frameCounter;  // swaps since the current blend cycle began
// Nobody can see the lake: the loop rests (frame_pacing.h).
extern bool displayOff;       // the display is off
extern bool sessionDetached;  // the session is connected to no display
extern int blendMode;         // 1 = blended water, 2 = opaque water

// ---- Scene ---------------------------------------------------------------
extern unsigned int sceneTextures[4];  // 0 lake bed, 1 never loaded, 2 backdrop, 3 splash sprite
extern float cameraEye[3];
extern float sceneTilt;  // degrees about the x axis
extern int tintIndex;    // the row of waterTints the water is coloured from

// Left alone by setStartupState; whoever reads a model or points the scene
// at other pictures sets these. The program's model lives for the whole
// process; the picture files are the staged ones unless a native test or
// tool names a folder of its own.
extern Model* sceneModel;
extern const char* lakeBedFile;
extern const char* backdropFile;
extern const char* splashFile;

// ---- Stone and splash ----------------------------------------------------
// The one linear congruential generator of the stone and the splash.
extern unsigned int randomState;

struct Stone {
    int active;
    float x, y, z;
    float vx, vy;  // vy > 0 means falling
    float size;
};

struct SplashParticle {
    float x, y, z;
    float r, g, b;
    float vx, vy, vz;  // vy > 0 means rising
    float size;
    int active;
};

constexpr int kSplashCount = 8;
extern Stone stone;
extern SplashParticle splash[kSplashCount];

// Every variable above, except the model and the picture files, at its
// first-frame value: the water's (setWaterStartupState), full screen requested, blended water, the lake not resting, camera at (0, 10, 22) with no tilt,
// tint 10, generator seed 1, no stone, no particle, no texture. Lays the
// water grid out.
void setStartupState();
