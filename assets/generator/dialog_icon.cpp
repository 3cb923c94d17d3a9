// Title-bar icon: a round patch of lake with a falling drop and the ripple
// rings it spreads, reduced to an 8-bit palette.
#include <cmath>

#include "assets/generator/dialog_pictures.h"
#include "assets/generator/palette_reduction.h"
#include "assets/generator/shape_coverage.h"

namespace {

constexpr int kSize = 32, kSamples = 8;

struct Sample {
    Colour colour;
    float coverage;
};

// A thin elliptical ring of the given radius, 1 at its line, fading off it.
float ringLine(float dx, float dy, float radius, float width) {
    const float r = std::sqrt(dx * dx + (dy / 0.42f) * (dy / 0.42f));
    return std::exp(-((r - radius) * (r - radius)) / (width * width));
}

Sample iconAt(float x, float y) {
    const float cx = 16.0f, cy = 16.0f;
    const float dx = x - cx, dy = y - cy;
    const float r = std::sqrt(dx * dx + dy * dy);
    const float outer = 15.6f;
    if (r > outer) return {{0, 0, 0}, 0.0f};
    // Water: deep blue below, sky-lit towards the top.
    const float t = std::clamp((y - 1.0f) / 30.0f, 0.0f, 1.0f);
    Colour c = mix(rgb255(96, 170, 226), rgb255(10, 52, 118), t);
    // Ripples spread from under the drop, fainter as they grow.
    const float rx = x - 16.0f, ry = y - 20.5f;
    const float rings =
        ringLine(rx, ry, 3.2f, 0.55f) + 0.8f * ringLine(rx, ry, 7.0f, 0.6f) + 0.55f * ringLine(rx, ry, 11.0f, 0.65f);
    c = mix(c, rgb255(226, 244, 255), std::fmin(1.0f, rings));
    // The drop: a teardrop, point upwards, lit from the top left.
    const float ddx = x - 16.0f, ddy = y - 10.0f;
    const float belly = std::hypot(ddx, ddy);
    const bool inBelly = ddy >= 0.0f && belly < 3.4f;
    const bool inPoint =
        ddy < 0.0f && ddy > -6.5f && std::fabs(ddx) < 3.4f * (1.0f + ddy / 6.5f) * std::sqrt(1.0f + ddy / 6.5f);
    if (inBelly || inPoint) {
        c = mix(rgb255(196, 232, 255), rgb255(54, 124, 204), std::clamp((ddx + ddy * 0.4f + 3.4f) / 6.8f, 0.0f, 1.0f));
        if (std::hypot(ddx + 1.3f, ddy - 0.4f) < 1.0f) c = rgb255(255, 255, 255);
        if (belly > 2.6f && ddy >= 0.0f) c = mix(c, rgb255(16, 56, 120), 0.55f);
    }
    // Dark rim so the edge reads on light and dark title bars alike.
    if (r > outer - 1.3f) c = mix(c, rgb255(8, 26, 62), 0.85f);
    return {c, 1.0f};
}

}  // namespace

IndexedPicture makeDialogIcon() {
    Picture big(kSize * kSamples, kSize * kSamples);
    std::vector<float> coverage(big.pixels.size());
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) {
            const Sample s = iconAt((x + 0.5f) / kSamples, (y + 0.5f) / kSamples);
            big.at(x, y) = s.colour;
            coverage[static_cast<size_t>(y) * big.width + x] = s.coverage;
        }
    Picture small = downsample(big, kSamples);
    std::vector<bool> transparent(kSize * kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            float covered = 0, sum = 0;
            Colour colour{0, 0, 0};
            for (int j = 0; j < kSamples; ++j)
                for (int i = 0; i < kSamples; ++i) {
                    const size_t k = static_cast<size_t>(y * kSamples + j) * big.width + (x * kSamples + i);
                    covered += coverage[k];
                    colour = colour + big.pixels[k] * coverage[k];
                    sum += 1;
                }
            transparent[y * kSize + x] = covered / sum < 0.5f;
            // Edge pixels take the colour of their covered part only.
            if (covered > 0) small.at(x, y) = colour * (1.0f / covered);
        }
    return reduceToPalette(quantise(small, false), transparent, 256);
}
