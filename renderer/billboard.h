// Sprites turned towards a point, and the splash drawn with them.
#pragma once

struct Vec3d {
    double x, y, z;
};
Vec3d vecSub(Vec3d a, Vec3d b);
Vec3d vecCross(Vec3d a, Vec3d b);
double vecLength(Vec3d a);
Vec3d vecNormalize(Vec3d a);
Vec3d vecScale(Vec3d a, double s);

// Every active splash particle as a sprite of texture slot 3 facing the
// scene frame's origin.
void drawSplash();
void drawBillboard(Vec3d center, double size, float r, float g, float b, Vec3d facing, int slot);
