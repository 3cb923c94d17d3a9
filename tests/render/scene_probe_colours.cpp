// Prints what the first frame looks like at each probe point for a folder of
// staged pictures, in both blend modes, so that a screenshot of the real
// renderer can be checked against the same scene code drawn offscreen.
// Usage: scene_probe_colours FOLDER   (FOLDER holds the three staged pictures)
// Output, one line a probe: NAME_WITH_UNDERSCORES X Y R1 G1 B1 R2 G2 B2
#include <cstdio>
#include <string>

#include "expected_contract.h"
#include "renderer/frame_cycle.h"
#include "renderer/scene.h"
#include "tests/render/scene_probes.h"
#include "tools/offscreen/offscreen_context.h"
#include "tools/offscreen/scene_start.h"

namespace {

bool drawFirstFrame(int mode, std::vector<Rgba>& colours) {
    OffscreenContext context(1024, 768);
    if (!context.ready() || !startOffscreenScene(1024, 768)) return false;
    blendMode = mode;
    drawScene();
    for (int i = 0; i < kProbePointCount; ++i) {
        const ScreenPoint p = projectWorldPoint(kProbePoints[i].world, 1024, 768);
        colours.push_back(context.pixel(p.x, p.y));
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scene_probe_colours FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string bed = folder + "/" EXPECTED_LAKE_BED;
    const std::string backdrop = folder + "/" EXPECTED_BACKDROP;
    const std::string sprite = folder + "/" EXPECTED_SPLASH;
    lakeBedFile = bed.c_str();
    backdropFile = backdrop.c_str();
    splashFile = sprite.c_str();

    std::vector<Rgba> blended, opaque;
    if (!drawFirstFrame(1, blended) || !drawFirstFrame(2, opaque)) {
        std::fprintf(stderr, "scene_probe_colours: cannot draw the scene from %s\n", folder.c_str());
        return 1;
    }
    for (int i = 0; i < kProbePointCount; ++i) {
        std::string name = kProbePoints[i].name;
        for (char& c : name)
            if (c == ' ') c = '_';
        const ScreenPoint p = projectWorldPoint(kProbePoints[i].world, 1024, 768);
        std::printf("%s %d %d %d %d %d %d %d %d\n", name.c_str(), p.x, p.y, blended[i].r, blended[i].g, blended[i].b,
                    opaque[i].r, opaque[i].g, opaque[i].b);
    }
    return 0;
}
