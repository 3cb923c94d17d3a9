// The radio marks of the music-source choice, on the panel's light grey.
#include <cmath>

#include "assets/generator/dialog_pictures.h"
#include "assets/generator/shape_coverage.h"

namespace {

constexpr int kSize = 12, kSamples = 8;

Colour markAt(float x, float y, bool selected) {
    const Colour panel = rgb255(224, 224, 224);
    const float cx = 6.0f, cy = 6.0f;
    const float dx = x - cx, dy = y - cy;
    const float r = std::sqrt(dx * dx + dy * dy);
    if (r > 5.6f) return panel;
    // A sunken ring: darker towards the top left, lighter towards the bottom right.
    const float towardsLight = r > 0 ? (dx + dy) / (r * 1.41421356f) : 0.0f;  // -1 top left .. 1 bottom right
    if (r > 4.4f) {
        const Colour dark = rgb255(88, 92, 104), light = rgb255(150, 154, 166);
        return mix(dark, light, 0.5f + 0.5f * towardsLight);
    }
    // Inside: white, shaded just under the top-left rim as in a shallow well.
    Colour c = rgb255(255, 255, 255);
    if (r > 3.6f) c = mix(c, rgb255(200, 204, 214), (r - 3.6f) / 0.8f * (0.5f - 0.5f * towardsLight));
    if (selected) {
        const Colour dot = rgb255(20, 44, 110);
        if (r < 2.3f) {
            const float shine = std::fmax(0.0f, 1.0f - std::hypot(dx + 0.7f, dy + 0.7f) / 1.1f);
            c = mix(dot, rgb255(120, 150, 220), shine * 0.6f);
        }
    }
    return c;
}

}  // namespace

Picture makeRadioMark(bool selected) {
    Picture big(kSize * kSamples, kSize * kSamples);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x)
            big.at(x, y) = markAt((x + 0.5f) / kSamples, (y + 0.5f) / kSamples, selected);
    return downsample(big, kSamples);
}
