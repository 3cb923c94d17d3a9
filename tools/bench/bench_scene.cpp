// Times the scene offscreen at the renderer's window size, the water mesh
// drawn from vertex arrays against the immediate-mode reference it replaces:
//   bench_scene mesh    the mesh alone, median of many draws; with
//                       GALLIUM_NOOP=1 Mesa rasterises nothing, so this is the
//                       cost of handing the mesh to the driver
//   bench_scene frame   whole frames through the loop's own pass, and the
//                       stone and splash update
// The two paths take turns, so a busy machine slows both alike. Pictures
// are plain solid bitmaps; the cost of sampling them does not depend on
// their content.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "renderer/frame_cycle.h"
#include "renderer/gl_api.h"
#include "renderer/reference/immediate_water_mesh.h"
#include "renderer/renderer_state.h"
#include "renderer/scene.h"
#include "renderer/splash.h"
#include "renderer/water.h"
#include "tools/offscreen/offscreen_context.h"
#include "tools/offscreen/scene_start.h"
#include "tools/offscreen/staged_pictures.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Waits for the GL to finish, as a buffer swap would.
void finishFrame() { glFinish(); }

// The mesh as the program drew it before: immediate mode, no flush.
void drawImmediateMesh() { drawWaterMeshImmediate(0); }

bool drawReferenceFrame() {
    stepScene();
    renderScene(drawImmediateMesh);
    return true;
}

// One mesh draw into a cleared frame, as the scene draws it (blended).
double meshMicroseconds(void (*drawMesh)()) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
    const Clock::time_point start = Clock::now();
    drawMesh();
    glFinish();
    return microsecondsSince(start);
}

void benchMesh(bool noOpDriver) {
    // A rippled surface in the lake's frame.
    stampRipple(128, 128, 3.0f);
    stampRipple(60, 200, 2.0f);
    for (int i = 0; i < 40; ++i) stepWater();
    glLoadIdentity();
    gluLookAt(cameraEye[0], cameraEye[1], cameraEye[2], 0.0, 0.0, -30.0, 0.0, 1.0, 0.0);
    glTranslatef(0.0f, -2.0f, -15.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_DST_COLOR);
    meshMicroseconds(drawWaterMesh);
    meshMicroseconds(drawImmediateMesh);
    // Blocks of draws in turns: each path runs warm, and a busy spell of the
    // machine falls on both.
    std::vector<double> arrays, immediate;
    for (int block = 0; block < 6; ++block) {
        for (int i = 0; i < 5; ++i) arrays.push_back(meshMicroseconds(drawWaterMesh));
        for (int i = 0; i < 5; ++i) immediate.push_back(meshMicroseconds(drawImmediateMesh));
    }
    glDisable(GL_BLEND);
    const double n = median(arrays), m = median(immediate);
    std::printf("mesh %s: %.0f us (immediate-mode reference %.0f us, ratio %.1f)\n",
                noOpDriver ? "submission (no-op driver)" : "draw (software rasteriser)", n, m, m / n);
}

// Seconds for some frames through the loop's pass.
double secondsFor(int frames, bool (*draw)()) {
    const FrameHooks hooks = {draw, finishFrame};
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) runFramePass(hooks);
    return microsecondsSince(start) / 1e6;
}

// Mean over many frames: most frames do almost nothing, impacts do more.
double stoneAndSplashMicroseconds(int frames) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        spawnStone();
        updateStone();
        updateSplash();
    }
    return microsecondsSince(start) / frames;
}

void benchFrame() {
    secondsFor(5, drawScene);
    secondsFor(5, drawReferenceFrame);
    constexpr int kRounds = 8, kFrames = 8;
    double arrays = 0.0, immediate = 0.0;
    for (int round = 0; round < kRounds; ++round) {
        arrays += secondsFor(kFrames, drawScene);
        immediate += secondsFor(kFrames, drawReferenceFrame);
    }
    const double n = kRounds * kFrames / arrays, m = kRounds * kFrames / immediate;
    std::printf("full frame offscreen: %.1f frames/s (immediate-mode reference %.1f frames/s, ratio %.2f)\n", n, m,
                n / m);
    setStartupState();
    std::printf("stone and splash update: %.2f us a frame\n", stoneAndSplashMicroseconds(200000));
}

}  // namespace

int main(int argc, char** argv) {
    const bool mesh = argc == 2 && std::strcmp(argv[1], "mesh") == 0;
    const bool frame = argc == 2 && std::strcmp(argv[1], "frame") == 0;
    if (!mesh && !frame) {
        std::fprintf(stderr, "usage: bench_scene mesh|frame\n");
        return 2;
    }
    StagedPictures pictures;
    if (!pictures.writeBed({170, 140, 90}) || !pictures.writeBackdrop({200, 210, 230}, {90, 100, 120}) ||
        !pictures.writeSprite({255, 255, 255})) {
        std::printf("scene: FAIL, cannot write the test pictures\n");
        return 1;
    }
    OffscreenContext context(1024, 768);
    if (!context.ready() || !startOffscreenScene(1024, 768)) {
        std::printf("scene: FAIL, no offscreen context or scene\n");
        return 1;
    }
    const bool noOpDriver = std::strcmp(reinterpret_cast<const char*>(glGetString(GL_RENDERER)), "NOOP") == 0;
    if (mesh)
        benchMesh(noOpDriver);
    else
        benchFrame();
    return 0;
}
