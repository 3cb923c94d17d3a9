// Lake bed: rounded grey pebbles of many sizes and tones packed on dark
// grit. Everything is placed and measured on a torus (distances wrap at the
// edges), so the texture repeats without a seam.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/generator/noise.h"
#include "assets/generator/random_source.h"
#include "assets/generator/scene_pictures.h"

namespace {

constexpr int kFinal = 256, kSamples = 2, kSize = kFinal * kSamples;
constexpr float kPi = 3.14159265f;

struct Pebble {
    float x, y;  // centre, supersampled pixels
    float a, b;  // half axes
    float angle;
    float heightScale;
    float phase[3];  // outline wobble
    Colour colour;
    uint32_t seed;
};

int wrap(int i) { return ((i % kSize) + kSize) % kSize; }

float wrappedDelta(float d) {
    if (d > kSize * 0.5f) d -= kSize;
    if (d < -kSize * 0.5f) d += kSize;
    return d;
}

bool overlapsTooMuch(const std::vector<Pebble>& pebbles, float x, float y, float radius) {
    for (const Pebble& p : pebbles) {
        const float dx = wrappedDelta(x - p.x), dy = wrappedDelta(y - p.y);
        const float reach = (radius + p.a) * 0.78f;
        if (dx * dx + dy * dy < reach * reach) return true;
    }
    return false;
}

Colour pebbleColour(RandomSource& random) {
    // Mostly neutral greys; some a little warm (sandstone) or cool (slate).
    const float tone = random.between(0.30f, 0.78f);
    const float warmth = random.between(-0.05f, 0.06f);
    return {tone * (1.0f + warmth), tone * (1.0f + warmth * 0.3f), tone * (1.0f - warmth * 0.8f)};
}

std::vector<Pebble> placePebbles() {
    RandomSource random(0x5eb61e5ull);
    std::vector<Pebble> pebbles;
    struct SizeClass {
        float minRadius, maxRadius;
        int attempts;
    };
    // Radii in final pixels; big stones first so small ones fill the gaps.
    const SizeClass classes[] = {{11, 16, 120}, {7, 11, 450}, {4, 7, 1800}, {2, 4, 6000}};
    for (const SizeClass& sizes : classes) {
        for (int i = 0; i < sizes.attempts; ++i) {
            Pebble p;
            p.a = random.between(sizes.minRadius, sizes.maxRadius) * kSamples;
            p.b = p.a * random.between(0.58f, 0.95f);
            p.x = random.uniform() * kSize;
            p.y = random.uniform() * kSize;
            p.angle = random.uniform() * kPi;
            p.heightScale = p.b * random.between(0.45f, 0.75f);
            for (float& phase : p.phase) phase = random.uniform() * 2.0f * kPi;
            p.colour = pebbleColour(random);
            p.seed = static_cast<uint32_t>(random.next());
            if (!overlapsTooMuch(pebbles, p.x, p.y, p.a)) pebbles.push_back(p);
        }
    }
    return pebbles;
}

struct BedMaps {
    std::vector<float> height;
    std::vector<int> owner;  // pebble index, -1 for grit
};

// Height of a pebble at offset (dx, dy) from its centre, or -1 outside it.
float pebbleHeight(const Pebble& p, float dx, float dy) {
    const float c = std::cos(p.angle), s = std::sin(p.angle);
    const float u = (dx * c + dy * s) / p.a, v = (-dx * s + dy * c) / p.b;
    const float r = std::sqrt(u * u + v * v);
    if (r >= 1.2f) return -1.0f;
    const float theta = std::atan2(v, u);
    const float edge = 1.0f + 0.07f * std::sin(2 * theta + p.phase[0]) + 0.045f * std::sin(3 * theta + p.phase[1]) +
                       0.025f * std::sin(5 * theta + p.phase[2]);
    const float d = r / edge;
    if (d >= 1.0f) return -1.0f;
    return p.heightScale * std::pow(1.0f - std::pow(d, 2.6f), 0.55f);
}

BedMaps buildMaps(const std::vector<Pebble>& pebbles) {
    BedMaps maps;
    maps.height.resize(kSize * kSize);
    maps.owner.assign(kSize * kSize, -1);
    // Grit between the stones: a low, rough floor.
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            maps.height[y * kSize + x] = 3.0f * fractalNoise(x / 8.0f, y / 8.0f, 4, 0.6f, 21, {kSize / 8, kSize / 8}) +
                                         0.8f * latticeValue(x, y, 22);
    for (size_t i = 0; i < pebbles.size(); ++i) {
        const Pebble& p = pebbles[i];
        const int reach = static_cast<int>(std::ceil(p.a * 1.2f)) + 1;
        for (int oy = -reach; oy <= reach; ++oy)
            for (int ox = -reach; ox <= reach; ++ox) {
                const int x = wrap(static_cast<int>(std::floor(p.x)) + ox),
                          y = wrap(static_cast<int>(std::floor(p.y)) + oy);
                const float h = pebbleHeight(p, wrappedDelta(x + 0.5f - p.x), wrappedDelta(y + 0.5f - p.y));
                if (h < 0) continue;
                const float lifted = h + 2.0f;  // pebbles sit on the grit
                float& stored = maps.height[y * kSize + x];
                if (lifted > stored) {
                    stored = lifted;
                    maps.owner[y * kSize + x] = static_cast<int>(i);
                }
            }
    }
    return maps;
}

// Box blur with wrap-around, used for the occlusion in the hollows.
std::vector<float> blurWrapped(const std::vector<float>& in, int radius) {
    std::vector<float> tmp(in.size()), out(in.size());
    const float scale = 1.0f / (2 * radius + 1);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            float sum = 0;
            for (int k = -radius; k <= radius; ++k) sum += in[y * kSize + wrap(x + k)];
            tmp[y * kSize + x] = sum * scale;
        }
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            float sum = 0;
            for (int k = -radius; k <= radius; ++k) sum += tmp[wrap(y + k) * kSize + x];
            out[y * kSize + x] = sum * scale;
        }
    return out;
}

Colour surfaceColour(const std::vector<Pebble>& pebbles, int owner, int x, int y) {
    if (owner < 0) {
        const float sand = fractalNoise(x / 16.0f, y / 16.0f, 3, 0.5f, 32, {kSize / 16, kSize / 16});
        const float speck = latticeValue(x / kSamples, y / kSamples, 33);
        const float v = 0.20f + 0.10f * sand + 0.10f * (speck - 0.5f);
        return {v * 1.05f, v, v * 0.9f};
    }
    const Pebble& p = pebbles[owner];
    const uint32_t seed = p.seed % 4096u;
    // Mottling and mineral grain, both tileable.
    const float mottle = fractalNoise(x / 32.0f, y / 32.0f, 3, 0.5f, seed, {kSize / 32, kSize / 32}) - 0.5f;
    const float grain = latticeValue(x / kSamples, y / kSamples, seed + 7u) - 0.5f;
    const float fleck = latticeValue(x / kSamples, y / kSamples, seed + 9u) > 0.985f ? 0.18f : 0.0f;
    const float k = 1.0f + 0.28f * mottle + 0.12f * grain + fleck;
    return p.colour * k;
}

}  // namespace

Picture makeLakeBed() {
    const std::vector<Pebble> pebbles = placePebbles();
    const BedMaps maps = buildMaps(pebbles);
    const std::vector<float> blurred = blurWrapped(maps.height, 7);
    const float lx = -0.48f, ly = -0.56f, lz = 0.67f;  // light from the top left
    const float hx = lx, hy = ly, hz = lz + 1.0f;
    const float hl = std::sqrt(hx * hx + hy * hy + hz * hz);
    Picture big(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float h = maps.height[y * kSize + x];
            const float dx = (maps.height[y * kSize + wrap(x + 1)] - maps.height[y * kSize + wrap(x - 1)]) * 0.5f;
            const float dy = (maps.height[wrap(y + 1) * kSize + x] - maps.height[wrap(y - 1) * kSize + x]) * 0.5f;
            float nx = -dx, ny = -dy, nz = 1.0f;
            const float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= nl;
            ny /= nl;
            nz /= nl;
            const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
            const float specular = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl), 40.0f);
            const float occlusion = std::clamp(1.0f - std::max(0.0f, blurred[y * kSize + x] - h) * 0.045f, 0.3f, 1.0f);
            const int owner = maps.owner[y * kSize + x];
            const Colour base = surfaceColour(pebbles, owner, x, y);
            const float light = (0.28f + 0.95f * diffuse) * occlusion;
            const float shine = owner >= 0 ? 0.22f * specular : 0.0f;
            big.at(x, y) = base * light + Colour{shine, shine, shine * 1.05f};
        }
    return downsample(big, kSamples);
}
