#include "base/Random.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

TEST(Random, SequenceFromZero) {
    Random r{0};
    EXPECT_EQ(randomLong(r), 1013904223);
    EXPECT_EQ(r.randomState, 0x3C6EF35Fu);
    Random s{0};
    EXPECT_FLOAT_EQ(randomSingle(s), float(0x3C6EF35F & 0x7FFFFF) / 8388608.0f);
    EXPECT_NEAR(randomSingle(r = Random{0}), 0.866802, 1e-6);
}

TEST(Random, StateWrapsModulo2To32) {
    Random r{4294967295u};
    randomLong(r);
    EXPECT_EQ(r.randomState, 1012239698u);
    // The next states follow the same recurrence in unsigned arithmetic.
    uint32_t want = 1012239698u;
    for (int i = 0; i < 5; ++i) {
        want = want * 1664525u + 1013904223u;
        EXPECT_EQ(uint32_t(randomLong(r)), want);
    }
}

TEST(Random, SingleStaysInUnitIntervalAndReplays) {
    Random a{123}, b{123};
    for (int i = 0; i < 10000; ++i) {
        const float v = randomSingle(a);
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
        ASSERT_EQ(v, randomSingle(b));
    }
}

TEST(Random, SeedingGivesAFloatPatternInTheUnitInterval) {
    Random a, b;
    seedRandom(a, 1000);
    seedRandom(b, 1000);
    EXPECT_EQ(a.randomState, b.randomState);
    float f;
    static_assert(sizeof f == sizeof a.randomState);
    __builtin_memcpy(&f, &a.randomState, sizeof f);
    EXPECT_GE(f, 0.0f);
    EXPECT_LT(f, 1.0f);
}

}  // namespace
}  // namespace korvel
