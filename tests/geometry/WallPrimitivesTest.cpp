#include "geometry/WallPrimitives.h"

#include <gtest/gtest.h>

#include "support/GridMaps.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using WallPrimitivesTest = MapTest;

// Two rooms side by side sharing the wall x = 100 (walls 1 and 7), and a third room apart.
void twoRoomsAndOne(MapBuilder& b) {
    b.addRoom(0, 0, 100, 100);    // walls 0..3; wall 1 runs (100,0) -> (100,100)
    b.addRoom(100, 0, 200, 100);  // walls 4..7; wall 7 runs (100,100) -> (100,0)
    b.addRoom(500, 0, 600, 100);  // walls 8..11
    b.link();
}

TEST_F(WallPrimitivesTest, InsertVertexIntoAOneSidedWall) {
    twoRoomsAndOne(build);
    map.walls[0].picnum = 77;
    map.walls[0].cstat = 5;
    map.wallSelected[0] = 1;
    map.selectedWallCount = 1;
    ASSERT_TRUE(insertVertex(map, m.events, 0, 50, 0, false));
    EXPECT_EQ(map.sectors[0].wallnum, 5);
    EXPECT_EQ(map.sectors[1].wallptr, 5);
    EXPECT_EQ(map.sectors[2].wallptr, 9);
    EXPECT_EQ(map.walls[0].point2, 1);
    EXPECT_EQ(map.walls[1].x, 50);
    EXPECT_EQ(map.walls[1].picnum, 77);
    EXPECT_EQ(map.walls[1].cstat, 5);
    EXPECT_EQ(map.walls[1].point2, 2);
    EXPECT_EQ(map.wallSelected[1], 0);  // the new wall is not selected; the count stays right
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified) << "the edit's business";
    // The shared wall moved up by one and is still linked both ways.
    EXPECT_EQ(map.walls[2].nextwall, 8);
    EXPECT_EQ(map.walls[8].nextwall, 2);
    expectValid();
}

TEST_F(WallPrimitivesTest, InsertVertexIntoASharedWallSplitsAndRelinksBothSides) {
    twoRoomsAndOne(build);
    for (int32_t w : {1, 7}) {
        MapModel fresh;
        MapBuilder b(fresh.map);
        twoRoomsAndOne(b);
        ASSERT_TRUE(insertVertex(fresh.map, fresh.events, w, 100, 40, true));
        const MapStore& r = fresh.map;
        EXPECT_EQ(r.wallCount, 14);
        // Sector 0: walls 1 (100,0)->(100,40) and 2 (100,40)->(100,100); sector 1 (walls 5..9):
        // 8 (100,100)->(100,40) and 9 (100,40)->(100,0).
        EXPECT_EQ(r.walls[2].x, 100);
        EXPECT_EQ(r.walls[2].y, 40);
        EXPECT_EQ(r.walls[9].y, 40);
        EXPECT_EQ(r.walls[1].nextwall, 9);
        EXPECT_EQ(r.walls[2].nextwall, 8);
        EXPECT_EQ(r.walls[8].nextwall, 2);
        EXPECT_EQ(r.walls[9].nextwall, 1);
        EXPECT_EQ(r.walls[1].xrepeat, 0);  // squared: 40 units long
        EXPECT_EQ(describeViolations(checkMapInvariants(r)), "") << "wall " << w;
    }
}

TEST_F(WallPrimitivesTest, InsertWallAfterCutsTheFormerTwinLoose) {
    twoRoomsAndOne(build);
    ASSERT_TRUE(insertWallAfter(map, m.events, 1, 100, 30));
    EXPECT_EQ(map.walls[1].nextwall, -1);
    EXPECT_EQ(map.walls[2].nextwall, -1);
    EXPECT_EQ(map.walls[8].nextwall, -1);  // the old twin no longer names a wall that is gone
    EXPECT_EQ(map.walls[8].nextsector, -1);
    expectValid();
}

TEST_F(WallPrimitivesTest, InsertingAtAnEndPointChangesNothing) {
    twoRoomsAndOne(build);
    const MapStore before = map;
    EXPECT_FALSE(insertVertex(map, m.events, 1, 100, 0, false));
    EXPECT_FALSE(insertVertex(map, m.events, 1, 100, 100, false));
    EXPECT_EQ(snapshotDifference(before, map), "");
}

TEST_F(WallPrimitivesTest, DeleteWallSngRemovesDegenerateSectors) {
    // A triangle keeps two walls: it goes with its sprites.
    build.addSector({{0, 0}, {100, 0}, {0, 100}});
    build.addRoom(200, 0, 300, 100);
    build.addSprite(20, 20, 0, 0);
    build.addSprite(250, 50, 0, 1);
    build.link();
    ASSERT_TRUE(deleteWallSng(map, m.events, 1));
    EXPECT_EQ(map.sectorCount, 1);
    EXPECT_EQ(map.spriteCount, 1);
    EXPECT_EQ(map.sprites[0].sectnum, 0);
    EXPECT_EQ(map.sectors[0].wallptr, 0);
    expectValid();

    // A sector that already has two walls goes, and keeps its sprites, found again by position.
    MapModel two;
    MapBuilder b(two.map);
    b.addRoom(0, 0, 400, 400);
    b.addSector({{100, 100}, {200, 200}});
    b.addSprite(150, 150, 0, 1);
    b.link();
    ASSERT_TRUE(deleteWallSng(two.map, two.events, 5));
    EXPECT_EQ(two.map.sectorCount, 1);
    EXPECT_EQ(two.map.spriteCount, 1);
    EXPECT_EQ(two.map.sprites[0].sectnum, 0);
    EXPECT_EQ(describeViolations(checkMapInvariants(two.map)), "");
}

TEST_F(WallPrimitivesTest, DeleteWallSngClosesTheLoopOverTheGap) {
    build.addSector({{0, 0}, {100, 0}, {150, 50}, {100, 100}, {0, 100}});
    build.addRoom(500, 0, 600, 100);
    build.link();
    map.wallSelected[4] = map.vertexSelected[4] = 1;
    map.selectedWallCount = map.selectedVertexCount = 1;
    ASSERT_TRUE(deleteWallSng(map, m.events, 4));  // the last wall of the loop
    EXPECT_EQ(map.walls[3].point2, 0);
    EXPECT_EQ(map.sectors[1].wallptr, 4);
    EXPECT_EQ(map.selectedWallCount, 0);
    EXPECT_EQ(map.selectedVertexCount, 0);
    EXPECT_EQ(m.events.renumberings, 1);
    EXPECT_EQ(m.events.sparks, (std::vector<Sparks>{{Sparks::Kind::AtPoint, 0, 100}}));
    expectValid();
}

TEST_F(WallPrimitivesTest, DeleteWallSngCutsTheLinkOfTheWallThatNowEndsElsewhere) {
    // Deleting wall 2 of sector 0 stretches wall 1 to wall 2's end; wall 1's former twin no
    // longer runs between its points and is let go on both sides.
    build.addSector({{0, 0}, {100, 0}, {100, 50}, {100, 100}, {0, 100}});
    build.addSector({{100, 0}, {200, 0}, {200, 100}, {100, 100}, {100, 50}});
    build.link();
    ASSERT_EQ(map.walls[1].nextwall, 9);
    ASSERT_TRUE(deleteWallSng(map, m.events, 2));
    EXPECT_EQ(map.walls[1].nextwall, -1);
    EXPECT_EQ(map.walls[8].nextwall, -1);
    expectValid();
}

TEST_F(WallPrimitivesTest, DeleteWallMergesBothSidesAtTheRoundedMidpoint) {
    build.addRoom(0, 0, 101, 101);
    build.addRoom(101, 0, 200, 101);
    build.addRoom(101, 101, 200, 200);  // shares the vertex (101, 101)
    build.link();
    ASSERT_TRUE(deleteWall(map, m.events, 1, false));  // (101,0) -> (101,101)
    EXPECT_EQ(map.wallCount, 10);
    EXPECT_EQ(map.sectors[0].wallnum, 3);
    EXPECT_EQ(map.sectors[1].wallnum, 3);
    EXPECT_EQ(map.walls[1].x, 101);
    EXPECT_EQ(map.walls[1].y, 50);
    // The third room's corner moved with the shared vertex.
    EXPECT_EQ(map.walls[6].x, 101);
    EXPECT_EQ(map.walls[6].y, 50);
    EXPECT_EQ(map.movedWallCount, 0);
    expectValid();
}

TEST_F(WallPrimitivesTest, DeleteVertexRelinksTheWallsThatEndedThere) {
    build.addSector({{0, 0}, {100, 0}, {100, 50}, {100, 100}, {0, 100}});
    build.addSector({{100, 0}, {200, 0}, {200, 100}, {100, 100}, {100, 50}});
    build.link();
    ASSERT_TRUE(deleteVertex(map, m.events, 2));  // (100, 50), on both sides
    EXPECT_EQ(map.wallCount, 8);
    EXPECT_EQ(map.walls[1].nextwall, 7);
    EXPECT_EQ(map.walls[7].nextwall, 1);
    EXPECT_EQ(map.movedWallCount, 0);
    expectValid();
}

TEST_F(WallPrimitivesTest, DragListFollowsWallDeletions) {
    build.addGrid(0, 0, 3, 1, 100);
    build.link();
    struct Case {
        int32_t deleted;
        std::vector<int16_t> want;
    } cases[] = {{5, {8}}, {7, {5, 8}}};
    for (const auto& c : cases) {
        MapModel one;
        MapBuilder b(one.map);
        b.addGrid(0, 0, 3, 1, 100);
        one.map.movedWallCount = 2;
        one.map.wallMoveState[0] = 5;
        one.map.wallMoveState[1] = 9;
        ASSERT_TRUE(deleteWallSng(one.map, one.events, c.deleted));
        std::vector<int16_t> list(one.map.wallMoveState.begin(),
                                  one.map.wallMoveState.begin() + one.map.movedWallCount);
        EXPECT_EQ(list, c.want) << "deleting " << c.deleted;
    }
}

TEST_F(WallPrimitivesTest, FullWallArrayRefusesEveryInsertUnchanged) {
    buildSplitRoomGrid(map, 64, 64, 0);
    ASSERT_EQ(map.wallCount, kMaxWalls);
    const MapStore before = map;
    EXPECT_FALSE(insertWallAfter(map, m.events, 0, 10, 0));
    EXPECT_FALSE(insertVertex(map, m.events, 0, 100, 0, true));
    EXPECT_EQ(snapshotDifference(before, map), "");
    EXPECT_EQ(m.events.statusNumbers(),
              (std::vector<int32_t>{kMsgNoRoomForWalls, kMsgNoRoomForWalls}));
}

TEST_F(WallPrimitivesTest, ASharedWallNeedsTwoFreeSlots) {
    buildSplitRoomGrid(map, 63, 65, 0);  // 4095 rooms, 32760 walls
    build.addSector(
        {{0, -900}, {100, -900}, {200, -850}, {200, -800}, {100, -750}, {0, -750}, {-50, -800}});
    ASSERT_EQ(map.wallCount, kMaxWalls - 1);
    const MapStore before = map;
    ASSERT_GE(map.walls[2].nextwall, 0);
    EXPECT_FALSE(insertVertex(map, m.events, 2, 512, 100, false));
    EXPECT_EQ(snapshotDifference(before, map), "");
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{kMsgNoRoomForWalls});
    // A one-sided wall needs one, and gets it.
    EXPECT_TRUE(insertVertex(map, m.events, 0, 100, 0, false));
    EXPECT_EQ(map.wallCount, kMaxWalls);
}

}  // namespace
}  // namespace korvel::test
