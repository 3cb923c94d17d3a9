// The scene: fixed GL state, the three staged textures and the drawing of one
// frame (backdrop, lake bed, water mesh, then the splash).
#include "renderer/scene.h"

#include "renderer/billboard.h"
#include "renderer/frame_cycle.h"
#include "renderer/gl_api.h"
#include "renderer/image/bmp_loader.h"
#include "renderer/ms3d_model.h"
#include "renderer/splash.h"

namespace {

// Picture rows are packed without padding; the GL default (4-byte rows) would
// read past the end of any picture whose row is not a multiple of four bytes.
void unpackTightRows() { glPixelStorei(GL_UNPACK_ALIGNMENT, 1); }

// An image the GL can take: a record with pixels and a positive size.
RgbImage* loadUsableImage(const char* path) {
    if (path == nullptr) return nullptr;
    RgbImage* image = loadBitmapIfPresent(path);
    if (image == nullptr) return nullptr;
    if (image->data == nullptr || image->width <= 0 || image->height <= 0) {
        freeRgbImage(image);
        return nullptr;
    }
    return image;
}

void buildMipmaps(const RgbImage& image) {
    unpackTightRows();
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, image.data);
}

void setLinearFilters() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

bool loadMipmappedSlot(const char* path, int slot) {
    RgbImage* image = loadUsableImage(path);
    if (image == nullptr) return false;
    glGenTextures(1, &sceneTextures[slot]);
    glBindTexture(GL_TEXTURE_2D, sceneTextures[slot]);
    buildMipmaps(*image);
    setLinearFilters();
    freeRgbImage(image);
    return true;
}

// Uploaded as they are: these pictures are staged at power-of-two sizes.
bool loadPlainSlot(const char* path, int slot) {
    RgbImage* image = loadUsableImage(path);
    if (image == nullptr) return false;
    glGenTextures(1, &sceneTextures[slot]);
    glBindTexture(GL_TEXTURE_2D, sceneTextures[slot]);
    unpackTightRows();
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE, image->data);
    setLinearFilters();
    freeRgbImage(image);
    return true;
}

// True when at least one of the three pictures was loaded.
bool loadSceneTextures() {
    bool result = false;
    if (loadMipmappedSlot(lakeBedFile, 0)) result = true;
    if (loadPlainSlot(backdropFile, 2)) result = true;
    if (loadPlainSlot(splashFile, 3)) result = true;
    return result;
}

// A corner of a textured quad: its texture coordinates, then its position.
struct QuadCorner {
    GLfloat s, t, x, y, z;
};

void drawTexturedQuad(unsigned int texture, const QuadCorner (&corners)[4]) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    for (const QuadCorner& c : corners) {
        glTexCoord2f(c.s, c.t);
        glVertex3f(c.x, c.y, c.z);
    }
    glEnd();
}

// Drawn before the scene frame, so the tilt and the lake's offset leave it be.
const QuadCorner kBackdropQuad[4] = {
    {0.0f, 1.0f, -45.0f, 25.0f, -53.0f},
    {1.0f, 1.0f, 45.0f, 25.0f, -53.0f},
    {1.0f, 0.0f, 45.0f, -3.0f, -53.0f},
    {0.0f, 0.0f, -45.0f, -3.0f, -53.0f},
};

const QuadCorner kLakeBedQuad[4] = {
    {0.0f, 1.0f, -35.0f, -2.0f, -45.0f},
    {1.0f, 1.0f, 35.0f, -2.0f, -45.0f},
    {1.0f, 0.0f, 35.0f, -2.0f, 15.0f},
    {0.0f, 0.0f, -35.0f, -2.0f, 15.0f},
};

void drawBackdrop() {
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawTexturedQuad(sceneTextures[2], kBackdropQuad);
}

void drawLakeBed() { drawTexturedQuad(sceneTextures[0], kLakeBedQuad); }

}  // namespace

unsigned int loadMipmappedTexture(const char* path) {
    RgbImage* image = loadUsableImage(path);
    if (image == nullptr) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    buildMipmaps(*image);
    freeRgbImage(image);
    return name;
}

void setFixedState() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 1.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    const GLfloat fogColour[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_START, 60.0f);
    glFogf(GL_FOG_END, 78.0f);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glEnable(GL_FOG);
    glDisable(GL_LIGHTING);
}

bool initScene() {
    if (sceneModel != nullptr) sceneModel->loadMaterialTextures(loadMipmappedTexture);
    if (!loadSceneTextures()) return false;
    setFixedState();
    startWaterMesh();
    resetSplash();
    return true;
}

void renderScene(void (*drawMesh)()) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(cameraEye[0], cameraEye[1], cameraEye[2], 0.0, 0.0, -30.0, 0.0, 1.0, 0.0);

    drawBackdrop();

    glRotatef(sceneTilt, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, -2.0f, -15.0f);
    drawLakeBed();
    glDisable(GL_TEXTURE_2D);

    if (blendMode == 1) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_DST_COLOR);
    }
    drawMesh();
    glDisable(GL_BLEND);

    drawSplash();
}

bool drawScene() {
    stepScene();
    renderScene();
    return true;
}
