// Smooth value noise that can wrap: with a period, the field repeats every
// periodX by periodY lattice cells, so textures built from it tile without seams.
#pragma once
#include <cstdint>

struct NoisePeriod {
    int x = 0;  // 0 = no wrap
    int y = 0;
};

// One octave, in [0, 1], at lattice coordinates (x, y).
float valueNoise(float x, float y, uint32_t seed, NoisePeriod period = {});
// Sum of octaves, each at twice the frequency and `gain` times the amplitude,
// normalised to [0, 1]. The period applies to the first octave and doubles with it.
float fractalNoise(float x, float y, int octaves, float gain, uint32_t seed, NoisePeriod period = {});
// Ridged variant (1 - |2n - 1|, sharpened), for mountain crests.
float ridgedNoise(float x, float y, int octaves, float gain, uint32_t seed);
