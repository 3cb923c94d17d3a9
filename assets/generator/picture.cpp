#include "assets/generator/picture.h"

#include <algorithm>
#include <cmath>

Picture downsample(const Picture& source, int factor) {
    Picture out(source.width / factor, source.height / factor);
    const float weight = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Colour sum{0, 0, 0};
            for (int j = 0; j < factor; ++j)
                for (int i = 0; i < factor; ++i) sum = sum + source.at(x * factor + i, y * factor + j);
            out.at(x, y) = sum * weight;
        }
    }
    return out;
}

namespace {

// 4x4 Bayer matrix, centred on zero, in units of one 8-bit step.
float bayerOffset(int x, int y) {
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (kBayer[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f;
}

uint8_t toByte(float value, float offset) {
    const float scaled = std::floor(value * 255.0f + 0.5f + offset);
    return static_cast<uint8_t>(std::clamp(scaled, 0.0f, 255.0f));
}

}  // namespace

Rgb8Picture quantise(const Picture& source, bool dither) {
    Rgb8Picture out;
    out.width = source.width;
    out.height = source.height;
    out.rgb.resize(static_cast<size_t>(source.width) * source.height * 3);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            const float offset = dither ? bayerOffset(x, y) : 0.0f;
            const Colour& c = source.at(x, y);
            uint8_t* p = out.pixel(x, y);
            p[0] = toByte(c.r, offset);
            p[1] = toByte(c.g, offset);
            p[2] = toByte(c.b, offset);
        }
    }
    return out;
}
