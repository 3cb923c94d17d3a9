// Height-field water surface: a fixed 256 x 256 grid of vertices (waterGrid)
// that carries ripples outwards from where a stone disturbs it. The grid, its
// size, damping and ripple radius live here; renderer_state.h gathers them
// with the rest of the renderer's state.
//
// Stored values are single precision; the arithmetic between them is done in
// double and rounded back to float at every store, so a step gives the same
// bits on every compiler that keeps float and double apart (no fast-math).
#pragma once

// ---- Size and values ----------------------------------------------------------
// Values outside 0 ... kWaterCapacity are treated as the nearest bound.
extern int gridWidth;     // columns of the water grid in use
extern int gridHeight;    // rows in use
extern float damping;     // velocity factor per water step
extern int rippleRadius;  // a stamp writes rings 1 ... rippleRadius - 1

// ---- The grid ---------------------------------------------------------------
struct GridVertex {
    float x, y, z;
};

constexpr int kWaterCapacity = 256;

// gridWidth and gridHeight held to 0 ... kWaterCapacity: the columns and rows
// that the step and the mesh walk.
int columnsInUse();
int rowsInUse();

// Indexed [column][row]: the surface (y = height) and the velocity (y =
// vertical velocity). The velocity's x and z hold a copy of the layout and
// are never read.
struct WaterGrid {
    GridVertex surface[kWaterCapacity][kWaterCapacity];
    GridVertex velocity[kWaterCapacity][kWaterCapacity];
};
extern WaterGrid waterGrid;

// ---- The simulation ---------------------------------------------------------

// The first frame's values: 256 x 256 grid, damping 1 - 0.004, one ripple
// ring; lays the grid out.
void setWaterStartupState();

// Lays the grid out flat: x from -30, z from -35, heights and velocities +0.
void initWaterGrid();

// Sets the velocity of the cells under each ring point around (column, row)
// to -depth / ring. Points outside [0, width - 1) x [0, height - 1) are
// skipped, so the last column and row are never written.
void stampRipple(int column, int row, float depth);

// One frame of propagation, drift towards 0 and damping over the interior.
void stepWater();
