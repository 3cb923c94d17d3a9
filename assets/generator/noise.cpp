#include "assets/generator/noise.h"

#include <cmath>

#include "assets/generator/random_source.h"

namespace {

int wrapIndex(int i, int period) {
    if (period <= 0) return i;
    const int m = i % period;
    return m < 0 ? m + period : m;
}

float smooth(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

}  // namespace

float valueNoise(float x, float y, uint32_t seed, NoisePeriod period) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = smooth(x - fx);
    const float ty = smooth(y - fy);
    const int x0 = wrapIndex(ix, period.x), x1 = wrapIndex(ix + 1, period.x);
    const int y0 = wrapIndex(iy, period.y), y1 = wrapIndex(iy + 1, period.y);
    const float a = latticeValue(x0, y0, seed), b = latticeValue(x1, y0, seed);
    const float c = latticeValue(x0, y1, seed), d = latticeValue(x1, y1, seed);
    const float top = a + (b - a) * tx;
    const float bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fractalNoise(float x, float y, int octaves, float gain, uint32_t seed, NoisePeriod period) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise(x, y, seed + static_cast<uint32_t>(o) * 101u, period);
        total += amplitude;
        amplitude *= gain;
        x *= 2.0f;
        y *= 2.0f;
        period.x *= 2;
        period.y *= 2;
    }
    return sum / total;
}

float ridgedNoise(float x, float y, int octaves, float gain, uint32_t seed) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f, weight = 1.0f;
    for (int o = 0; o < octaves; ++o) {
        float n = 1.0f - std::fabs(2.0f * valueNoise(x, y, seed + static_cast<uint32_t>(o) * 131u) - 1.0f);
        n = n * n * weight;
        weight = std::fmin(1.0f, n * 1.6f + 0.25f);
        sum += amplitude * n;
        total += amplitude;
        amplitude *= gain;
        x *= 2.0f;
        y *= 2.0f;
    }
    return sum / total;
}
