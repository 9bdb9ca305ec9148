#include "map/LoopOrientation.h"

#include <gtest/gtest.h>

#include "support/MapBuilder.h"

namespace korvel::test {
namespace {

TEST(LoopOrientation, OuterLoopsAndHolesTurnOppositeWays) {
    MapStore map;
    MapBuilder b(map);
    b.addRoom(0, 0, 300, 300);
    b.addRectHole(100, 100, 200, 200);
    b.link();
    for (int32_t w = 0; w < 4; ++w) EXPECT_FALSE(isWallLoopClockwise(map, w)) << w;
    for (int32_t w = 4; w < 8; ++w) EXPECT_TRUE(isWallLoopClockwise(map, w)) << w;
    // A ring that never returns is walked for at most the sector's wall count.
    map.walls[3].point2 = 1;
    (void)isWallLoopClockwise(map, 0);
    map.sectors[0].wallnum = -3;
    EXPECT_FALSE(isWallLoopClockwise(map, 0));
    EXPECT_FALSE(isWallLoopClockwise(MapStore{}, 0));
}

}  // namespace
}  // namespace korvel::test
