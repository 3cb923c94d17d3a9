// The water mesh drawn from vertex arrays against its immediate-mode
// definition, and the whole frame against a plain drawing of its definition,
// compared byte for byte.
//
// Registered to run on Mesa's softpipe rasteriser. llvmpipe (Mesa's default)
// rounds the interpolation of a triangle differently depending on how its
// draw module batched the vertices: indexed or not, and whether a batch held
// a vertex that needed clipping. There the immediate-mode drawing alone moves
// some bytes by one step when it is flushed after every row, and no
// vertex-array drawing can match it byte for byte. softpipe draws a triangle
// the same however it is batched, so a difference there is a difference in
// what the program sends. (softpipe keeps pixels in float until a flush, so
// the reference flushes where the vertex arrays do.)
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "renderer/billboard.h"
#include "renderer/frame_cycle.h"
#include "renderer/gl_api.h"
#include "renderer/reference/immediate_water_mesh.h"
#include "renderer/scene.h"
#include "renderer/splash.h"
#include "renderer/viewport.h"
#include "renderer/water.h"
#include "tools/offscreen/offscreen_context.h"
#include "tools/offscreen/scene_start.h"
#include "tools/offscreen/staged_pictures.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class MeshRender : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pictures_.writeBed({128, 128, 128}));
        ASSERT_TRUE(pictures_.writeBackdrop({255, 255, 255}, {255, 0, 255}));
        ASSERT_TRUE(pictures_.writeSprite({255, 255, 255}));
    }
    // A new context with the scene at its start-up state.
    std::unique_ptr<OffscreenContext> startScene() {
        auto context = std::make_unique<OffscreenContext>(kWidth, kHeight);
        EXPECT_TRUE(context->ready());
        EXPECT_STREQ(reinterpret_cast<const char*>(glGetString(GL_RENDERER)), "softpipe");
        EXPECT_TRUE(startOffscreenScene(kWidth, kHeight));
        return context;
    }

    // The frames of the vertex arrays (in buffer objects or not) against
    // immediate mode's.
    void drawFramesBothWays(bool inBuffers);

    StagedPictures pictures_;
};

::testing::AssertionResult sameBytes(const std::vector<unsigned char>& seen,
                                     const std::vector<unsigned char>& expected) {
    if (seen.size() != expected.size()) return ::testing::AssertionFailure() << "sizes differ";
    size_t differing = 0;
    for (size_t i = 0; i < seen.size(); ++i) differing += seen[i] != expected[i] ? 1 : 0;
    if (differing == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differing << " bytes differ";
}

// The frame written out plainly from its definition, one GL call after the
// other, without any of the scene code's drawing functions.
void drawFrameByDefinition() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.0, 10.0, 22.0, 0.0, 0.0, -30.0, 0.0, 1.0, 0.0);
    stepWater();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    // The backdrop, then (in the scene's frame) the lake bed: texture
    // corner, then position, for each corner.
    const float quads[2][4][5] = {
        {{0, 1, -45, 25, -53}, {1, 1, 45, 25, -53}, {1, 0, 45, -3, -53}, {0, 0, -45, -3, -53}},
        {{0, 1, -35, -2, -45}, {1, 1, 35, -2, -45}, {1, 0, 35, -2, 15}, {0, 0, -35, -2, 15}},
    };
    const unsigned int textures[2] = {sceneTextures[2], sceneTextures[0]};
    for (int q = 0; q < 2; ++q) {
        if (q == 1) {
            glRotatef(0.0f, 1, 0, 0);
            glTranslatef(0, -2, -15);
        }
        glBindTexture(GL_TEXTURE_2D, textures[q]);
        glBegin(GL_QUADS);
        for (const float* corner : quads[q]) {
            glTexCoord2f(corner[0], corner[1]);
            glVertex3f(corner[2], corner[3], corner[4]);
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_DST_COLOR);
    drawWaterMeshImmediate(kWaterMeshBandRows);
    glDisable(GL_BLEND);
    spawnStone();
    updateStone();
    updateSplash();
    drawSplash();
}

// The reference mesh, flushed where the vertex arrays flush.
void drawImmediateMesh() { drawWaterMeshImmediate(kWaterMeshBandRows); }

// A rippled surface: two stamps spread over some steps.
void rippleTheWater() {
    stampRipple(128, 128, 3.0f);
    stampRipple(60, 200, 2.0f);
    for (int i = 0; i < 40; ++i) stepWater();
}

WaterGrid savedGrid;

}  // namespace

TEST_F(MeshRender, FrameMatchesAPlainDrawingOfItsDefinition) {
    std::unique_ptr<OffscreenContext> context = startScene();
    rippleTheWater();
    savedGrid = waterGrid;
    drawScene();
    const std::vector<unsigned char> drawn = context->frame();

    context = startScene();
    waterGrid = savedGrid;
    drawFrameByDefinition();
    EXPECT_TRUE(sameBytes(context->frame(), drawn)) << "the scene's drawing changed the picture";
    // The ripples make the frame worth comparing: the centre is not flat.
    EXPECT_NE(waterGrid.surface[128][120].y, waterGrid.surface[10][10].y);
}

// Both ways the mesh reaches the driver: buffer objects, where the context
// offers them, and GL 1.1 client arrays, where it does not.
TEST_F(MeshRender, VertexArraysDrawTheFramesOfImmediateMode) {
    drawFramesBothWays(true);
    drawFramesBothWays(false);
}

void MeshRender::drawFramesBothWays(bool inBuffers) {
    SCOPED_TRACE(inBuffers ? "buffer objects" : "client arrays");
    setStartupState();
    // Two contexts with the same history: every frame is stepped once, then
    // drawn in one with the mesh in immediate mode and in the other with the
    // vertex arrays.
    const std::unique_ptr<OffscreenContext> immediate = startScene();
    const std::unique_ptr<OffscreenContext> arrays = std::make_unique<OffscreenContext>(kWidth, kHeight);
    ASSERT_TRUE(arrays->ready());
    unsigned int immediateTextures[4];
    std::memcpy(immediateTextures, sceneTextures, sizeof sceneTextures);
    resizeScene(kWidth, kHeight);
    const GlProcLookup contextLookup = glProcLookup;
    glProcLookup = inBuffers ? contextLookup : nullptr;
    ASSERT_TRUE(initScene());
    glProcLookup = contextLookup;
    ASSERT_EQ(waterMeshInBuffers(), inBuffers);
    ASSERT_EQ(0, std::memcmp(immediateTextures, sceneTextures, sizeof sceneTextures)) << "the same texture names";

    // Ripples spread for a while, a big stone about to hit the water, and
    // the blend cycle switching to opaque water halfway through.
    rippleTheWater();
    placeStoneAtFarLeft(0.9f);
    constexpr int kFrames = 16;
    frameCounter = 1000 - kFrames / 2;
    for (int frame = 0; frame < kFrames; ++frame) {
        SCOPED_TRACE("frame " + std::to_string(frame) + ", blend mode " + std::to_string(blendMode));
        stepScene();
        ASSERT_TRUE(immediate->makeCurrent());
        renderScene(drawImmediateMesh);
        const std::vector<unsigned char> expected = immediate->frame();
        ASSERT_TRUE(arrays->makeCurrent());
        renderScene();
        ASSERT_TRUE(sameBytes(arrays->frame(), expected));
        // A second window drawn in the same frame shows the same surface.
        renderScene(drawWrittenWaterMesh);
        ASSERT_TRUE(sameBytes(arrays->frame(), expected)) << "drawn again from what was written";
        countSwap();
    }
    int alive = 0;
    for (const SplashParticle& p : splash) alive += p.active;
    EXPECT_EQ(alive, kSplashCount) << "the splash is in the air";
    EXPECT_EQ(blendMode, 2);
}
