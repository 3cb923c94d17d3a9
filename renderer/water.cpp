// The lake's height field. Every constant and rounding step here is part of
// the look of the ripples: the 0.01745 degree factor (not pi / 180) and the
// truncation give the stamp its small lopsided cluster, and the float stores
// between double sums fix the exact values frame after frame.
#include "renderer/water.h"

#include <cmath>

// x86-64 always has SSE2; two double lanes give the same bits as the scalar
// arithmetic when they do the same operations in the same order.
#if (defined(__SSE2__) || defined(_M_X64)) && !defined(KESTRINE_SCALAR_WATER)
#include <emmintrin.h>
#define KESTRINE_WATER_SSE2 1
#endif

int gridWidth;
int gridHeight;
float damping;
int rippleRadius;

WaterGrid waterGrid;

namespace {

int clampToCapacity(int count) {
    if (count < 0) return 0;
    if (count > kWaterCapacity) return kWaterCapacity;
    return count;
}

}  // namespace

int columnsInUse() { return clampToCapacity(gridWidth); }
int rowsInUse() { return clampToCapacity(gridHeight); }

namespace {

constexpr float kDegreeFactor = 0.01745f;
constexpr double kNeighbourDivisor = 6.0;
constexpr double kDrift = 0.001;

// The heights of three neighbouring columns as they were before this step,
// widened to double once. The step writes each column's new heights into the
// grid as soon as the column is done; its neighbours still read the old ones
// from here.
double oldHeights[3][kWaterCapacity];

void loadOldHeights(int column, int rows, double* heights) {
    const GridVertex* cells = waterGrid.surface[column];
    int j = 0;
#ifdef KESTRINE_WATER_SSE2
    // Four cells are twelve floats: x0 y0 z0 x1 | y1 z1 x2 y2 | z2 x3 y3 z3.
    for (; j + 3 < rows; j += 4) {
        const char* bytes = reinterpret_cast<const char*>(cells + j);
        const __m128 a = _mm_loadu_ps(reinterpret_cast<const float*>(bytes));
        const __m128 b = _mm_loadu_ps(reinterpret_cast<const float*>(bytes + 16));
        const __m128 c = _mm_loadu_ps(reinterpret_cast<const float*>(bytes + 32));
        const __m128 y0y0y1y1 = _mm_shuffle_ps(a, b, _MM_SHUFFLE(0, 0, 1, 1));
        const __m128 y2y2y3y3 = _mm_shuffle_ps(b, c, _MM_SHUFFLE(2, 2, 3, 3));
        const __m128 y = _mm_shuffle_ps(y0y0y1y1, y2y2y3y3, _MM_SHUFFLE(2, 0, 2, 0));
        _mm_storeu_pd(heights + j, _mm_cvtps_pd(y));
        _mm_storeu_pd(heights + j + 2, _mm_cvtps_pd(_mm_movehl_ps(y, y)));
    }
#endif
    for (; j < rows; ++j) heights[j] = cells[j].y;
}

// Both passes for one interior cell: the velocity takes the pull of the
// six-cell hexagonal neighbourhood (summed in this order), then the drift
// towards 0 and the damping; the height takes the velocity. Pass 1 reads
// only old heights and pass 2 only the cell itself, so doing both per cell
// gives the same bits as two passes over the grid.
void stepCell(const double* left, const double* middle, const double* right, int j, float& velocity, float& height) {
    double sum = middle[j - 1];
    sum += middle[j + 1];
    sum += left[j - 1];
    sum += left[j];
    sum += right[j];
    sum += right[j + 1];
    const double average = sum / kNeighbourDivisor;
    const double h = middle[j];
    float v = static_cast<float>(velocity - (h - average));
    // The drift carries the sign bit of the height, so -0 drifts upwards too.
    v = static_cast<float>(v - std::copysign(kDrift, h));
    v = static_cast<float>(static_cast<double>(damping) * v);
    velocity = v;
    height = static_cast<float>(h + v);
}

#ifdef KESTRINE_WATER_SSE2
// A float store and reload: the rounding every stored value goes through.
__m128d roundToFloat(__m128d value) { return _mm_cvtps_pd(_mm_cvtpd_ps(value)); }

// stepCell for rows j and j + 1, one per lane.
void stepCellPair(const double* left, const double* middle, const double* right, int j, GridVertex* velocities,
                  GridVertex* heights) {
    __m128d sum = _mm_loadu_pd(middle + j - 1);
    sum = _mm_add_pd(sum, _mm_loadu_pd(middle + j + 1));
    sum = _mm_add_pd(sum, _mm_loadu_pd(left + j - 1));
    sum = _mm_add_pd(sum, _mm_loadu_pd(left + j));
    sum = _mm_add_pd(sum, _mm_loadu_pd(right + j));
    sum = _mm_add_pd(sum, _mm_loadu_pd(right + j + 1));
    const __m128d average = _mm_div_pd(sum, _mm_set1_pd(kNeighbourDivisor));
    const __m128d h = _mm_loadu_pd(middle + j);

    // y, z of row j and x, y of row j + 1.
    const __m128 velocityLanes = _mm_loadu_ps(&velocities[j].y);
    const __m128 oldVelocity = _mm_shuffle_ps(velocityLanes, velocityLanes, _MM_SHUFFLE(3, 3, 3, 0));
    const __m128d v = roundToFloat(_mm_sub_pd(_mm_cvtps_pd(oldVelocity), _mm_sub_pd(h, average)));
    const __m128d signOfHeight = _mm_and_pd(h, _mm_set1_pd(-0.0));
    const __m128 drifted = _mm_cvtpd_ps(_mm_sub_pd(v, _mm_or_pd(_mm_set1_pd(kDrift), signOfHeight)));
    // A product or sum of two floats rounded to double and then to float is
    // the float product or sum itself: a double holds the exact product of
    // two floats, and its 53 bits are more than the 2 x 24 + 2 that make the
    // double rounding of a sum harmless. So these two are float operations.
    const __m128 newVelocity = _mm_mul_ps(drifted, _mm_set1_ps(damping));
    const __m128 newHeight = _mm_add_ps(_mm_cvtpd_ps(h), newVelocity);

    _mm_store_ss(&velocities[j].y, newVelocity);
    _mm_store_ss(&velocities[j + 1].y, _mm_shuffle_ps(newVelocity, newVelocity, 1));
    _mm_store_ss(&heights[j].y, newHeight);
    _mm_store_ss(&heights[j + 1].y, _mm_shuffle_ps(newHeight, newHeight, 1));
}
#endif

void stepColumn(const double* left, const double* middle, const double* right, int column, int rows) {
    GridVertex* velocities = waterGrid.velocity[column];
    GridVertex* heights = waterGrid.surface[column];
    int j = 1;
#ifdef KESTRINE_WATER_SSE2
    for (; j + 1 < rows - 1; j += 2) stepCellPair(left, middle, right, j, velocities, heights);
#endif
    for (; j < rows - 1; ++j) stepCell(left, middle, right, j, velocities[j].y, heights[j].y);
}

}  // namespace

void setWaterStartupState() {
    gridWidth = 256;
    gridHeight = 256;
    damping = 1.0f - 0.004f;
    rippleRadius = 2;
    initWaterGrid();
}

void initWaterGrid() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    if (columns == 0 || rows == 0) return;
    const float columnSpacing = static_cast<float>(60.0 / columns);
    const float rowSpacing = static_cast<float>(50.0 / rows);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const GridVertex cell = {static_cast<float>(j * static_cast<double>(columnSpacing) - 30.0), 0.0f,
                                     static_cast<float>(i * static_cast<double>(rowSpacing) - 35.0)};
            waterGrid.surface[j][i] = cell;
            waterGrid.velocity[j][i] = cell;
        }
    }
}

void stampRipple(int column, int row, float depth) {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    for (float r = 1.0f; r < rippleRadius; r += 1.0f) {
        for (float a = 0.0f; a < 360.0f; a += 10.0f) {
            const double rad = static_cast<double>(a) * kDegreeFactor;
            const float px = static_cast<float>(column + r * std::cos(rad));
            const float pz = static_cast<float>(row - r * std::sin(rad));
            // Checked before the conversion to int, so NaN and huge values
            // never reach it.
            if (!(px >= 0.0f && px < columns - 1 && pz >= 0.0f && pz < rows - 1)) continue;
            waterGrid.velocity[static_cast<int>(px)][static_cast<int>(pz)].y =
                static_cast<float>(-static_cast<double>(depth) / r);
        }
    }
}

// The simulation is defined row by row in two passes; each cell's result
// depends only on the old heights around it and its own velocity, so walking
// column by column (as the grid lies in memory) with both passes fused gives
// the same bits.
void stepWater() {
    const int columns = columnsInUse();
    const int rows = rowsInUse();
    if (columns < 3 || rows < 3) return;
    double* left = oldHeights[0];
    double* middle = oldHeights[1];
    double* right = oldHeights[2];
    loadOldHeights(0, rows, left);
    loadOldHeights(1, rows, middle);
    for (int k = 1; k < columns - 1; ++k) {
        loadOldHeights(k + 1, rows, right);
        stepColumn(left, middle, right, k, rows);
        double* done = left;
        left = middle;
        middle = right;
        right = done;
    }
}
