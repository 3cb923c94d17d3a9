// The falling stone and its eight splash sprites.
#pragma once

// Program-wide linear congruential generator: seed 1, never reseeded.
extern unsigned int randomState;
int nextRandom();  // 0 ... 32767

struct Stone {
    int active;
    float x, y, z;
    float vx, vy;  // vy > 0 means falling
    float size;
};

struct SplashParticle {
    float x, y, z;
    float r, g, b;
    float vx, vy, vz;  // vy > 0 means rising
    float size;
    int active;
};

constexpr int kSplashCount = 8;
extern Stone stone;
extern SplashParticle splash[kSplashCount];

struct Vec3d {
    double x, y, z;
};
Vec3d vecSub(Vec3d a, Vec3d b);
Vec3d vecCross(Vec3d a, Vec3d b);
double vecLength(Vec3d a);
Vec3d vecNormalize(Vec3d a);
Vec3d vecScale(Vec3d a, double s);

// The water cell under a point of the scene frame, every step in single
// precision; may lie outside the grid (the ripple stamp writes only the
// cells of its ring that lie inside).
int impactColumn(float x);
int impactRow(float z);

void resetSplash();  // marks all particles inactive
void spawnStone();
void updateStone();
void updateSplash();
void drawSplash();
void drawBillboard(Vec3d center, double size, float r, float g, float b, Vec3d facing, int slot);
