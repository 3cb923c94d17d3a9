// Backdrop: a snow-covered mountain range under a blue sky, rendered from a
// fractal height field with a column ("voxel space") renderer: ridges behind
// ridges fade into the haze, the sun lights the left flanks and casts
// shadows, snow lies on the upper slopes where they are not too steep, and
// the near ground darkens into the band that meets the lake.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/generator/noise.h"
#include "assets/generator/scene_pictures.h"
#include "assets/generator/shape_coverage.h"

namespace {

constexpr int kFinalWidth = 1024, kFinalHeight = 256, kSamples = 2;
constexpr int kWidth = kFinalWidth * kSamples, kHeight = kFinalHeight * kSamples;
constexpr int kMapWidth = 2048, kMapDepth = 1024;  // height field cells across and away
constexpr float kCameraX = 1024.0f, kCameraHeight = 40.0f;
constexpr float kHorizon = 0.74f * kHeight;
constexpr float kFarthest = 980.0f;

struct Terrain {
    std::vector<float> height;
    std::vector<float> sunlit;  // 1 lit, 0 in shadow
};

float gaussian(float x) { return std::exp(-x * x); }

float terrainHeightAt(float x, float z) {
    // Three ranges one behind the other, each higher than the one in front,
    // with valleys between them so the haze can tell them apart.
    const float bands = std::max({0.34f * gaussian((z - 230.0f) / 70.0f), 0.5f * gaussian((z - 430.0f) / 80.0f),
                                  1.0f * gaussian((z - 720.0f) / 150.0f)});
    const float warpX = 50.0f * (fractalNoise(x / 180.0f, z / 180.0f, 3, 0.5f, 41) - 0.5f);
    const float ridges = ridgedNoise((x + warpX) / 190.0f, z / 140.0f, 7, 0.5f, 42);
    const float massif = fractalNoise(x / 300.0f, z / 300.0f, 2, 0.5f, 43);
    const float hills = 16.0f * fractalNoise(x / 60.0f, z / 60.0f, 4, 0.5f, 44);
    return hills + bands * (30.0f + 150.0f * ridges * (0.5f + massif));
}

Terrain buildTerrain() {
    Terrain t;
    t.height.resize(kMapWidth * kMapDepth);
    for (int z = 0; z < kMapDepth; ++z)
        for (int x = 0; x < kMapWidth; ++x)
            t.height[z * kMapWidth + x] = terrainHeightAt(static_cast<float>(x), static_cast<float>(z));
    return t;
}

float sampleHeight(const std::vector<float>& map, float x, float z) {
    x = std::clamp(x, 0.0f, kMapWidth - 1.001f);
    z = std::clamp(z, 0.0f, kMapDepth - 1.001f);
    const int ix = static_cast<int>(x), iz = static_cast<int>(z);
    const float fx = x - ix, fz = z - iz;
    const float a = map[iz * kMapWidth + ix], b = map[iz * kMapWidth + ix + 1];
    const float c = map[(iz + 1) * kMapWidth + ix], d = map[(iz + 1) * kMapWidth + ix + 1];
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fz;
}

// Sun from the upper left, a little in front of the range.
constexpr float kSunX = -0.62f, kSunY = 0.52f, kSunZ = -0.58f;

void castShadows(Terrain& t) {
    t.sunlit.assign(kMapWidth * kMapDepth, 1.0f);
    const float horizontal = std::sqrt(kSunX * kSunX + kSunZ * kSunZ);
    const float rise = kSunY / horizontal;  // height gained per unit walked towards the sun
    for (int z = 0; z < kMapDepth; ++z)
        for (int x = 0; x < kMapWidth; ++x) {
            const float h0 = t.height[z * kMapWidth + x];
            float lit = 1.0f;
            for (float s = 2.0f; s < 300.0f; s += 2.0f + s * 0.02f) {
                const float px = x + kSunX / horizontal * s, pz = z + kSunZ / horizontal * s;
                if (px < 0 || pz < 0 || px >= kMapWidth - 1 || pz >= kMapDepth - 1) break;
                const float over = sampleHeight(t.height, px, pz) - (h0 + rise * s);
                if (over > 0) {
                    lit = std::min(lit, std::max(0.0f, 1.0f - over / 6.0f));
                    if (lit <= 0) break;
                }
            }
            t.sunlit[z * kMapWidth + x] = lit;
        }
}

Colour skyAt(float row) {
    const float t = std::clamp(row / kHorizon, 0.0f, 1.0f);
    const Colour zenith = rgb255(34, 82, 158), mid = rgb255(88, 144, 206), horizon = rgb255(178, 204, 230);
    return t < 0.6f ? mix(zenith, mid, t / 0.6f) : mix(mid, horizon, (t - 0.6f) / 0.4f);
}

Colour groundColour(const Terrain& t, float x, float z, float distance) {
    const float h = sampleHeight(t.height, x, z);
    const float e = 1.0f;
    const float dhx = (sampleHeight(t.height, x + e, z) - sampleHeight(t.height, x - e, z)) / (2 * e);
    const float dhz = (sampleHeight(t.height, x, z + e) - sampleHeight(t.height, x, z - e)) / (2 * e);
    float nx = -dhx, ny = 1.0f, nz = -dhz;
    const float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
    nx /= nl;
    ny /= nl;
    nz /= nl;
    const float sl = std::sqrt(kSunX * kSunX + kSunY * kSunY + kSunZ * kSunZ);
    const float diffuse = std::max(0.0f, (nx * kSunX + ny * kSunY + nz * kSunZ) / sl);
    const int ix = std::clamp(static_cast<int>(x + 0.5f), 0, kMapWidth - 1);
    const int iz = std::clamp(static_cast<int>(z + 0.5f), 0, kMapDepth - 1);
    const float sun = diffuse * t.sunlit[iz * kMapWidth + ix];

    // Snow line wanders with the weather; steep faces shed their snow.
    const float snowLine = 64.0f + 26.0f * (fractalNoise(x / 70.0f, z / 70.0f, 3, 0.5f, 51) - 0.5f);
    const float patchy = fractalNoise(x / 9.0f, z / 9.0f, 3, 0.55f, 52);
    float snow =
        smoothStep(snowLine - 14.0f, snowLine + 10.0f, h + 18.0f * (patchy - 0.5f)) * smoothStep(0.40f, 0.62f, ny);
    snow = std::clamp(snow * 1.3f, 0.0f, 1.0f);

    const float strata = fractalNoise(x / 5.0f, h / 3.0f, 3, 0.5f, 53);
    Colour rock = mix(rgb255(58, 55, 56), rgb255(108, 100, 94), strata);
    const Colour forest = mix(rgb255(22, 34, 30), rgb255(40, 52, 40), fractalNoise(x / 3.0f, z / 3.0f, 2, 0.5f, 54));
    Colour surface = mix(forest, rock, smoothStep(28.0f, 60.0f, h + 20.0f * (patchy - 0.5f)));
    surface = mix(surface, rgb255(244, 247, 252), snow);

    const Colour skyLight = rgb255(120, 146, 190), sunLight = rgb255(255, 244, 226);
    Colour lit = surface * (skyLight * (0.32f + 0.22f * ny)) + surface * sunLight * (1.1f * sun);
    // Aerial perspective: distant ridges sink into the pale haze.
    const float haze = 1.0f - std::exp(-distance / 1300.0f);
    return mix(lit, rgb255(150, 180, 216), haze);
}

void addClouds(Picture& picture) {
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float row = static_cast<float>(y);
            if (row > kHorizon) continue;
            const float band =
                smoothStep(0.05f * kHeight, 0.25f * kHeight, row) * (1.0f - smoothStep(0.35f * kHeight, kHorizon, row));
            const float n = fractalNoise(x / 260.0f, y / 26.0f, 5, 0.55f, 61);
            const float wisp = smoothStep(0.52f, 0.78f, n) * band * 0.45f;
            if (wisp > 0) picture.at(x, y) = mix(picture.at(x, y), rgb255(236, 242, 250), wisp);
        }
}

}  // namespace

Picture makeBackdrop() {
    Terrain terrain = buildTerrain();
    castShadows(terrain);
    Picture big(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const Colour sky = skyAt(static_cast<float>(y));
        for (int x = 0; x < kWidth; ++x) big.at(x, y) = sky;
    }
    addClouds(big);
    const float halfFov = 0.70f;  // radians, about 80 degrees across
    const float focal = (kWidth * 0.5f) / std::tan(halfFov);
    for (int column = 0; column < kWidth; ++column) {
        const float across = ((column + 0.5f) / kWidth * 2.0f - 1.0f) * std::tan(halfFov);
        float lowestDrawn = static_cast<float>(kHeight);  // rows below this are already covered
        for (float depth = 4.0f; depth < kFarthest; depth += 0.25f + depth * 0.0025f) {
            const float wx = kCameraX + across * depth, wz = depth;
            const float h = sampleHeight(terrain.height, wx, wz);
            const float top = kHorizon - (h - kCameraHeight) / depth * focal;
            if (top >= lowestDrawn) continue;
            const Colour c = groundColour(terrain, wx, wz, depth * std::sqrt(1.0f + across * across));
            const int from = std::max(0, static_cast<int>(std::ceil(top)));
            for (int row = from; row < static_cast<int>(lowestDrawn) && row < kHeight; ++row) big.at(column, row) = c;
            lowestDrawn = std::max(0.0f, static_cast<float>(from));
            if (lowestDrawn <= 0) break;
        }
    }
    // The bottom band sinks into darkness where it meets the lake.
    for (int y = 0; y < kHeight; ++y) {
        const float dark = smoothStep(0.80f * kHeight, 1.0f * kHeight, static_cast<float>(y));
        for (int x = 0; x < kWidth; ++x) big.at(x, y) = mix(big.at(x, y), rgb255(6, 10, 16), dark * 0.9f);
    }
    return downsample(big, kSamples);
}
