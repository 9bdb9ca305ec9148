#include "geometry/WallMarks.h"

#include <gtest/gtest.h>

#include <map>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using WallMarksTest = MapTest;

std::map<int32_t, int16_t> marks(const MapStore& map) {
    std::map<int32_t, int16_t> out;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.wallMoveState[w]) out[w] = map.wallMoveState[w];
    return out;
}

TEST_F(WallMarksTest, AVertexSharedByFourSectorsMarksItsEightWalls) {
    build.addGrid(0, 0, 2, 2, 100);  // the rooms meet at (100, 100)
    build.link();
    // Walls starting at (100,100): 2 (room 0), 7 (room 1), 12 (room 3), 13... per room order.
    std::map<int32_t, int16_t> want;
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const WallRecord& a = map.walls[w];
        const WallRecord& e = map.walls[a.point2];
        int16_t mark = 0;
        if (a.x == 100 && a.y == 100) mark |= 1;
        if (e.x == 100 && e.y == 100) mark |= 2;
        if (mark) want[w] = mark;
    }
    ASSERT_EQ(want.size(), 8u);
    for (int32_t start = 0; start < map.wallCount; ++start) {
        if (map.walls[start].x != 100 || map.walls[start].y != 100) continue;
        findMovWalls(map, start);
        EXPECT_EQ(map.movedWallCount, kAllWallsMarked);
        EXPECT_EQ(marks(map), want) << "from wall " << start;
    }
}

TEST_F(WallMarksTest, AVertexOnTheOuterEdgeIsFoundFromBothSides) {
    build.addGrid(0, 0, 2, 1, 100);  // (100, 0) is on the outer edge of both rooms
    build.link();
    findMovWalls(map, 1);  // room 0: (100,0) -> (100,100)
    const std::map<int32_t, int16_t> want{{0, 2}, {1, 1}, {4, 1}, {7, 2}};
    EXPECT_EQ(marks(map), want);
}

TEST_F(WallMarksTest, SelectedVerticesAtBothEndsMarkAWallBothPoints) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(300, 0, 400, 100);
    build.link();
    map.vertexSelected[0] = map.vertexSelected[1] = 1;
    map.selectedVertexCount = 2;
    findMovingWallsByVertices(map);
    const std::map<int32_t, int16_t> want{{0, 3}, {1, 1}, {3, 2}};
    EXPECT_EQ(marks(map), want);
}

TEST_F(WallMarksTest, DamagedLinksStopTheTurn) {
    build.addGrid(0, 0, 2, 2, 100);
    build.link();
    map.walls[2].nextwall = 9999;
    ASSERT_GE(map.walls[1].nextwall, 0);
    map.walls[map.walls[1].nextwall].point2 = -4;
    for (int32_t w = 0; w < map.wallCount; ++w) findMovWalls(map, w);
    findMovWalls(map, -1);
    EXPECT_TRUE(marks(map).empty());
}

}  // namespace
}  // namespace korvel::test
