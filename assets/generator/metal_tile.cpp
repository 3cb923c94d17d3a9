// Brushed grey metal: long, fine horizontal streaks. Every noise layer
// repeats exactly across the tile's 556 x 20 pixels so copies meet without seams.
#include <cmath>

#include "assets/generator/dialog_pictures.h"
#include "assets/generator/noise.h"
#include "assets/generator/random_source.h"

namespace {

constexpr int kWidth = 556, kHeight = 20;
constexpr float kPi = 3.14159265f;

// Streak noise: cellsX cells along the strip, one cell per `rowsPerCell` rows.
float streaks(int x, int y, int cellsX, int cellsY, uint32_t seed) {
    const float u = (x + 0.5f) * cellsX / kWidth;
    const float v = (y + 0.5f) * cellsY / kHeight;
    return fractalNoise(u, v, 3, 0.55f, seed, {cellsX, cellsY}) - 0.5f;
}

}  // namespace

Picture makeMetalTile() {
    Picture tile(kWidth, kHeight);
    const Colour base = rgb255(196, 198, 203);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            float v = 0.0f;
            v += 0.060f * streaks(x, y, 4, 20, 11);         // long streaks, one lattice row per pixel row
            v += 0.045f * streaks(x, y, 19, 20, 12);        // shorter strokes
            v += 0.030f * streaks(x, y, 139, 20, 13);       // fine brushing
            v += 0.014f * (latticeValue(x, y, 14) - 0.5f);  // grain
            // A faint sheen across the strip; one cycle, so the ends match.
            v += 0.018f * std::cos(2.0f * kPi * x / kWidth);
            tile.at(x, y) = base * (1.0f + v) + Colour{0.0f, 0.0f, 0.006f};
        }
    }
    return tile;
}
