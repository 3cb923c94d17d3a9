// The scene: fixed GL state, the three staged textures and the drawing of one
// frame (backdrop, lake bed, water mesh, then the splash).
#include "renderer/scene.h"

#include "renderer/billboard.h"
#include "renderer/frame_cycle.h"
#include "renderer/gl_api.h"
#include "renderer/image/bmp_loader.h"
#include "renderer/ms3d_model.h"
#include "renderer/splash.h"

const Tint waterTints[12] = {
    {0.1f, 0.1f, 0.3f}, {0.3f, 0.1f, 0.1f}, {0.1f, 0.3f, 0.1f}, {0.1f, 0.1f, 0.6f},
    {0.6f, 0.1f, 0.1f}, {0.1f, 0.6f, 0.1f}, {0.2f, 0.2f, 0.2f}, {0.6f, 0.6f, 0.6f},
    {0.3f, 0.3f, 0.1f}, {0.3f, 0.1f, 0.3f}, {0.1f, 0.3f, 0.3f}, {0.05f, 0.05f, 0.05f},
};

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

// All GL state that stays fixed for the life of the context.
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

// Drawn before the scene frame, so the tilt and the lake's offset leave it be.
void drawBackdrop() {
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, sceneTextures[2]);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-45.0f, 25.0f, -53.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(45.0f, 25.0f, -53.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(45.0f, -3.0f, -53.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-45.0f, -3.0f, -53.0f);
    glEnd();
}

void drawLakeBed() {
    glBindTexture(GL_TEXTURE_2D, sceneTextures[0]);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-35.0f, -2.0f, -45.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(35.0f, -2.0f, -45.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(35.0f, -2.0f, 15.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-35.0f, -2.0f, 15.0f);
    glEnd();
}

void waterVertex(const Tint& base, int column, int row) {
    const GridVertex& cell = waterGrid.surface[column][row];
    const double h = cell.y;
    glColor3f(static_cast<float>(base.red + 0.2 * h), static_cast<float>(base.green + 0.2 * h),
              static_cast<float>(base.blue + 0.5 * h));
    glVertex3f(cell.x, cell.y, cell.z);
}

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

bool initScene() {
    if (sceneModel != nullptr) sceneModel->loadMaterialTextures(loadMipmappedTexture);
    if (!loadSceneTextures()) return false;
    setFixedState();
    resetSplash();
    return true;
}

// One quad per cell, rows outer and columns inner. The bounds never pass the
// grid's capacity, whatever the settings say.
void drawWaterMesh() {
    const Tint& base = waterTints[tintIndex >= 0 && tintIndex < 12 ? tintIndex : 10];
    const int columns = gridWidth < kWaterCapacity ? gridWidth : kWaterCapacity;
    const int rows = gridHeight < kWaterCapacity ? gridHeight : kWaterCapacity;
    for (int i = 0; i < rows - 1; ++i) {
        for (int j = 0; j < columns - 1; ++j) {
            glBegin(GL_QUADS);
            waterVertex(base, j, i);
            waterVertex(base, j + 1, i);
            waterVertex(base, j + 1, i + 1);
            waterVertex(base, j, i + 1);
            glEnd();
        }
    }
}

void renderScene() {
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
    drawWaterMesh();
    glDisable(GL_BLEND);

    drawSplash();
}

bool drawScene() {
    stepScene();
    renderScene();
    return true;
}
