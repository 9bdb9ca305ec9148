// The walks that find the walls and sprites near the plan view take four records a step; they
// must find exactly what a walk of one record at a time finds, whatever the counts, links and
// coordinates, and at the ends of the 32-bit range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "views/NearPoints.h"

namespace korvel::test {
namespace {

struct ScanCase {
    const char* name;
    int32_t count;
    NearLimits limits;
    int32_t spread;  // coordinates drawn within +-spread of the limits, and the range's ends
};

const ScanCase kCases[] = {
    {"empty", 0, {-100, 100, 100, -100}, 300},
    {"fewer than one step", 3, {-100, 100, 100, -100}, 300},
    {"one step and a bit", 17, {-100, 100, 100, -100}, 300},
    {"many", 1001, {-5000, 5000, 4000, -4000}, 20000},
    {"at capacity", 32768, {0, 2000, 3000, 1000}, 6000},
    {"edges at the range's ends", 515, {INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN}, 0},
    {"a window one unit wide", 260, {7, 7, -3, -3}, 4},
    {"a window turned inside out", 260, {50, -50, -50, 50}, 100},
    {"a window past the top end", 260, {INT32_MAX - 10, INT32_MAX, INT32_MAX, INT32_MAX - 3}, 20},
};

int32_t coordinate(std::mt19937& rng, int32_t low, int32_t high, int32_t spread) {
    switch (rng() % 8) {
        case 0: return INT32_MIN;
        case 1: return INT32_MAX;
        case 2: return low;
        case 3: return high;
        default: {
            const int64_t from = int64_t(std::min(low, high)) - spread;
            const int64_t to = int64_t(std::max(low, high)) + spread;
            const int64_t v = from + int64_t(rng() % uint64_t(to - from + 1));
            return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
        }
    }
}

// What a point's sides are, from the limits as written.
uint8_t sidesByDefinition(int32_t x, int32_t y, const NearLimits& l) {
    return uint8_t((x < l.left ? 1 : 0) | (x > l.right ? 2 : 0) | (y > l.below ? 4 : 0) |
                   (y < l.above ? 8 : 0));
}

class NearPointsTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(NearPointsTest, FourAtATimeFindsWhatOneAtATimeFinds) {
    const ScanCase& c = GetParam();
    std::mt19937 rng(uint32_t(c.count) * 7919u + 3u);
    const NearLimits& l = c.limits;
    std::vector<WallRecord> walls(size_t(c.count) + 1);
    std::vector<SpriteRecord> sprites(size_t(c.count) + 1);
    for (int32_t i = 0; i < c.count; ++i) {
        WallRecord& w = walls[size_t(i)];
        w.x = coordinate(rng, l.left, l.right, c.spread);
        w.y = coordinate(rng, l.above, l.below, c.spread);
        // Mostly rings of eight, some links out of range or far away.
        const uint32_t kind = rng() % 10;
        w.point2 = int16_t(kind == 0   ? -1 - int32_t(rng() % 40000)
                           : kind == 1 ? int32_t(rng() % 32768)
                           : i % 8 == 7 ? i - 7
                                        : i + 1);
        w.nextwall = int16_t(rng());  // shares four bytes with point2
        SpriteRecord& sp = sprites[size_t(i)];
        sp.x = coordinate(rng, l.left, l.right, c.spread);
        sp.y = coordinate(rng, l.above, l.below, c.spread);
    }

    const size_t room = size_t(c.count) + 16;
    std::vector<uint8_t> sides(room, 0xEE), sidesPlain(room, 0xEE);
    std::vector<uint16_t> ends(room, 0xEEEE), endsPlain(room, 0xEEEE);
    placeWallPoints(walls.data(), c.count, l, sides.data(), ends.data());
    placeWallPointsPlain(walls.data(), c.count, l, sidesPlain.data(), endsPlain.data());
    EXPECT_EQ(sides, sidesPlain);
    EXPECT_EQ(ends, endsPlain);
    for (int32_t i = 0; i < c.count; ++i) {
        const WallRecord& w = walls[size_t(i)];
        ASSERT_EQ(sides[size_t(i)], sidesByDefinition(w.x, w.y, l)) << "wall " << i;
        ASSERT_EQ(ends[size_t(i)], std::clamp<int32_t>(w.point2, 0, c.count - 1)) << "wall " << i;
    }

    std::vector<int32_t> near(room, -5), nearPlain(room, -5);
    const int32_t found = listNearWalls(sides.data(), ends.data(), c.count, near.data());
    ASSERT_EQ(found, listNearWallsPlain(sides.data(), ends.data(), c.count, nearPlain.data()));
    near.resize(size_t(found));
    nearPlain.resize(size_t(found));
    EXPECT_EQ(near, nearPlain);
    std::vector<int32_t> expected;
    for (int32_t i = 0; i < c.count; ++i)
        if ((sides[size_t(i)] & sides[ends[size_t(i)]]) == 0) expected.push_back(i);
    EXPECT_EQ(near, expected);

    std::vector<int32_t> inside(room, -5), insidePlain(room, -5);
    const int32_t in = listSpritesInside(sprites.data(), c.count, l, inside.data());
    ASSERT_EQ(in, listSpritesInsidePlain(sprites.data(), c.count, l, insidePlain.data()));
    inside.resize(size_t(in));
    insidePlain.resize(size_t(in));
    EXPECT_EQ(inside, insidePlain);
    expected.clear();
    for (int32_t i = 0; i < c.count; ++i)
        if (sidesByDefinition(sprites[size_t(i)].x, sprites[size_t(i)].y, l) == 0)
            expected.push_back(i);
    EXPECT_EQ(inside, expected);
}

INSTANTIATE_TEST_SUITE_P(Scans, NearPointsTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

}  // namespace
}  // namespace korvel::test
