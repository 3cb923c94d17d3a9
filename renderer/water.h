// Height-field water surface: a fixed 256 x 256 grid of vertices (waterGrid,
// in renderer_state.h) that carries ripples outwards from where a stone
// disturbs it.
//
// Stored values are single precision; the arithmetic between them is done in
// double and rounded back to float at every store, so a step gives the same
// bits on every compiler that keeps float and double apart (no fast-math).
#pragma once
#include "renderer/renderer_state.h"

// Lays the grid out flat: x from -30, z from -35, heights and velocities +0.
void initWaterGrid();

// Sets the velocity of the cells under each ring point around (column, row)
// to -depth / ring. Points outside [0, width - 1) x [0, height - 1) are
// skipped, so the last column and row are never written.
void stampRipple(int column, int row, float depth);

// One frame of propagation, drift towards 0 and damping over the interior.
void stepWater();
