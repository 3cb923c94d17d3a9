// The falling stone and its eight splash particles: their movement frame by
// frame, without drawing (billboard.h draws the particles).
#pragma once
#include "renderer/renderer_state.h"

int nextRandom();  // 0 ... 32767, from randomState

// The water cell under a point of the scene frame, every step in single
// precision; may lie outside the grid (the ripple stamp writes only the
// cells of its ring that lie inside).
int impactColumn(float x);
int impactRow(float z);

void resetSplash();  // marks all particles inactive
void spawnStone();
void updateStone();
void updateSplash();
