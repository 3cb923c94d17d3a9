// Height-field water surface: a fixed 256 x 256 grid of vertices that carries
// ripples outwards from where a stone disturbs it.
#pragma once

struct GridVertex {
    float x, y, z;
};

constexpr int kWaterCapacity = 256;

// Two program-wide arrays indexed [column][row]: the surface (y = height) and
// the velocity (y = vertical velocity).
struct WaterGrid {
    GridVertex surface[kWaterCapacity][kWaterCapacity];
    GridVertex velocity[kWaterCapacity][kWaterCapacity];
};
extern WaterGrid waterGrid;

// Start-up settings, assigned by the program entry before initWaterGrid.
extern int gridWidth;
extern int gridHeight;
extern float damping;
extern int rippleRadius;

void initWaterGrid();
void stampRipple(int column, int row, float depth);
void stepWater();
