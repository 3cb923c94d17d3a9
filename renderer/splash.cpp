// The falling stone and its eight splash particles. Every random draw comes
// from one program-wide generator in a fixed order, so a run always shows the
// same events for the same sequence of frames.
#include "renderer/splash.h"

#include "renderer/water.h"

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

namespace {

// The difference of two draws, first minus second (the order matters: both
// come from the same sequence).
int drawDifference() {
    const int first = nextRandom() % 100;
    const int second = nextRandom() % 100;
    return first - second;
}

// A cell number far outside any grid (or not a number) becomes -1 instead of
// an undefined conversion; the ripple stamp keeps its writes inside the grid,
// so such an impact touches at most border cells, which the step never moves.
int truncateToCell(float scaled) {
    if (!(scaled > -1.0e6f && scaled < 1.0e6f)) return -1;
    return static_cast<int>(scaled);
}

// All eight particles thrown up from the stone, whatever their state.
void restartSplash() {
    for (int i = 0; i < kSplashCount; ++i) {
        SplashParticle& particle = splash[i];
        particle.active = 1;
        particle.x = stone.x;
        particle.y = 0.0f;
        particle.z = stone.z;
        particle.vx = static_cast<float>(drawDifference() / 1000.0);
        particle.vy = static_cast<float>(i % 2 == 0 ? stone.size / 5.0 : stone.size / 8.0);
        particle.vz = static_cast<float>(drawDifference() / 10000.0);
        particle.r = particle.g = particle.b = 1.0f;
        particle.size = 0.1f;
    }
}

}  // namespace

// Each step is rounded to single precision so that the cell is the same on
// every compiler.
int impactColumn(float x) {
    const float shifted = x + 30.0f;
    const float fraction = shifted / 60.0f;
    const float scaled = static_cast<float>(gridWidth) * fraction;
    return truncateToCell(scaled);
}

int impactRow(float z) {
    const float shifted = z + 35.0f;
    const float fraction = shifted / 50.0f;
    const float scaled = static_cast<float>(gridHeight) * fraction;
    return truncateToCell(scaled);
}

void resetSplash() {
    for (SplashParticle& particle : splash) particle.active = 0;
}

void spawnStone() {
    if (stone.active) return;
    if (nextRandom() % 100 != 13) return;
    stone.active = 1;
    stone.x = static_cast<float>((nextRandom() % 100) / 25.0 - 10.0);
    stone.y = 6.0f;
    stone.z = -33.0f;
    stone.vx = 0.0f;
    stone.vy = 0.0f;
    stone.size = static_cast<float>((nextRandom() % 100) / 100.0);
    // Two further draws belong to every spawn; their values are not used but
    // they keep the sequence of later events as it is.
    (void)(nextRandom() % 10000);
    (void)(nextRandom() % 10000);
}

// The stamp changes only velocities, so the surface drawn this frame stays as
// the water step left it; the ripple shows from the next step on.
void updateStone() {
    if (!stone.active) return;
    stone.x = stone.x + stone.vx;
    if (nextRandom() % 20 == 11) {
        stone.vy = static_cast<float>(-stone.vy / 2.0);
        stone.vx = static_cast<float>(drawDifference() / 1000.0);
    }
    stone.vy = static_cast<float>(stone.vy + 0.01);
    stone.y = stone.y - stone.vy;
    if (stone.y > 0.0f) return;
    stampRipple(impactColumn(stone.x), impactRow(stone.z), stone.size * 4.0f);
    stone.active = 0;
    restartSplash();
}

// A particle that falls below the water this frame is cleared but finishes
// its update.
void updateSplash() {
    for (SplashParticle& particle : splash) {
        if (!particle.active) continue;
        particle.vy = static_cast<float>(particle.vy - 0.005);
        particle.x = particle.x + particle.vx;
        particle.z = particle.z + particle.vz;
        particle.y = particle.y + particle.vy;
        if (particle.y < 0.0f) particle.active = 0;
        particle.size = static_cast<float>(particle.size + 0.1);
        particle.r = static_cast<float>(particle.r - 0.03);
        particle.g = static_cast<float>(particle.g - 0.03);
        particle.b = static_cast<float>(particle.b - 0.03);
    }
}
