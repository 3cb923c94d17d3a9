// The falling stone and its eight splash sprites. Every random draw comes from
// one program-wide generator in a fixed order, so a run always shows the same
// events for the same sequence of drawn frames.
#include "renderer/splash.h"

#include <cmath>

#include "renderer/gl_api.h"
#include "renderer/scene.h"
#include "renderer/water.h"

unsigned int randomState = 1;

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFFu);
}

Stone stone = {};
SplashParticle splash[kSplashCount] = {};

Vec3d vecSub(Vec3d a, Vec3d b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3d vecCross(Vec3d a, Vec3d b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

double vecLength(Vec3d a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

Vec3d vecNormalize(Vec3d a) {
    const double length = vecLength(a);
    return {a.x / length, a.y / length, a.z / length};
}

Vec3d vecScale(Vec3d a, double s) { return {a.x * s, a.y * s, a.z * s}; }

void resetSplash() {
    for (SplashParticle& particle : splash) particle.active = 0;
}

namespace {

// The difference of two draws, first minus second (the order matters: both
// come from the same sequence).
int drawDifference() {
    const int first = nextRandom() % 100;
    const int second = nextRandom() % 100;
    return first - second;
}

}  // namespace

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

namespace {

// A cell number far outside any grid (or not a number) becomes -1 instead of
// an undefined conversion; the ripple stamp keeps its writes inside the grid,
// so such an impact touches at most border cells, which the step never moves.
int truncateToCell(float scaled) {
    if (!(scaled > -1.0e6f && scaled < 1.0e6f)) return -1;
    return static_cast<int>(scaled);
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

namespace {

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

void drawSplash() {
    const Vec3d origin = {0.0, 0.0, 0.0};
    for (const SplashParticle& particle : splash) {
        if (!particle.active) continue;
        drawBillboard({particle.x, particle.y, particle.z}, particle.size, particle.r, particle.g, particle.b, origin,
                      3);
    }
}

// A sprite square to the line from its centre to the facing point, drawn
// additively so that overlapping sprites glow and black ones vanish.
void drawBillboard(Vec3d center, double size, float r, float g, float b, Vec3d facing, int slot) {
    const Vec3d toward = vecSub(facing, center);
    Vec3d right = vecCross(toward, {0.0, 0.0, 1.0});
    Vec3d up = vecCross(toward, right);
    const double rightLength = vecLength(right);
    const double upLength = vecLength(up);
    // A sprite on the facing axis has no sideways direction: normalising it
    // would give NaN corners, so such a sprite is not drawn.
    if (!(rightLength > 0.0) || !(upLength > 0.0) || !std::isfinite(rightLength) || !std::isfinite(upLength)) return;
    right = vecScale(vecNormalize(right), size);
    up = vecScale(vecNormalize(up), size);

    const bool knownSlot = slot >= 0 && slot < 4;
    glColor3f(r, g, b);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, knownSlot ? sceneTextures[slot] : 0u);

    const Vec3d corners[4] = {
        {center.x + right.x, center.y + right.y, center.z + right.z},
        vecSub(center, up),
        vecSub(center, right),
        {center.x + up.x, center.y + up.y, center.z + up.z},
    };
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(corners[0].x, corners[0].y, corners[0].z);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(corners[1].x, corners[1].y, corners[1].z);
    glTexCoord2d(1.0, 1.0);
    glVertex3d(corners[2].x, corners[2].y, corners[2].z);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(corners[3].x, corners[3].y, corners[3].z);
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDepthMask(GL_TRUE);
}
