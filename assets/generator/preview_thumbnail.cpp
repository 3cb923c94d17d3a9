// kestrine_previewgen ASSETS_FOLDER [FRAME.ppm]: renders the real lake scene
// offscreen with the committed scene pictures, runs it until a stone's splash
// is in the air over its spreading ripple, and writes that frame, scaled down
// to the preview window's 152 x 112, as ASSETS_FOLDER/preview.jpg.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "assets/generator/bmp_file.h"
#include "assets/generator/byte_writer.h"
#include "assets/generator/jpeg_file.h"
#include "assets/generator/scratch_folder.h"
#include "renderer/frame_cycle.h"
#include "renderer/ms3d_model.h"
#include "renderer/renderer_state.h"
#include "renderer/scene.h"
#include "tools/offscreen/offscreen_context.h"
#include "tools/offscreen/scene_start.h"

namespace {

constexpr int kFrameWidth = 1024, kFrameHeight = 768;
constexpr int kThumbWidth = 152, kThumbHeight = 112;
constexpr int kMostFrames = 20000;

// The scene picture saved as the front end stages it: a 24-bit BMP.
bool stageAsBmp(const std::string& jpegPath, const std::string& bmpPath) {
    Rgb8Picture picture;
    return readJpeg(jpegPath, picture) && writeFileBytes(bmpPath, encodeBmp24(picture));
}

const SplashParticle* firstActiveParticle() {
    for (const SplashParticle& p : splash)
        if (p.active) return &p;
    return nullptr;
}

// One frame of the simulation exactly as drawScene advances it, without the
// drawing, so the search for a good frame runs quickly.
void advanceWithoutDrawing() {
    stepScene();
    countSwap();
}

// Stones always fall far out on the lake, where the fog starts. A frame
// worth showing has a big stone's splash about a dozen frames old: the
// sprites have grown and risen but not yet faded, and the ripple has begun
// to spread.
struct SplashWatch {
    float lastStoneSize = 0.0f;
    float splashStoneSize = 0.0f;
    bool splashWasActive = false;
};

bool showsGoodSplash(SplashWatch& watch) {
    const SplashParticle* p = firstActiveParticle();
    if (p && !watch.splashWasActive) watch.splashStoneSize = watch.lastStoneSize;
    watch.splashWasActive = p != nullptr;
    if (stone.active) watch.lastStoneSize = stone.size;
    return p && watch.splashStoneSize >= 0.6f && p->r < 0.5f;
}

// The first frame number (1-based) that shows a good splash; 0 if none does.
int findPreviewFrame() {
    setStartupState();
    SplashWatch watch;
    for (int frame = 1; frame <= kMostFrames; ++frame) {
        advanceWithoutDrawing();
        if (showsGoodSplash(watch)) return frame;
    }
    return 0;
}

// Exact area average of the frame's pixels under each thumbnail pixel,
// after cropping the frame to the thumbnail's proportions.
Rgb8Picture scaleDown(const std::vector<unsigned char>& rgba) {
    const double cropHeight = static_cast<double>(kFrameWidth) * kThumbHeight / kThumbWidth;
    const double top = (kFrameHeight - cropHeight) / 2.0;
    const double sx = static_cast<double>(kFrameWidth) / kThumbWidth, sy = cropHeight / kThumbHeight;
    Rgb8Picture out;
    out.width = kThumbWidth;
    out.height = kThumbHeight;
    out.rgb.resize(static_cast<size_t>(kThumbWidth) * kThumbHeight * 3);
    for (int ty = 0; ty < kThumbHeight; ++ty)
        for (int tx = 0; tx < kThumbWidth; ++tx) {
            const double x0 = tx * sx, x1 = x0 + sx, y0 = top + ty * sy, y1 = y0 + sy;
            double sum[3] = {0, 0, 0}, weight = 0;
            for (int y = static_cast<int>(y0); y < static_cast<int>(std::ceil(y1)) && y < kFrameHeight; ++y)
                for (int x = static_cast<int>(x0); x < static_cast<int>(std::ceil(x1)) && x < kFrameWidth; ++x) {
                    const double w = (std::min<double>(x + 1, x1) - std::max<double>(x, x0)) *
                                     (std::min<double>(y + 1, y1) - std::max<double>(y, y0));
                    const unsigned char* p = &rgba[(static_cast<size_t>(y) * kFrameWidth + x) * 4];
                    for (int c = 0; c < 3; ++c) sum[c] += w * p[c];
                    weight += w;
                }
            for (int c = 0; c < 3; ++c)
                out.pixel(tx, ty)[c] = static_cast<uint8_t>(std::clamp(std::lround(sum[c] / weight), 0L, 255L));
        }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s ASSETS_FOLDER [FRAME.ppm]\n", argv[0]);
        return 2;
    }
    const std::string assets = argv[1];
    // Staged beside nothing else: a private folder under the system's temporary folder.
    const std::filesystem::path stage = makeScratchFolder("kestrine_preview_");
    std::error_code error;
    const std::string bed = (stage / "Solvane1.bmp").string(), backdrop = (stage / "Solvane2.bmp").string(),
                      sprite = (stage / "Solvane3.bmp").string();
    const bool staged = stageAsBmp(assets + "/lake_bed.jpg", bed) && stageAsBmp(assets + "/backdrop.jpg", backdrop) &&
                        stageAsBmp(assets + "/splash.jpg", sprite);
    if (!staged) {
        std::filesystem::remove_all(stage, error);
        std::fprintf(stderr, "cannot stage the scene pictures from %s\n", assets.c_str());
        return 1;
    }
    lakeBedFile = bed.c_str();
    backdropFile = backdrop.c_str();
    splashFile = sprite.c_str();
    Ms3dModel model;
    if (model.load((assets + "/Kestrine.data").c_str())) sceneModel = &model;

    const int chosen = findPreviewFrame();
    OffscreenContext context(kFrameWidth, kFrameHeight);
    bool ok = chosen > 0 && context.ready() && startOffscreenScene(kFrameWidth, kFrameHeight);
    for (int frame = 1; ok && frame < chosen; ++frame) advanceWithoutDrawing();
    if (ok) ok = drawScene();
    std::filesystem::remove_all(stage, error);
    sceneModel = nullptr;
    if (!ok) {
        std::fprintf(stderr, "no frame with a near splash was drawn\n");
        return 1;
    }
    const SplashParticle* shown = firstActiveParticle();
    std::printf("preview: frame %d, splash %d frames old\n", chosen,
                shown ? static_cast<int>(std::lround((1.0f - shown->r) / 0.03f)) : -1);
    if (argc == 3) context.writePpm(argv[2]);
    const std::string out = assets + "/preview.jpg";
    if (!writeJpeg(out, scaleDown(context.frame()), 94)) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
