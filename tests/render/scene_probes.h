// Known points of the lake picture at 1024 x 768 with the start-up camera:
// world points of each surface, where they land on screen, and the fog a
// water pixel gets. Shared by the render tests and the Wine test's reference.
#pragma once
#include <vector>

struct ScreenPoint {
    int x, y;  // (0, 0) at the top left
};

struct WorldPoint {
    double x, y, z;
};

struct ProbePoint {
    const char* name;
    WorldPoint world;  // world frame (the scene frame is (0, -2, -15) away at tilt 0)
};

extern const ProbePoint kProbePoints[];
extern const int kProbePointCount;

// Screen pixel of a world point through the renderer's projection and the
// start-up camera.
ScreenPoint projectWorldPoint(WorldPoint p, int width, int height);
// The probe of that name projected at 1024 x 768; (-1, -1) for an unknown name.
ScreenPoint probeScreen(const char* name);
// Linear fog factor (1 = clear) of the flat water seen at a pixel.
double fogFactorOfWaterPixel(int x, int y, int width, int height);
// First row from the top, in the column a quarter across, that is not the
// grey of a white backdrop: where the lake begins. RGBA rows from the top.
int lakeTopRow(const std::vector<unsigned char>& frame, int width, int height);
