#include "renderer/reference/plain_water_step.h"

#include <cmath>
#include <cstring>

namespace {

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

void copyWaterGrid(PlainWater& water) {
    for (int c = 0; c < kWaterCapacity; ++c) {
        for (int r = 0; r < kWaterCapacity; ++r) {
            water.height[c][r] = waterGrid.surface[c][r].y;
            water.velocity[c][r] = waterGrid.velocity[c][r].y;
        }
    }
}

void stepPlainWater(PlainWater& water) {
    float(&h)[kWaterCapacity][kWaterCapacity] = water.height;
    float(&v)[kWaterCapacity][kWaterCapacity] = water.velocity;
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    for (int j = 1; j < rows - 1; ++j) {
        for (int k = 1; k < columns - 1; ++k) {
            double sum = h[k][j - 1];
            sum += h[k][j + 1];
            sum += h[k - 1][j - 1];
            sum += h[k - 1][j];
            sum += h[k + 1][j];
            sum += h[k + 1][j + 1];
            const double average = sum / 6.0;
            v[k][j] = static_cast<float>(v[k][j] - (static_cast<double>(h[k][j]) - average));
        }
    }
    for (int j = 1; j < rows - 1; ++j) {
        for (int k = 1; k < columns - 1; ++k) {
            v[k][j] = static_cast<float>(v[k][j] - std::copysign(0.001, static_cast<double>(h[k][j])));
            v[k][j] = static_cast<float>(static_cast<double>(damping) * v[k][j]);
            h[k][j] = static_cast<float>(static_cast<double>(h[k][j]) + v[k][j]);
        }
    }
}

long countDifferencesFromGrid(const PlainWater& water) {
    long differences = 0;
    for (int c = 0; c < kWaterCapacity; ++c) {
        for (int r = 0; r < kWaterCapacity; ++r) {
            if (!sameBits(water.height[c][r], waterGrid.surface[c][r].y) ||
                !sameBits(water.velocity[c][r], waterGrid.velocity[c][r].y))
                ++differences;
        }
    }
    return differences;
}
