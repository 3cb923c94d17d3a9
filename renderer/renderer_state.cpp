// The renderer's program-wide state and its start-up values.
#include "renderer/renderer_state.h"

#include "contract/saver_contract.h"

bool fullScreen;
bool windowActive;
bool keyDown[kKeyCount];
bool escapePressed;
int frameCounter;
bool displayOff;
bool sessionDetached;
int blendMode;

unsigned int sceneTextures[4];
float cameraEye[3];
float sceneTilt;
int tintIndex;

Model* sceneModel = nullptr;
const char* lakeBedFile = kLakeBedPath;
const char* backdropFile = kBackdropPath;
const char* splashFile = kSplashPath;

unsigned int randomState;
Stone stone;
SplashParticle splash[kSplashCount];

void setStartupState() {
    fullScreen = true;
    windowActive = true;
    for (bool& down : keyDown) down = false;
    escapePressed = false;
    frameCounter = 0;
    displayOff = false;
    sessionDetached = false;
    blendMode = 1;

    setWaterStartupState();

    for (unsigned int& name : sceneTextures) name = 0;
    cameraEye[0] = 0.0f;
    cameraEye[1] = 10.0f;
    cameraEye[2] = 22.0f;
    sceneTilt = 0.0f;
    tintIndex = 10;

    randomState = 1;
    stone = Stone{};
    for (SplashParticle& particle : splash) particle = SplashParticle{};
}
