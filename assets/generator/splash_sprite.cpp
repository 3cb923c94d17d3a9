// Splash sprite: a crown of pale droplets on pure black. The renderer adds
// it onto the scene, so black must stay exactly black; the droplets keep
// well inside the edge so no grey reaches the sprite's border.
#include <cmath>

#include "assets/generator/random_source.h"
#include "assets/generator/scene_pictures.h"

namespace {

constexpr int kSize = 64, kSamples = 4;
constexpr float kPi = 3.14159265f;

struct Droplet {
    float x, y, radius, brightness;
};

std::vector<Droplet> scatterDroplets() {
    RandomSource random(0x5b1a54ull);
    std::vector<Droplet> drops;
    const int ringCount = 30;
    for (int i = 0; i < ringCount; ++i) {
        const float angle = (i + random.between(-0.3f, 0.3f)) * 2.0f * kPi / ringCount;
        const float r = 19.0f + random.between(-2.0f, 2.0f);
        drops.push_back({32 + r * std::cos(angle), 32 + r * std::sin(angle), random.between(0.9f, 2.0f),
                         random.between(0.65f, 1.0f)});
    }
    // Finer spray inside the crown, dimmer towards the middle.
    for (int i = 0; i < 26; ++i) {
        const float angle = random.uniform() * 2.0f * kPi;
        const float r = random.between(9.0f, 16.5f);
        drops.push_back({32 + r * std::cos(angle), 32 + r * std::sin(angle), random.between(0.5f, 1.1f),
                         random.between(0.3f, 0.7f) * r / 16.5f});
    }
    return drops;
}

}  // namespace

Picture makeSplashSprite() {
    const std::vector<Droplet> drops = scatterDroplets();
    const Colour tint{0.86f, 0.94f, 1.0f};
    Picture big(kSize * kSamples, kSize * kSamples);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) {
            const float px = (x + 0.5f) / kSamples, py = (y + 0.5f) / kSamples;
            const float dr = std::hypot(px - 32.0f, py - 32.0f) - 19.0f;
            float light = 0.16f * std::exp(-dr * dr / 6.0f);  // faint sheet of the crown
            for (const Droplet& d : drops) {
                const float dist = std::hypot(px - d.x, py - d.y);
                if (dist > d.radius * 3.0f) continue;
                // Bright core with a soft glow around it.
                const float core = std::exp(-(dist * dist) / (d.radius * d.radius));
                light += d.brightness * core;
            }
            light = std::fmin(light, 1.0f);
            if (light < 0.004f) light = 0.0f;
            big.at(x, y) = tint * light;
        }
    return downsample(big, kSamples);
}
