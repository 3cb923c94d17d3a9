// Smooth scaling: a separable tent filter, columns first, then rows.
#include "frontend/ui/picture.h"

#include <algorithm>
#include <cmath>

#include "frontend/ui/layouts.h"

namespace {

struct Tap {
    int index;
    float weight;
};

// For each of the `to` new positions, the old positions it reads and their
// weights (summing to 1), the edges repeated beyond the image.
std::vector<std::vector<Tap>> tapsFor(int from, int to) {
    const double scale = static_cast<double>(to) / from;
    const double radius = std::max(1.0, 1.0 / scale);
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) / scale - 0.5;
        const int first = static_cast<int>(std::floor(centre - radius)) + 1;
        const int last = static_cast<int>(std::ceil(centre + radius)) - 1;
        double total = 0.0;
        for (int k = first; k <= last; ++k) total += std::max(0.0, 1.0 - std::fabs(k - centre) / radius);
        for (int k = first; k <= last; ++k) {
            const double weight = std::max(0.0, 1.0 - std::fabs(k - centre) / radius);
            if (weight > 0.0) taps[i].push_back({std::clamp(k, 0, from - 1), static_cast<float>(weight / total)});
        }
    }
    return taps;
}

uint8_t toByte(float v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

// A pixel is 15 twips at 96 dots per inch.
int picturePixels(int pixels, int dpi) { return twipsToPixels(pixels * 15, dpi); }

PixelImage resample(const PixelImage& image, int width, int height) {
    PixelImage out;
    const size_t size = static_cast<size_t>(image.width) * image.height * 4;
    if (width <= 0 || height <= 0 || image.width <= 0 || image.height <= 0 || image.bytes.size() < size) return out;
    if (width == image.width && height == image.height) {
        out = image;
        out.bytes.resize(size);
        return out;
    }
    // Columns: image.height rows of `width` new pixels, kept as floats.
    const std::vector<std::vector<Tap>> across = tapsFor(image.width, width);
    std::vector<float> wide(static_cast<size_t>(width) * image.height * 4, 0.0f);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < width; ++x)
            for (const Tap& t : across[x])
                for (int c = 0; c < 4; ++c)
                    wide[(static_cast<size_t>(y) * width + x) * 4 + c] +=
                        t.weight * image.bytes[(static_cast<size_t>(y) * image.width + t.index) * 4 + c];
    // Rows.
    const std::vector<std::vector<Tap>> down = tapsFor(image.height, height);
    out.width = width;
    out.height = height;
    out.bytes.assign(static_cast<size_t>(width) * height * 4, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 4; ++c) {
                float v = 0.0f;
                for (const Tap& t : down[y]) v += t.weight * wide[(static_cast<size_t>(t.index) * width + x) * 4 + c];
                out.bytes[(static_cast<size_t>(y) * width + x) * 4 + c] = toByte(v);
            }
    return out;
}
