#include "app/Particles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvel {
namespace {

float spreadOf(float r) {
    return float(std::atan((2.0 * r - 1) / std::sqrt(1 - (2.0 * r - 1) * (2.0 * r - 1))));
}

TEST(Particles, EachKindDrawsItsSpeedsAndThenItsShade) {
    struct Case {
        int32_t kind;
        int draws;  // speed draws before the shade draw
        float vx(float a, float b) const {
            switch (kind) {
                case 0:
                    return 2 * a;
                case 1:
                    return 4 * a;
                case 3:
                    return 8 * a;
                case 4:
                    return 2 * a;
                case 5:
                    return 2 * a + 5;
                case 6:
                    return -5 - 2 * a;
                case 7:
                    return a / 2;
                default:
                    (void)b;
                    return 0;
            }
        }
        float vy(float a, float b) const {
            switch (kind) {
                case 0:
                    return b + 4;
                case 1:
                    return 4 * b;
                case 4:
                    return 2 * b + 10;
                case 5:
                    return 2 * b + 11;
                case 6:
                    return 2 * b + 11;
                case 7:
                    return b + 13;
                default:
                    (void)a;
                    return 0;
            }
        }
    } cases[] = {{0, 2}, {1, 2}, {2, 0}, {3, 1}, {4, 2}, {5, 2}, {6, 2}, {7, 2}};
    for (const auto& c : cases) {
        Random random{12345u + uint32_t(c.kind)};
        Random replay = random;
        float r[3];
        for (int i = 0; i <= c.draws; ++i) r[i] = randomSingle(replay);
        Particles list;
        addParticle(list, random, true, 100, 200, c.kind);
        ASSERT_EQ(list.particleCount, 1);
        const Particle& p = list.particles[0];
        EXPECT_EQ(random.randomState, replay.randomState) << "kind " << c.kind;
        EXPECT_EQ(p.x, 100);
        EXPECT_EQ(p.y, 200);
        const float a = c.draws > 0 ? spreadOf(r[0]) : 0, b = c.draws > 1 ? spreadOf(r[1]) : 0;
        EXPECT_NEAR(p.vx, c.vx(a, b), 1e-5) << "kind " << c.kind;
        EXPECT_NEAR(p.vy, c.vy(a, b), 1e-5) << "kind " << c.kind;
        EXPECT_EQ(p.shade, 208 - int32_t(std::floor(16 * r[c.draws])));
        EXPECT_GE(p.shade, 193);
        EXPECT_LE(p.shade, 208);
    }
}

TEST(Particles, OffScreenOrSwitchedOffAddsNothingAndDrawsNothing) {
    Random random{7};
    Particles list;
    addParticle(list, random, false, 10, 10, 0);
    addParticle(list, random, true, -1, 10, 0);
    addParticle(list, random, true, 800, 10, 0);
    addParticle(list, random, true, 10, -1, 0);
    EXPECT_EQ(list.particleCount, 0);
    EXPECT_EQ(random.randomState, 7u);
    addParticle(list, random, true, 799, 100000, 0);
    EXPECT_EQ(list.particleCount, 1);
}

TEST(Particles, TheListGrowsBy4096AndRemovalMovesTheLastIntoTheGap) {
    Random random{1};
    Particles list;
    for (int i = 0; i < 4097; ++i) addParticle(list, random, true, i % 800, i, 2);
    EXPECT_EQ(list.particles.size(), 8192u);
    removeParticle(list, 3);
    EXPECT_EQ(list.particleCount, 4096);
    EXPECT_EQ(list.particles[3].y, 4096);
    removeParticle(list, 4095);
    EXPECT_EQ(list.particleCount, 4095);
    EXPECT_EQ(list.particles[3].y, 4096);
    removeParticle(list, 5000);
    EXPECT_EQ(list.particleCount, 4095);
    // A kind of its own keeps the speeds its slot last held.
    list.particles[4095].vx = 3.5f;
    addParticle(list, random, true, 1, 1, 9);
    EXPECT_EQ(list.particles[4095].vx, 3.5f);
}

}  // namespace
}  // namespace korvel
