// The water step written plainly as it is defined: row by row, two passes,
// in double with every stored value rounded to float, over plain arrays of
// heights and velocities. The renderer's own step must give the same bits;
// tests check that and benchmarks time the two against each other.
#pragma once
#include "renderer/renderer_state.h"

struct PlainWater {
    float height[kWaterCapacity][kWaterCapacity];  // [column][row]
    float velocity[kWaterCapacity][kWaterCapacity];
};

// The heights and velocities of waterGrid.
void copyWaterGrid(PlainWater& water);
// One step over the gridWidth x gridHeight cells in use.
void stepPlainWater(PlainWater& water);
// Cells whose height or velocity differs from waterGrid's, bit for bit (so
// -0 against +0 counts).
long countDifferencesFromGrid(const PlainWater& water);
