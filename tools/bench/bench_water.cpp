// Times one stepWater and checks it bit for bit against a plain scalar step
// written the way the simulation is defined (row by row, in double, each
// stored value rounded to float). Exit code 1 on any difference.
#include "renderer/water.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kSize = kWaterCapacity;

struct Field {
    float height[kSize][kSize];  // [column][row]
    float velocity[kSize][kSize];
};
Field reference;

void copyFromGrid() {
    for (int c = 0; c < kSize; ++c) {
        for (int r = 0; r < kSize; ++r) {
            reference.height[c][r] = waterGrid.surface[c][r].y;
            reference.velocity[c][r] = waterGrid.velocity[c][r].y;
        }
    }
}

void referenceStep() {
    float(&h)[kSize][kSize] = reference.height;
    float(&v)[kSize][kSize] = reference.velocity;
    for (int j = 1; j < gridHeight - 1; ++j) {
        for (int k = 1; k < gridWidth - 1; ++k) {
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
    for (int j = 1; j < gridHeight - 1; ++j) {
        for (int k = 1; k < gridWidth - 1; ++k) {
            v[k][j] = static_cast<float>(v[k][j] - std::copysign(0.001, static_cast<double>(h[k][j])));
            v[k][j] = static_cast<float>(static_cast<double>(damping) * v[k][j]);
            h[k][j] = static_cast<float>(static_cast<double>(h[k][j]) + v[k][j]);
        }
    }
}

// Bitwise, so -0 against +0 and NaN payloads count as differences.
long countDifferences() {
    long differences = 0;
    for (int c = 0; c < kSize; ++c) {
        for (int r = 0; r < kSize; ++r) {
            if (std::memcmp(&reference.height[c][r], &waterGrid.surface[c][r].y, sizeof(float)) != 0 ||
                std::memcmp(&reference.velocity[c][r], &waterGrid.velocity[c][r].y, sizeof(float)) != 0)
                ++differences;
        }
    }
    return differences;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Step>
double timeMicroseconds(Step step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::micro>(end - start).count();
}

}  // namespace

int main() {
    setStartupState();
    copyFromGrid();

    const int repetitions = 600;
    std::vector<double> stepTimes;
    std::vector<double> referenceTimes;
    unsigned int seed = 1;
    for (int i = 0; i < repetitions; ++i) {
        if (i % 25 == 0) {
            // Ripples like the stone's; both copies get the same disturbance.
            seed = seed * 214013u + 2531011u;
            stampRipple(static_cast<int>((seed >> 16) % 256), static_cast<int>((seed >> 8) % 256), 0.8f);
            copyFromGrid();
        }
        stepTimes.push_back(timeMicroseconds(stepWater));
        referenceTimes.push_back(timeMicroseconds(referenceStep));
        const long differences = countDifferences();
        if (differences != 0) {
            std::printf("water step: FAIL, %ld cells differ from the reference after step %d\n", differences, i + 1);
            return 1;
        }
    }
    std::printf("water step: median %.1f us (plain reference %.1f us), %d steps bit-identical\n", median(stepTimes),
                median(referenceTimes), repetitions);
    return 0;
}
