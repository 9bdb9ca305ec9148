#include "geometry/SectorDeletion.h"

#include <gtest/gtest.h>

#include "support/GridMaps.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using SectorDeletionTest = MapTest;

TEST_F(SectorDeletionTest, DeletingTheLastSectorUnlinksItsNeighbours) {
    build.addGrid(0, 0, 3, 1, 100);
    build.link();
    ASSERT_EQ(map.walls[5].nextwall, 11);
    ASSERT_TRUE(deleteSector(map, m.events, 2));
    EXPECT_EQ(map.sectorCount, 2);
    EXPECT_EQ(map.wallCount, 8);
    EXPECT_EQ(map.sectors[0].wallptr, 0);
    EXPECT_EQ(map.sectors[1].wallptr, 4);
    EXPECT_EQ(map.walls[5].nextwall, -1);
    EXPECT_EQ(map.walls[5].nextsector, -1);
    EXPECT_EQ(map.walls[1].nextwall, 7);
    EXPECT_EQ(m.events.renumberings, 1);
    // Only a command's snapshot offers undo.
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    expectValid();
}

TEST_F(SectorDeletionTest, SpritesOfADeletedSectorAreKeptOrDeleted) {
    for (bool keep : {true, false}) {
        MapModel one;
        MapBuilder b(one.map);
        b.addRoom(0, 0, 100, 100);
        b.addRoom(50, 0, 150, 100);  // overlaps sector 0 from x = 50
        b.addRoom(300, 0, 400, 100);
        b.addSprite(75, 50, -10, 0);   // in sector 0 and in sector 1
        b.addSprite(20, 50, -10, 0);   // in sector 0 only
        b.addSprite(350, 50, -10, 2);  // in sector 2, which becomes 1
        one.map.spriteSelected[1] = 1;
        one.map.selectedSpriteCount = 1;
        b.link();
        if (keep) {
            ASSERT_TRUE(deleteSectorWos(one.map, one.events, 0));
            EXPECT_EQ(one.map.spriteCount, 3);
            EXPECT_EQ(one.map.sprites[0].sectnum, 0);  // found again: the old sector 1
            EXPECT_EQ(one.map.sprites[1].sectnum, 0);  // in no sector: sector 0
            EXPECT_EQ(one.map.sprites[2].sectnum, 1);
        } else {
            ASSERT_TRUE(deleteSector(one.map, one.events, 0));
            EXPECT_EQ(one.map.spriteCount, 1);
            EXPECT_EQ(one.map.sprites[0].sectnum, 1);
            EXPECT_EQ(one.map.selectedSpriteCount, 0);
        }
        EXPECT_EQ(describeViolations(checkMapInvariants(one.map)), "");
    }
}

TEST_F(SectorDeletionTest, NumbersOutsideTheSectorsAreIgnored) {
    build.addRoom(0, 0, 100, 100);
    const MapStore before = map;
    for (int32_t s : {-1, 1, 5000}) {
        EXPECT_FALSE(deleteSector(map, m.events, s));
        EXPECT_FALSE(deleteSectorWos(map, m.events, s));
    }
    EXPECT_EQ(snapshotDifference(before, map), "");
}

TEST_F(SectorDeletionTest, EverySelectionFlagOfTheDeletedWallsIsCountedOff) {
    build.addGrid(0, 0, 3, 1, 100);
    build.link();
    for (int32_t w : {4, 6}) map.wallSelected[w] = 1;
    for (int32_t w : {5, 7, 9}) map.vertexSelected[w] = 1;
    map.wallIgnored[9] = 2;
    map.selectedWallCount = 2;
    map.selectedVertexCount = 3;
    ASSERT_TRUE(deleteSectorWos(map, m.events, 1));
    EXPECT_EQ(map.selectedWallCount, 0);
    EXPECT_EQ(map.selectedVertexCount, 1);
    EXPECT_EQ(map.vertexSelected[5], 1);  // wall 9 moved down to 5 with its flags
    EXPECT_EQ(map.wallIgnored[5], 2);
    expectValid();
}

TEST_F(SectorDeletionTest, ADamagedWallRangeIsTakenFromTheNeighbours) {
    build.addGrid(0, 0, 3, 1, 100);
    build.link();
    map.sectors[1].wallptr = -300;
    map.sectors[1].wallnum = 9000;
    ASSERT_TRUE(deleteSectorWos(map, m.events, 1));
    EXPECT_EQ(map.wallCount, 8);
    EXPECT_EQ(map.sectors[1].wallptr, 4);
    EXPECT_EQ(map.walls[4].x, 200);
    expectValid();
}

TEST_F(SectorDeletionTest, DeletingLoops) {
    build.addRoom(0, 0, 300, 300);
    build.addRectHole(100, 100, 200, 200);
    build.addRoom(100, 100, 200, 200);  // the island that fills the hole
    build.addRoom(500, 0, 600, 100);
    build.addSprite(500 + 50, 50, 0, 2);
    build.link();
    map.wallSelected[5] = 1;
    map.vertexSelected[6] = map.vertexSelected[8] = 1;
    map.selectedWallCount = 1;
    map.selectedVertexCount = 2;
    map.selectedLoopCount = 1;
    map.wallIgnored[8] = 1;
    // A hole: the sector stays, the island's walls lose their twins.
    EXPECT_EQ(deleteLoop(map, m.events, 6), LoopDeletion::Loop);
    EXPECT_EQ(map.sectorCount, 3);
    EXPECT_EQ(map.sectors[0].wallnum, 4);
    EXPECT_EQ(map.sectors[1].wallptr, 4);
    EXPECT_EQ(map.walls[4].nextwall, -1);
    EXPECT_EQ(map.selectedWallCount, 0);
    EXPECT_EQ(map.selectedVertexCount, 1);
    EXPECT_EQ(map.vertexSelected[4], 1);
    EXPECT_EQ(map.wallIgnored[4], 1);
    EXPECT_EQ(map.selectedLoopCount, 0);
    ASSERT_EQ(m.events.sparks.size(), 4u) << "sparks along each wall of the hole";
    EXPECT_EQ(m.events.sparks[0].kind, Sparks::Kind::AlongWall);
    expectValid();
    // The only loop: the sector goes, its sprite stays.
    EXPECT_EQ(deleteLoop(map, m.events, 9), LoopDeletion::Sector);
    EXPECT_EQ(map.sectorCount, 2);
    EXPECT_EQ(map.spriteCount, 1);
    EXPECT_EQ(map.sprites[0].sectnum, 0);
    expectValid();
}

TEST_F(SectorDeletionTest, ALoopThatIsNotOneRunIsRefused) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(200, 0, 300, 100);
    map.walls[1].point2 = 3;  // 0 -> 1 -> 3 -> 0: closed, but wall 2 is left out
    const MapStore before = map;
    EXPECT_EQ(deleteLoop(map, m.events, 0), LoopDeletion::Refused);
    EXPECT_EQ(snapshotDifference(before, map), "");
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{kMsgDamagedMap});
}

TEST_F(SectorDeletionTest, MovingSectorZeroToTheEnd) {
    build.addGrid(0, 0, 4, 1, 100);
    build.addSprite(50, 50, 0, 0);
    build.addSprite(150, 50, 0, 1);
    build.addSprite(350, 50, 0, 3);
    build.link();
    map.sectorSelected[0] = map.wallSelected[1] = 1;
    map.selectedSectorCount = map.selectedWallCount = 1;
    map.startSector = 0;
    ASSERT_TRUE(moveSectorSp(map, m.events, 0, 3));
    EXPECT_EQ(map.sectors[3].wallptr, 12);
    EXPECT_EQ(map.walls[12].x, 0);
    EXPECT_EQ(map.walls[0].x, 100);
    EXPECT_EQ(map.sectorSelected[3], 1);
    EXPECT_EQ(map.wallSelected[13], 1);
    EXPECT_EQ(map.sprites[0].sectnum, 3);
    EXPECT_EQ(map.sprites[1].sectnum, 0);
    EXPECT_EQ(map.sprites[2].sectnum, 2);
    EXPECT_EQ(map.walls[13].nextsector, 0);  // faces the old sector 1
    EXPECT_EQ(map.walls[3].nextsector, 3);   // the old sector 1 faces the moved one
    EXPECT_EQ(map.startSector, 3);
    expectValid();
    ASSERT_TRUE(moveSectorSp(map, m.events, 3, 0));
    EXPECT_EQ(map.walls[0].x, 0);
    EXPECT_EQ(map.sprites[0].sectnum, 0);
    expectValid();
}

TEST_F(SectorDeletionTest, SetFirstWallRotatesTheLoopAndRebuildsTheLinks) {
    build.addRoom(0, 0, 300, 300);
    build.addRectHole(100, 100, 200, 200);
    build.addRoom(100, 100, 200, 200);
    build.addRoom(300, 0, 400, 300);
    build.link();
    map.wallSelected[2] = 1;
    map.selectedWallCount = 1;
    ASSERT_TRUE(setSectorFirstWall(map, m.events, 0, 2));
    const IntPoint want[8] = {{300, 300}, {0, 300},   {0, 0},     {300, 0},
                              {100, 200}, {200, 200}, {200, 100}, {100, 100}};
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(map.walls[i].x, want[i].x) << i;
        EXPECT_EQ(map.walls[i].y, want[i].y) << i;
    }
    EXPECT_EQ(map.wallSelected[0], 1);
    EXPECT_EQ(map.walls[3].nextwall, 15);  // (300,0)->(300,300) against the room on the right
    EXPECT_EQ(map.walls[4].nextwall, 10);
    expectValid();
    // A hole's wall first: that loop leads, the outer loop follows it.
    ASSERT_TRUE(setSectorFirstWall(map, m.events, 0, 5));
    EXPECT_EQ(map.walls[0].x, 200);
    EXPECT_EQ(map.walls[0].y, 200);
    EXPECT_EQ(map.walls[4].x, 300);
    expectValid();
}

TEST_F(SectorDeletionTest, MakeSelectedWallsFirstReportsProgress) {
    build.addGrid(0, 0, 2, 1, 100);
    build.link();
    map.wallSelected[2] = map.wallSelected[7] = 1;
    map.selectedWallCount = 2;
    makeSelectedWallsFirst(map, m.events);
    EXPECT_EQ(m.events.progressTotal, 2);
    EXPECT_EQ(m.events.progressSteps, 2);
    EXPECT_FALSE(m.events.progressOpen) << "the bar is put away at the end";
    EXPECT_EQ(map.walls[0].x, 100);
    EXPECT_EQ(map.walls[0].y, 100);
    EXPECT_EQ(map.walls[4].x, 100);
    EXPECT_EQ(map.walls[4].y, 100);
    expectValid();
}

TEST_F(SectorDeletionTest, ReorderingAtFullCapacityStaysInTheArrays) {
    buildSplitRoomGrid(map, 64, 64, 4);
    ASSERT_TRUE(moveSectorSp(map, m.events, 0, kMaxSectors - 1));
    ASSERT_TRUE(moveSectorSp(map, m.events, kMaxSectors - 1, 0));
    ASSERT_TRUE(setSectorFirstWall(map, m.events, kMaxSectors - 1, kMaxWalls - 3));
    EXPECT_EQ(map.wallCount, kMaxWalls);
    expectValid();
}

}  // namespace
}  // namespace korvel::test
