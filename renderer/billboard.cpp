// The splash's sprites: square quads turned towards a facing point, worked
// out in double precision.
#include "renderer/billboard.h"

#include <cmath>

#include "renderer/gl_api.h"
#include "renderer/renderer_state.h"

Vec3d vecSub(Vec3d a, Vec3d b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

Vec3d vecCross(Vec3d a, Vec3d b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

double vecLength(Vec3d a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

Vec3d vecNormalize(Vec3d a) {
    const double length = vecLength(a);
    return {a.x / length, a.y / length, a.z / length};
}

Vec3d vecScale(Vec3d a, double s) { return {a.x * s, a.y * s, a.z * s}; }

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
