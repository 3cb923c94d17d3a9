// Times one stepWater against the plain row-by-row step it must match, and
// checks the two bit for bit after every one of 600 steps with a stone's
// ripple every 25. Exit code 1 on any difference.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "renderer/reference/plain_water_step.h"
#include "renderer/water.h"

namespace {

PlainWater plain;

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
    copyWaterGrid(plain);

    const int repetitions = 600;
    std::vector<double> stepTimes;
    std::vector<double> referenceTimes;
    unsigned int seed = 1;
    for (int i = 0; i < repetitions; ++i) {
        if (i % 25 == 0) {
            // Ripples like the stone's; both copies get the same disturbance.
            seed = seed * 214013u + 2531011u;
            stampRipple(static_cast<int>((seed >> 16) % 256), static_cast<int>((seed >> 8) % 256), 0.8f);
            copyWaterGrid(plain);
        }
        // Taken in turns, so a busy machine slows both alike.
        stepTimes.push_back(timeMicroseconds(stepWater));
        referenceTimes.push_back(timeMicroseconds([] { stepPlainWater(plain); }));
        const long differences = countDifferencesFromGrid(plain);
        if (differences != 0) {
            std::printf("water step: FAIL, %ld cells differ from the plain reference after step %d\n", differences,
                        i + 1);
            return 1;
        }
    }
    const double step = median(stepTimes);
    const double reference = median(referenceTimes);
    std::printf("water step: median %.1f us (plain reference %.1f us, ratio %.1f), %d steps bit-identical\n", step,
                reference, reference / step, repetitions);
    return 0;
}
