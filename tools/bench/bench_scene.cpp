// Times the scene at the renderer's window size, offscreen: whole frames per
// second, and the parts of a frame (water step, stone and splash update, the
// water mesh draw). Pictures are plain solid bitmaps; the cost of sampling
// them does not depend on their content.
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "renderer/frame_cycle.h"
#include "renderer/gl_api.h"
#include "renderer/renderer_state.h"
#include "renderer/scene.h"
#include "renderer/splash.h"
#include "renderer/water.h"
#include "tools/offscreen/bmp_file.h"
#include "tools/offscreen/offscreen_context.h"
#include "tools/offscreen/scene_start.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

struct Pictures {
    std::string folder, bed, backdrop, sprite;
    bool write() {
        char pattern[] = "/tmp/kestrine-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr) return false;
        folder = pattern;
        bed = folder + "/Solvane1.bmp";
        backdrop = folder + "/Solvane2.bmp";
        sprite = folder + "/Solvane3.bmp";
        lakeBedFile = bed.c_str();
        backdropFile = backdrop.c_str();
        splashFile = sprite.c_str();
        return writeSplitBmp(bed, 256, 256, {170, 140, 90}, {90, 120, 150}) &&
               writeSplitBmp(backdrop, 1024, 256, {200, 210, 230}, {90, 100, 120}) &&
               writeSolidBmp(sprite, 64, 64, {255, 255, 255});
    }
    ~Pictures() {
        for (const std::string& path : {bed, backdrop, sprite}) unlink(path.c_str());
        rmdir(folder.c_str());
    }
};

// Waits for the GL to finish the frame, as a buffer swap would.
void finishFrame() { glFinish(); }

// Whole frames through the loop's own pass, including the blend cycle.
double framesPerSecond(int frames) {
    const FrameHooks hooks = {drawScene, finishFrame};
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < frames; ++i) runFramePass(hooks);
    return frames / (microsecondsSince(start) / 1e6);
}

double waterStepMicroseconds(int steps) {
    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        const Clock::time_point start = Clock::now();
        stepWater();
        times.push_back(microsecondsSince(start));
    }
    return median(times);
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

double meshDrawMicroseconds(int draws) {
    std::vector<double> times;
    glLoadIdentity();
    gluLookAt(cameraEye[0], cameraEye[1], cameraEye[2], 0.0, 0.0, -30.0, 0.0, 1.0, 0.0);
    glTranslatef(0.0f, -2.0f, -15.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_DST_COLOR);
    for (int i = 0; i < draws; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        const Clock::time_point start = Clock::now();
        drawWaterMesh();
        glFinish();
        times.push_back(microsecondsSince(start));
    }
    glDisable(GL_BLEND);
    return median(times);
}

}  // namespace

int main() {
    Pictures pictures;
    if (!pictures.write()) {
        std::printf("scene: FAIL, cannot write the test pictures\n");
        return 1;
    }
    OffscreenContext context(1024, 768);
    if (!context.ready() || !startOffscreenScene(1024, 768)) {
        std::printf("scene: FAIL, no offscreen context or scene\n");
        return 1;
    }
    // Warm up (shader variants, texture residency), then time.
    framesPerSecond(5);
    const double fps = framesPerSecond(60);
    const double mesh = meshDrawMicroseconds(20);

    setStartupState();
    const double water = waterStepMicroseconds(200);
    setStartupState();
    const double stone = stoneAndSplashMicroseconds(200000);

    std::printf("scene frame at 1024 x 768 (OSMesa): %.1f frames per second (%.1f ms a frame)\n", fps, 1000.0 / fps);
    std::printf("scene split: water step %.0f us, stone and splash update %.2f us, mesh draw %.0f us\n", water, stone,
                mesh);
    return 0;
}
