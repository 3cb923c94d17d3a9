#include "tests/render/scene_probes.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "renderer/gl_api.h"

const ProbePoint kProbePoints[] = {
    {"backdrop left", {-20.0, 15.0, -53.0}}, {"backdrop right", {20.0, 15.0, -53.0}}, {"water near", {0.0, -2.0, -7.0}},
    {"water centre", {-6.0, -2.0, -20.0}},   {"water far", {0.0, -2.0, -45.0}},
};
const int kProbePointCount = static_cast<int>(sizeof kProbePoints / sizeof kProbePoints[0]);

namespace {

const double kEye[3] = {0.0, 10.0, 22.0};
const double kTarget[3] = {0.0, 0.0, -30.0};

// The renderer's projection and the look-at, computed by GLU without a context.
void cameraMatrices(int width, int height, double modelView[16], double projection[16]) {
    // gluPerspective and gluLookAt written out (column-major, as GL keeps them).
    const double fovy = 35.0 * 3.14159265358979323846 / 180.0;
    const double f = 1.0 / std::tan(fovy / 2.0);
    const double aspect = static_cast<double>(width) / height;
    const double zNear = static_cast<double>(0.1f), zFar = 200.0;
    std::memset(projection, 0, 16 * sizeof(double));
    projection[0] = f / aspect;
    projection[5] = f;
    projection[10] = (zFar + zNear) / (zNear - zFar);
    projection[11] = -1.0;
    projection[14] = 2.0 * zFar * zNear / (zNear - zFar);

    double forward[3] = {kTarget[0] - kEye[0], kTarget[1] - kEye[1], kTarget[2] - kEye[2]};
    double length = std::sqrt(forward[0] * forward[0] + forward[1] * forward[1] + forward[2] * forward[2]);
    for (double& c : forward) c /= length;
    const double up[3] = {0.0, 1.0, 0.0};
    double side[3] = {forward[1] * up[2] - forward[2] * up[1], forward[2] * up[0] - forward[0] * up[2],
                      forward[0] * up[1] - forward[1] * up[0]};
    length = std::sqrt(side[0] * side[0] + side[1] * side[1] + side[2] * side[2]);
    for (double& c : side) c /= length;
    const double realUp[3] = {side[1] * forward[2] - side[2] * forward[1], side[2] * forward[0] - side[0] * forward[2],
                              side[0] * forward[1] - side[1] * forward[0]};
    std::memset(modelView, 0, 16 * sizeof(double));
    for (int i = 0; i < 3; ++i) {
        modelView[i * 4 + 0] = side[i];
        modelView[i * 4 + 1] = realUp[i];
        modelView[i * 4 + 2] = -forward[i];
    }
    modelView[15] = 1.0;
    for (int row = 0; row < 3; ++row)
        modelView[12 + row] = -(modelView[row] * kEye[0] + modelView[4 + row] * kEye[1] + modelView[8 + row] * kEye[2]);
}

}  // namespace

ScreenPoint projectWorldPoint(WorldPoint p, int width, int height) {
    double modelView[16], projection[16];
    cameraMatrices(width, height, modelView, projection);
    const GLint viewport[4] = {0, 0, width, height};
    double wx = 0, wy = 0, wz = 0;
    gluProject(p.x, p.y, p.z, modelView, projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(std::floor(wx)), height - 1 - static_cast<int>(std::floor(wy))};
}

ScreenPoint probeScreen(const char* name) {
    for (const ProbePoint& probe : kProbePoints)
        if (std::strcmp(probe.name, name) == 0) return projectWorldPoint(probe.world, 1024, 768);
    return {-1, -1};
}

double fogFactorOfWaterPixel(int x, int y, int width, int height) {
    double modelView[16], projection[16];
    cameraMatrices(width, height, modelView, projection);
    const GLint viewport[4] = {0, 0, width, height};
    const double wx = x + 0.5, wy = (height - 1 - y) + 0.5;
    double nearPoint[3], farPoint[3];
    gluUnProject(wx, wy, 0.0, modelView, projection, viewport, &nearPoint[0], &nearPoint[1], &nearPoint[2]);
    gluUnProject(wx, wy, 1.0, modelView, projection, viewport, &farPoint[0], &farPoint[1], &farPoint[2]);
    // Where the ray meets the water plane (height about 0 in the scene frame).
    const double waterY = -2.001;
    const double t = (waterY - nearPoint[1]) / (farPoint[1] - nearPoint[1]);
    double hit[3];
    for (int i = 0; i < 3; ++i) hit[i] = nearPoint[i] + t * (farPoint[i] - nearPoint[i]);
    // Fog distance is the eye-space depth.
    const double depth = -(modelView[2] * hit[0] + modelView[6] * hit[1] + modelView[10] * hit[2] + modelView[14]);
    const double f = (78.0 - depth) / (78.0 - 60.0);
    return f < 0.0 ? 0.0 : (f > 1.0 ? 1.0 : f);
}

int lakeTopRow(const std::vector<unsigned char>& frame, int width, int height) {
    const int x = width / 4;
    for (int y = 0; y < height; ++y) {
        const unsigned char* p = &frame[(static_cast<size_t>(y) * width + x) * 4];
        if (std::abs(p[0] - p[1]) > 3 || std::abs(p[1] - p[2]) > 3) return y;
    }
    return height;
}
