// The stone and splash arithmetic, without GL: the random sequence, the order
// of every draw, impacts and their cells, the particles' flight and fade.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "renderer/billboard.h"
#include "renderer/splash.h"
#include "renderer/water.h"

namespace {

// A second copy of the generator, written from its definition, to predict
// what the program's one must produce.
struct ReferenceLcg {
    uint32_t state = 1;
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

// A stone about to land: its next update is the impact unless it hops.
void placeFallingStone(float x, float size) {
    stone = Stone{};
    stone.active = 1;
    stone.x = x;
    stone.y = 0.001f;
    stone.z = -33.0f;
    stone.size = size;
}

// Cells whose velocity differs from the flat start, as (column, row).
std::vector<std::pair<int, int>> stampedCells() {
    std::vector<std::pair<int, int>> cells;
    for (int c = 0; c < kWaterCapacity; ++c)
        for (int r = 0; r < kWaterCapacity; ++r) {
            const float v = waterGrid.velocity[c][r].y;
            if (v != 0.0f || std::signbit(v)) cells.emplace_back(c, r);
        }
    return cells;
}

int countActiveParticles() {
    int count = 0;
    for (const SplashParticle& particle : splash) count += particle.active ? 1 : 0;
    return count;
}

}  // namespace

TEST(RandomSequence, FirstValuesFollowTheFormula) {
    setStartupState();
    // state 1 -> 1 * 214013 + 2531011 = 2745024; 2745024 >> 16 = 41.
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(randomState, 2745024u);
    const int expected[] = {18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(nextRandom(), value);
}

TEST(RandomSequence, MatchesTheReferenceForManyDrawsAndStaysInRange) {
    setStartupState();
    ReferenceLcg reference;
    for (int i = 0; i < 100000; ++i) {
        const int value = nextRandom();
        ASSERT_EQ(value, reference.next()) << "draw " << i;
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(VectorHelpers, SubtractCrossLengthNormaliseScale) {
    const Vec3d d = vecSub({3, 5, 7}, {1, 1, 1});
    EXPECT_DOUBLE_EQ(d.x, 2);
    EXPECT_DOUBLE_EQ(d.y, 4);
    EXPECT_DOUBLE_EQ(d.z, 6);
    const Vec3d c = vecCross({1, 0, 0}, {0, 1, 0});
    EXPECT_DOUBLE_EQ(c.x, 0);
    EXPECT_DOUBLE_EQ(c.y, 0);
    EXPECT_DOUBLE_EQ(c.z, 1);
    const Vec3d c2 = vecCross({2, 3, 4}, {5, 6, 7});  // (3*7-4*6, 4*5-2*7, 2*6-3*5)
    EXPECT_DOUBLE_EQ(c2.x, -3);
    EXPECT_DOUBLE_EQ(c2.y, 6);
    EXPECT_DOUBLE_EQ(c2.z, -3);
    EXPECT_DOUBLE_EQ(vecLength({3, 4, 12}), 13);
    const Vec3d n = vecNormalize({0, 3, 4});
    EXPECT_DOUBLE_EQ(n.y, 0.6);
    EXPECT_DOUBLE_EQ(n.z, 0.8);
    const Vec3d s = vecScale({1, -2, 0.5}, 4);
    EXPECT_DOUBLE_EQ(s.x, 4);
    EXPECT_DOUBLE_EQ(s.y, -8);
    EXPECT_DOUBLE_EQ(s.z, 2);
}

TEST(SpawnStone, UsesOneDrawPerQuietFrameAndFiveToSpawn) {
    setStartupState();
    ReferenceLcg reference;
    int frame = 0;
    while (!stone.active) {
        ASSERT_LT(frame, 10000);
        spawnStone();
        ++frame;
        if (reference.next() % 100 != 13) {
            ASSERT_FALSE(stone.active);
            ASSERT_EQ(randomState, reference.state);
        }
    }
    const int xDraw = reference.next() % 100;
    const int sizeDraw = reference.next() % 100;
    reference.next();
    reference.next();
    EXPECT_EQ(randomState, reference.state) << "two unused draws follow every spawn";
    EXPECT_EQ(stone.x, static_cast<float>(xDraw / 25.0 - 10.0));
    EXPECT_GE(stone.x, -10.0f);
    EXPECT_LE(stone.x, -6.04f + 1e-6f);
    EXPECT_EQ(stone.y, 6.0f);
    EXPECT_EQ(stone.z, -33.0f);
    EXPECT_EQ(stone.vx, 0.0f);
    EXPECT_EQ(stone.vy, 0.0f);
    EXPECT_EQ(stone.size, static_cast<float>(sizeDraw / 100.0));

    // An active stone is never respawned and draws nothing.
    const Stone before = stone;
    const uint32_t state = randomState;
    spawnStone();
    EXPECT_EQ(randomState, state);
    EXPECT_EQ(stone.x, before.x);
}

TEST(UpdateStone, InactiveStoneDrawsNothing) {
    setStartupState();
    updateStone();
    EXPECT_EQ(randomState, 1u);
    EXPECT_EQ(stone.active, 0);
}

TEST(UpdateStone, HopHalvesAndReversesTheFallAndDriftsFirstMinusSecond) {
    setStartupState();
    // Find a state whose next draw hops (rand % 20 == 11).
    ReferenceLcg reference;
    uint32_t hopState = 1;
    for (;;) {
        hopState = reference.state;
        if (reference.next() % 20 == 11) break;
    }
    const int first = reference.next() % 100;
    const int second = reference.next() % 100;
    randomState = hopState;
    placeFallingStone(-8.0f, 0.5f);
    stone.y = 3.0f;
    stone.vy = 0.2f;
    stone.vx = 0.05f;
    updateStone();
    EXPECT_EQ(randomState, reference.state);
    EXPECT_EQ(stone.x, -8.0f + 0.05f) << "drift is applied before the hop changes it";
    EXPECT_EQ(stone.vx, static_cast<float>((first - second) / 1000.0));
    EXPECT_EQ(stone.vy, static_cast<float>(static_cast<float>(-0.2f / 2.0) + 0.01));
    EXPECT_EQ(stone.y, 3.0f - stone.vy);
    EXPECT_EQ(stone.active, 1);
}

TEST(UpdateStone, FallsFasterEachFrameUntilItLands) {
    setStartupState();
    placeFallingStone(-9.0f, 0.4f);
    stone.y = 6.0f;
    ReferenceLcg reference;
    float vy = 0.0f;
    float y = 6.0f;
    int frames = 0;
    while (stone.active) {
        ASSERT_LT(frames, 1000);
        const bool hop = reference.next() % 20 == 11;
        if (hop) {
            vy = static_cast<float>(-vy / 2.0);
            reference.next();
            reference.next();
        }
        vy = static_cast<float>(vy + 0.01);
        y = y - vy;
        updateStone();
        ++frames;
        if (y > 0.0f) {
            ASSERT_EQ(stone.y, y);
            ASSERT_EQ(stone.vy, vy);
            ASSERT_EQ(stone.active, 1);
        }
    }
    EXPECT_LE(y, 0.0f);
    EXPECT_GT(frames, 30) << "a stone from height 6 takes about 35 frames without hops";
}

TEST(Impact, CellsOfTheEdgeCases) {
    setStartupState();
    EXPECT_EQ(impactColumn(-10.0f), 85);
    EXPECT_EQ(impactColumn(static_cast<float>(99 / 25.0 - 10.0)), 102);
    EXPECT_EQ(impactRow(-33.0f), 10);
    EXPECT_EQ(impactColumn(-30.0f), 0);
    EXPECT_EQ(impactColumn(std::nanf("")), -1) << "not a number is no cell";
    EXPECT_EQ(impactColumn(1.0e30f), -1);
    gridWidth = 128;
    EXPECT_EQ(impactColumn(-10.0f), 42);
}

TEST(Impact, StampsTheRippleAtTheStonesCellWithFourTimesItsSize) {
    setStartupState();
    placeFallingStone(-10.0f, 0.5f);  // seed 1: first draw 41 does not hop
    updateStone();
    EXPECT_EQ(stone.active, 0);
    const std::vector<std::pair<int, int>> expected = {{84, 9}, {84, 10}, {84, 11}, {85, 9}, {85, 10}, {86, 10}};
    EXPECT_EQ(stampedCells(), expected);
    for (const auto& cell : expected) EXPECT_EQ(waterGrid.velocity[cell.first][cell.second].y, -2.0f);

    setStartupState();
    placeFallingStone(static_cast<float>(99 / 25.0 - 10.0), 0.25f);
    updateStone();
    const std::vector<std::pair<int, int>> expected102 = {{101, 9}, {101, 10}, {101, 11},
                                                          {102, 9}, {102, 10}, {103, 10}};
    EXPECT_EQ(stampedCells(), expected102);
    EXPECT_EQ(waterGrid.velocity[102][10].y, -1.0f);
}

TEST(Impact, SizeZeroStampsNegativeZeroAndItsParticlesDieUndrawn) {
    setStartupState();
    placeFallingStone(-10.0f, 0.0f);
    updateStone();
    const float v = waterGrid.velocity[85][10].y;
    EXPECT_EQ(v, 0.0f);
    EXPECT_TRUE(std::signbit(v)) << "depth 0 writes -0";
    EXPECT_EQ(countActiveParticles(), 8);
    updateSplash();
    EXPECT_EQ(countActiveParticles(), 0) << "they die in the update before the first draw";
}

TEST(Impact, RestartsAllEightParticlesInDrawOrder) {
    setStartupState();
    // An earlier splash still in the air, in a mixed state.
    for (int i = 0; i < kSplashCount; ++i) {
        splash[i] = SplashParticle{};
        splash[i].active = i % 3 == 0;
        splash[i].y = 1.5f;
        splash[i].size = 2.0f;
        splash[i].r = splash[i].g = splash[i].b = 0.2f;
    }
    placeFallingStone(-7.5f, 0.6f);
    updateStone();

    ReferenceLcg reference;
    reference.next();  // the hop test
    for (int i = 0; i < kSplashCount; ++i) {
        const int vx1 = reference.next() % 100;
        const int vx2 = reference.next() % 100;
        const int vz1 = reference.next() % 100;
        const int vz2 = reference.next() % 100;
        const SplashParticle& p = splash[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(p.active, 1);
        EXPECT_EQ(p.x, stone.x);
        EXPECT_EQ(p.y, 0.0f);
        EXPECT_EQ(p.z, -33.0f);
        EXPECT_EQ(p.vx, static_cast<float>((vx1 - vx2) / 1000.0));
        EXPECT_EQ(p.vz, static_cast<float>((vz1 - vz2) / 10000.0));
        EXPECT_EQ(p.vy, static_cast<float>(i % 2 == 0 ? 0.6f / 5.0 : 0.6f / 8.0));
        EXPECT_EQ(p.r, 1.0f);
        EXPECT_EQ(p.g, 1.0f);
        EXPECT_EQ(p.b, 1.0f);
        EXPECT_EQ(p.size, 0.1f);
    }
    EXPECT_EQ(randomState, reference.state);
}

TEST(Splash, SlowStartsDieAtOnce) {
    setStartupState();
    placeFallingStone(-10.0f, 0.02f);  // vy 0.004 and 0.0025: both below 0.005
    updateStone();
    updateSplash();
    EXPECT_EQ(countActiveParticles(), 0);

    setStartupState();
    placeFallingStone(-10.0f, 0.03f);  // vy 0.006 rises, 0.00375 dies
    updateStone();
    updateSplash();
    for (int i = 0; i < kSplashCount; ++i) EXPECT_EQ(splash[i].active, i % 2 == 0 ? 1 : 0) << "particle " << i;
}

TEST(Splash, OneUpdateMovesGrowsAndFades) {
    setStartupState();
    SplashParticle& p = splash[0];
    p = SplashParticle{};
    p.active = 1;
    p.x = 1.0f;
    p.y = 0.0f;
    p.z = -2.0f;
    p.vx = 0.01f;
    p.vy = 0.1f;
    p.vz = -0.002f;
    p.r = p.g = p.b = 1.0f;
    p.size = 0.1f;
    const SplashParticle inactiveBefore = splash[1];
    updateSplash();
    EXPECT_EQ(p.vy, static_cast<float>(0.1f - 0.005));
    EXPECT_EQ(p.x, 1.0f + 0.01f);
    EXPECT_EQ(p.z, -2.0f - 0.002f);
    EXPECT_EQ(p.y, p.vy);
    EXPECT_EQ(p.size, static_cast<float>(0.1f + 0.1));
    EXPECT_EQ(p.r, static_cast<float>(1.0 - 0.03));
    EXPECT_EQ(splash[1].size, inactiveBefore.size) << "inactive particles stay as they are";

    // A particle that falls below 0 is cleared but still finishes its update.
    p.y = 0.001f;
    p.vy = -0.01f;
    const float sizeBefore = p.size;
    updateSplash();
    EXPECT_EQ(p.active, 0);
    EXPECT_EQ(p.size, static_cast<float>(sizeBefore + 0.1));
}

TEST(Splash, ColourFadesToAboutOneHundredthAfter33UpdatesThenBelowZero) {
    setStartupState();
    placeFallingStone(-10.0f, 0.99f);
    updateStone();
    for (int n = 0; n < 33; ++n) updateSplash();
    for (const SplashParticle& p : splash) {
        ASSERT_EQ(p.active, 1) << "a big splash is still in the air";
        EXPECT_NEAR(p.r, 0.01f, 1e-4f);
        EXPECT_NEAR(p.g, 0.01f, 1e-4f);
        EXPECT_NEAR(p.b, 0.01f, 1e-4f);
        EXPECT_GT(p.r, 0.0f);
    }
    updateSplash();
    for (const SplashParticle& p : splash) EXPECT_LT(p.r, 0.0f);
}

TEST(SeededRun, ImpactsLandWhereTheGeneratorSays) {
    // The whole stone life re-derived from the generator alone: spawn chance,
    // position and size draws, hops and drift, the fall, the impact cell and
    // the 32 draws of the splash restart.
    struct Predicted {
        int frame, column;
        float size;
    };
    std::vector<Predicted> predicted;
    {
        ReferenceLcg g;
        bool active = false;
        float x = 0, y = 0, vx = 0, vy = 0, size = 0;
        for (int frame = 0; frame < 20000; ++frame) {
            if (!active && g.next() % 100 == 13) {
                active = true;
                x = static_cast<float>((g.next() % 100) / 25.0 - 10.0);
                y = 6.0f;
                vx = vy = 0.0f;
                size = static_cast<float>((g.next() % 100) / 100.0);
                g.next();
                g.next();
            }
            if (!active) continue;
            x = x + vx;
            if (g.next() % 20 == 11) {
                vy = static_cast<float>(-vy / 2.0);
                const int first = g.next() % 100;
                vx = static_cast<float>((first - g.next() % 100) / 1000.0);
            }
            vy = static_cast<float>(vy + 0.01);
            y = y - vy;
            if (y > 0.0f) continue;
            active = false;
            const float fraction = (x + 30.0f) / 60.0f;
            predicted.push_back({frame, static_cast<int>(256.0f * fraction), size});
            for (int i = 0; i < 32; ++i) g.next();
        }
    }

    setStartupState();
    std::vector<Predicted> seen;
    for (int frame = 0; frame < 20000; ++frame) {
        spawnStone();
        const bool wasActive = stone.active != 0;
        updateStone();
        updateSplash();
        if (wasActive && !stone.active) {
            const int column = impactColumn(stone.x);
            seen.push_back({frame, column, stone.size});
            ASSERT_EQ(waterGrid.velocity[column][10].y, -4.0f * stone.size) << "frame " << frame;
        }
    }
    ASSERT_GT(predicted.size(), 100u);
    ASSERT_EQ(seen.size(), predicted.size());
    for (size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i].frame, predicted[i].frame);
        EXPECT_EQ(seen[i].column, predicted[i].column);
        EXPECT_EQ(seen[i].size, predicted[i].size);
        EXPECT_GE(seen[i].column, 1);
        EXPECT_LE(seen[i].column, 254);
    }
}
