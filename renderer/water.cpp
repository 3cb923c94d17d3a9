// The lake's height field. Every constant and rounding step here is part of
// the look of the ripples: the 0.01745 degree factor (not pi / 180) and the
// truncation give the stamp its small lopsided cluster, and the float stores
// between double sums fix the exact values frame after frame.
#include "renderer/water.h"

#include <cmath>

namespace {

constexpr float kDegreeFactor = 0.01745f;
constexpr double kNeighbourDivisor = 6.0;
constexpr double kDrift = 0.001;

int clampToCapacity(int count) {
    if (count < 0) return 0;
    if (count > kWaterCapacity) return kWaterCapacity;
    return count;
}

int columnsInUse() { return clampToCapacity(gridWidth); }
int rowsInUse() { return clampToCapacity(gridHeight); }

// The six-cell hexagonal neighbourhood, summed in this order.
double neighbourAverage(int k, int j) {
    const GridVertex(*h)[kWaterCapacity] = waterGrid.surface;
    double sum = h[k][j - 1].y;
    sum += h[k][j + 1].y;
    sum += h[k - 1][j - 1].y;
    sum += h[k - 1][j].y;
    sum += h[k + 1][j].y;
    sum += h[k + 1][j + 1].y;
    return sum / kNeighbourDivisor;
}

void accelerateCell(int k, int j) {
    float& v = waterGrid.velocity[k][j].y;
    const double height = waterGrid.surface[k][j].y;
    v = static_cast<float>(v - (height - neighbourAverage(k, j)));
}

void settleCell(int k, int j) {
    float& h = waterGrid.surface[k][j].y;
    float& v = waterGrid.velocity[k][j].y;
    // The drift carries the sign bit of the height, so -0 drifts upwards too.
    v = static_cast<float>(v - std::copysign(kDrift, static_cast<double>(h)));
    v = static_cast<float>(static_cast<double>(damping) * v);
    h = static_cast<float>(static_cast<double>(h) + v);
}

}  // namespace

void initWaterGrid() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    if (columns == 0 || rows == 0) return;
    const float columnSpacing = static_cast<float>(60.0 / columns);
    const float rowSpacing = static_cast<float>(50.0 / rows);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const GridVertex cell = {static_cast<float>(j * static_cast<double>(columnSpacing) - 30.0), 0.0f,
                                     static_cast<float>(i * static_cast<double>(rowSpacing) - 35.0)};
            waterGrid.surface[j][i] = cell;
            waterGrid.velocity[j][i] = cell;
        }
    }
}

void stampRipple(int column, int row, float depth) {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    for (float r = 1.0f; r < rippleRadius; r += 1.0f) {
        for (float a = 0.0f; a < 360.0f; a += 10.0f) {
            const double rad = static_cast<double>(a) * kDegreeFactor;
            const float px = static_cast<float>(column + r * std::cos(rad));
            const float pz = static_cast<float>(row - r * std::sin(rad));
            // Checked before the conversion to int, so NaN and huge values
            // never reach it.
            if (!(px >= 0.0f && px < columns - 1 && pz >= 0.0f && pz < rows - 1)) continue;
            waterGrid.velocity[static_cast<int>(px)][static_cast<int>(pz)].y =
                static_cast<float>(-static_cast<double>(depth) / r);
        }
    }
}

// The simulation is defined row by row; both passes are independent per
// cell (pass 1 reads only heights, pass 2 touches only its own cell), so
// walking column by column gives the same bits and follows the memory.
void stepWater() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    for (int k = 1; k < columns - 1; ++k)
        for (int j = 1; j < rows - 1; ++j) accelerateCell(k, j);
    for (int k = 1; k < columns - 1; ++k)
        for (int j = 1; j < rows - 1; ++j) settleCell(k, j);
}
