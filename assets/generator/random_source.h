// A small deterministic random source (SplitMix64) so every run of the
// generator draws the same numbers on every platform and library.
#pragma once
#include <cstdint>

struct RandomSource {
    uint64_t state;

    explicit RandomSource(uint64_t seed) : state(seed) {}
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    float uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24); }
    float between(float low, float high) { return low + (high - low) * uniform(); }
};

// Hash of integer lattice coordinates to [0, 1): the basis of the noise.
inline float latticeValue(int x, int y, uint32_t seed) {
    uint64_t h = static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0x8DA6B343ull ^
                 static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0xD8163841ull ^
                 (static_cast<uint64_t>(seed) * 0xCB1AB31Full);
    RandomSource r(h);
    return r.uniform();
}
