// Bit-exact checks of the water grid: layout, ripple stamp and step.
#include "renderer/water.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "renderer/reference/plain_water_step.h"

namespace {

using Cell = std::pair<int, int>;  // (column, row)

class WaterTest : public ::testing::Test {
protected:
    void SetUp() override { setStartupState(); }

    static float height(int column, int row) { return waterGrid.surface[column][row].y; }
    static float velocity(int column, int row) { return waterGrid.velocity[column][row].y; }

    // Fills every velocity with a marker, stamps, and returns the cells the
    // stamp changed.
    static std::set<Cell> cellsWrittenBy(int column, int row, float depth) {
        const float marker = 12345.0f;
        for (auto& columnCells : waterGrid.velocity)
            for (auto& cell : columnCells) cell.y = marker;
        stampRipple(column, row, depth);
        std::set<Cell> written;
        for (int c = 0; c < kWaterCapacity; ++c)
            for (int r = 0; r < kWaterCapacity; ++r)
                if (velocity(c, r) != marker) written.insert({c, r});
        return written;
    }

    static bool isBorder(int column, int row) {
        return column == 0 || row == 0 || column == gridWidth - 1 || row == gridHeight - 1;
    }
};

// The value every interior cell of a flat, still grid reaches in one step:
// pass 1 leaves V = +0 (all heights equal), the drift takes 0.001 with the
// sign of +0 (V = float(0 - 0.001)), damping scales it in double and stores a
// float, and H = float(0 + V).
float firstStepHeight() {
    const float drifted = static_cast<float>(0.0 - 0.001);
    return static_cast<float>(static_cast<double>(1.0f - 0.004f) * drifted);
}

TEST_F(WaterTest, SettingsAndLayout) {
    // 1 - 0.004 in single precision rounds to the float nearest 0.996.
    EXPECT_EQ(damping, 0.996f);
    EXPECT_NE(static_cast<double>(damping), 0.996);

    const GridVertex first = waterGrid.surface[0][0];
    EXPECT_EQ(first.x, -30.0f);
    EXPECT_EQ(first.z, -35.0f);
    const GridVertex last = waterGrid.surface[255][255];
    EXPECT_EQ(last.x, 29.765625f);   // 255 * 0.234375 - 30
    EXPECT_EQ(last.z, 14.8046875f);  // 255 * 0.1953125 - 35
    EXPECT_EQ(waterGrid.surface[10][3].x, 10 * 0.234375f - 30.0f);
    EXPECT_EQ(waterGrid.surface[10][3].z, 3 * 0.1953125f - 35.0f);

    for (int c = 0; c < 256; ++c) {
        for (int r = 0; r < 256; ++r) {
            const GridVertex s = waterGrid.surface[c][r];
            const GridVertex v = waterGrid.velocity[c][r];
            ASSERT_EQ(s.y, 0.0f);
            ASSERT_FALSE(std::signbit(s.y)) << c << "," << r;
            ASSERT_FALSE(std::signbit(v.y)) << c << "," << r;
            ASSERT_EQ(v.y, 0.0f);
            ASSERT_EQ(s.x, v.x);
            ASSERT_EQ(s.z, v.z);
        }
    }
}

TEST_F(WaterTest, FirstStepFromFlat) {
    const float expected = firstStepHeight();
    EXPECT_NEAR(expected, -0.000996f, 1e-9f);
    stepWater();
    for (int c = 0; c < 256; ++c) {
        for (int r = 0; r < 256; ++r) {
            if (isBorder(c, r)) {
                ASSERT_EQ(height(c, r), 0.0f) << c << "," << r;
                ASSERT_FALSE(std::signbit(height(c, r)));
            } else {
                ASSERT_EQ(height(c, r), expected) << c << "," << r;
                ASSERT_EQ(velocity(c, r), expected) << c << "," << r;
            }
        }
    }
}

TEST_F(WaterTest, SecondStepDriftsBackUp) {
    stepWater();
    const float h1 = firstStepHeight();
    stepWater();
    // Far from the border all six neighbours equal h1, so their average is
    // exactly h1 and pass 1 leaves V = h1. The height is now negative, so the
    // drift adds 0.001.
    const float v2 =
        static_cast<float>(static_cast<double>(static_cast<float>(static_cast<double>(h1) + 0.001)) * damping);
    const float h2 = static_cast<float>(static_cast<double>(h1) + v2);
    EXPECT_EQ(velocity(128, 128), v2);
    EXPECT_EQ(height(128, 128), h2);
    EXPECT_GT(v2, 0.0f);
    // Next to the border the zero heights pull the average up.
    EXPECT_NE(height(1, 128), h2);
    EXPECT_EQ(height(0, 128), 0.0f);
}

TEST_F(WaterTest, DriftCopiesTheSignBitOfNegativeZero) {
    waterGrid.surface[50][60].y = -0.0f;
    stepWater();
    // -0 drifts up by 0.001 where +0 drifts down.
    const float up = static_cast<float>(static_cast<double>(static_cast<float>(0.001)) * damping);
    EXPECT_EQ(height(50, 60), up);
    EXPECT_EQ(height(51, 60), firstStepHeight());
}

TEST_F(WaterTest, NeighbourhoodIsHexagonal) {
    waterGrid.surface[100][100].y = 6.0f;
    stepWater();
    // (k, j) averages (k, j-1) (k, j+1) (k-1, j-1) (k-1, j) (k+1, j) (k+1, j+1),
    // so the bump at (100, 100) lifts exactly these six cells.
    const std::set<Cell> lifted = {{100, 101}, {100, 99}, {101, 101}, {101, 100}, {99, 100}, {99, 99}};
    std::set<Cell> positive;
    for (int c = 1; c < 255; ++c)
        for (int r = 1; r < 255; ++r)
            if (height(c, r) > 0.0f && !(c == 100 && r == 100)) positive.insert({c, r});
    EXPECT_EQ(positive, lifted);

    // Each neighbour: avg = 6 / 6 = 1, V = 0 - (0 - 1) = 1, then drift and damping.
    const float v = static_cast<float>(static_cast<double>(static_cast<float>(1.0 - 0.001)) * damping);
    for (const Cell& cell : lifted) EXPECT_EQ(height(cell.first, cell.second), v);
    // The bump itself: V = 0 - (6 - 0) = -6, drift -0.001 (H is positive).
    const float vb = static_cast<float>(static_cast<double>(static_cast<float>(-6.0 - 0.001)) * damping);
    EXPECT_EQ(velocity(100, 100), vb);
    EXPECT_EQ(height(100, 100), static_cast<float>(6.0 + vb));
}

TEST_F(WaterTest, StampClusterAtNinetyTen) {
    const std::set<Cell> expected = {{89, 9}, {89, 10}, {89, 11}, {90, 9}, {90, 10}, {91, 10}};
    EXPECT_EQ(cellsWrittenBy(90, 10, 0.5f), expected);
    for (const Cell& cell : expected) EXPECT_EQ(velocity(cell.first, cell.second), -0.5f);
    // Heights are not touched by a stamp.
    for (const Cell& cell : expected) EXPECT_EQ(height(cell.first, cell.second), 0.0f);
}

TEST_F(WaterTest, StampValuesAndOrder) {
    stampRipple(40, 40, 0.0f);
    EXPECT_EQ(velocity(40, 40), 0.0f);
    EXPECT_TRUE(std::signbit(velocity(40, 40)));  // -0 from -depth

    stampRipple(40, 40, 0.25f);
    stampRipple(40, 40, -0.75f);  // the later stamp replaces, it does not add
    EXPECT_EQ(velocity(40, 40), 0.75f);
    EXPECT_EQ(velocity(41, 40), 0.75f);

    // Two rings: the second writes -depth / 2.
    rippleRadius = 3;
    const std::set<Cell> twoRings = cellsWrittenBy(120, 120, 1.0f);
    EXPECT_EQ(velocity(122, 120), -0.5f);
    EXPECT_GT(twoRings.size(), 6u);
    rippleRadius = 1;  // no ring at all
    EXPECT_TRUE(cellsWrittenBy(120, 120, 1.0f).empty());
}

TEST_F(WaterTest, StampNearTheEdges) {
    // At the corner only points with px, pz >= 0 land; column and row 0 may
    // be written.
    EXPECT_EQ(cellsWrittenBy(0, 0, 1.0f), (std::set<Cell>{{0, 0}, {1, 0}}));
    EXPECT_EQ(cellsWrittenBy(255, 255, 1.0f), (std::set<Cell>{{254, 254}}));
    EXPECT_TRUE(cellsWrittenBy(-5, 100, 1.0f).empty());
    EXPECT_TRUE(cellsWrittenBy(100, 400, 1.0f).empty());
    EXPECT_TRUE(cellsWrittenBy(2147483647, -2147483647 - 1, 1.0f).empty());

    // Never the last column or row, from anywhere near them.
    rippleRadius = 4;
    for (int c = 240; c < 262; ++c) {
        for (int r = -3; r < 262; r += (c == 255 ? 1 : 7)) {
            for (const Cell& cell : cellsWrittenBy(c, r, 1.0f)) {
                ASSERT_LT(cell.first, 255) << "stamp at " << c << "," << r;
                ASSERT_LT(cell.second, 255) << "stamp at " << c << "," << r;
                ASSERT_GE(cell.first, 0);
                ASSERT_GE(cell.second, 0);
            }
            for (const Cell& cell : cellsWrittenBy(r, c, 1.0f)) {
                ASSERT_LT(cell.first, 255) << "stamp at " << r << "," << c;
                ASSERT_LT(cell.second, 255) << "stamp at " << r << "," << c;
            }
        }
    }
}

TEST_F(WaterTest, LongRunKeepsBordersStillAndValuesFinite) {
    unsigned int seed = 7;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) & 0x7fff);
    };
    float deepest = 0.0f;
    // As many stones as 2500 frames at one every 40, five times as often.
    for (int frame = 0; frame < 500; ++frame) {
        if (frame % 8 == 0) {
            // Includes stamps right on and beyond the border.
            stampRipple(next() % 262 - 3, next() % 262 - 3, 0.2f + (next() % 100) / 50.0f);
        }
        stepWater();
    }
    for (int c = 0; c < 256; ++c) {
        for (int r = 0; r < 256; ++r) {
            ASSERT_TRUE(std::isfinite(height(c, r))) << c << "," << r;
            ASSERT_TRUE(std::isfinite(velocity(c, r))) << c << "," << r;
            if (isBorder(c, r)) {
                ASSERT_EQ(height(c, r), 0.0f) << c << "," << r;
            }
            deepest = std::fmax(deepest, std::fabs(height(c, r)));
        }
    }
    // Damped: the surface settles instead of growing.
    EXPECT_LT(deepest, 3.0f) << "deepest " << deepest;
}

// The step as defined, on a copy of the grid's values.
PlainWater plain;

// Steps the grid and the plain copy side by side, every step compared bit
// for bit. Each stampEvery steps the grid takes a ripple like a stone's,
// which the copy takes over.
::testing::AssertionResult stepsLikeThePlainStep(int steps, int stampEvery) {
    std::mt19937 random(11);
    copyWaterGrid(plain);
    for (int step = 0; step < steps; ++step) {
        if (stampEvery > 0 && step % stampEvery == 0) {
            const int column = static_cast<int>(random() % kWaterCapacity);
            const int row = static_cast<int>(random() % kWaterCapacity);
            stampRipple(column, row, static_cast<float>(random() % 400) / 100.0f);
            copyWaterGrid(plain);
        }
        stepWater();
        stepPlainWater(plain);
        const long differences = countDifferencesFromGrid(plain);
        if (differences != 0)
            return ::testing::AssertionFailure() << differences << " cells differ after step " << step + 1;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(WaterTest, StepGivesTheBitsOfThePlainRowByRowStep) {
    // The stone's ripples over the whole grid, and over sizes whose rows and
    // columns are odd or barely more than the border.
    const struct { int columns, rows; } sizes[] = {{256, 256}, {255, 101}, {40, 254}, {3, 3}, {4, 4}, {5, 6}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.columns) + " x " + std::to_string(size.rows));
        setStartupState();
        gridWidth = size.columns;
        gridHeight = size.rows;
        initWaterGrid();
        // As many stones as 600 (or 200) steps at one every 25, five times as often.
        EXPECT_TRUE(stepsLikeThePlainStep(size.columns == 256 ? 120 : 40, 5));
    }
}

TEST_F(WaterTest, StepGivesThePlainBitsForValuesOfEveryMagnitude) {
    // Every cell at a random float from subnormal to about 1e12, either sign,
    // and some zeros of both signs: the step's float and double roundings
    // must fall exactly where the definition's do.
    std::mt19937 random(3);
    auto anyFloat = [&random]() {
        const std::uint32_t sign = (random() & 1u) << 31;
        const std::uint32_t exponent = random() % 168u;  // 0 = subnormal ... 2^40
        const std::uint32_t bits = sign | exponent << 23 | (random() & 0x7FFFFFu);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    };
    for (int c = 0; c < kWaterCapacity; ++c) {
        for (int r = 0; r < kWaterCapacity; ++r) {
            waterGrid.surface[c][r].y = (c * 7 + r) % 53 == 0 ? -0.0f : anyFloat();
            waterGrid.velocity[c][r].y = (c + r * 5) % 47 == 0 ? 0.0f : anyFloat();
        }
    }
    EXPECT_TRUE(stepsLikeThePlainStep(6, 0));
}

TEST_F(WaterTest, SettingsOutsideTheCapacityStayInside) {
    gridWidth = 100000;
    gridHeight = -4;
    initWaterGrid();
    stampRipple(128, 128, 1.0f);
    stepWater();
    gridHeight = 100000;
    initWaterGrid();
    stampRipple(255, 255, 1.0f);
    stepWater();
    // Treated as 256: the last row and column are the border.
    EXPECT_EQ(height(255, 100), 0.0f);
    EXPECT_EQ(height(100, 255), 0.0f);
    EXPECT_EQ(height(100, 100), firstStepHeight());
}

}  // namespace
