#include "map/MapStore.h"

#include <gtest/gtest.h>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using MapStoreTest = MapTest;

TEST_F(MapStoreTest, ClampsIndicesIntoTheArrays) {
    build.addGrid(0, 0, 2, 1, 100);
    build.addSector({{0, 300}, {10, 300}});  // 10 walls in all
    ASSERT_EQ(map.wallCount, 10);
    struct Case {
        int32_t index, wall, sector;
    } cases[] = {{-5, 0, 0}, {40000, 9, 2}, {4, 4, 2}, {1, 1, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(clampWall(map, c.index), c.wall) << c.index;
        EXPECT_EQ(clampSector(map, c.index), c.sector) << c.index;
    }
    EXPECT_EQ(clampTile(-1), 0);
    EXPECT_EQ(clampTile(15360), 15359);
    EXPECT_EQ(clampTile(77), 77);

    MapStore empty;
    for (int32_t v : {-5, 0, 7, 40000}) {
        EXPECT_EQ(clampWall(empty, v), 0);
        EXPECT_EQ(clampSector(empty, v), 0);
    }
}

TEST_F(MapStoreTest, WallSectorTableComesFromTheClampedRanges) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(100, 0, 200, 100);
    updateWallSectnums(map);
    map.wallSector.fill(7);
    // An empty sector claims nothing unless its range starts at wall 0, whose clamped first and
    // last are both 0.
    map.sectors[1].wallptr = 6;
    map.sectors[1].wallnum = 0;
    updateWallSectnums(map);
    EXPECT_EQ(map.wallSector[0], 0);
    EXPECT_EQ(map.wallSector[3], 0);
    EXPECT_EQ(map.wallSector[4], 7);  // no range covers it: kept
    map.sectors[0].wallnum = 0;
    map.wallSector.fill(7);
    updateWallSectnums(map);
    EXPECT_EQ(map.wallSector[0], 0);
    EXPECT_EQ(map.wallSector[1], 7);

    // A range running off the array is clamped, not followed.
    map.sectors[0].wallptr = -20;
    map.sectors[0].wallnum = 30000;
    updateWallSectnums(map);
    for (int32_t w = 0; w < map.wallCount; ++w) EXPECT_EQ(map.wallSector[w], 0);
}

TEST_F(MapStoreTest, MostUsedSpriteTileIsTheFirstToReachTheTopCount) {
    struct Case {
        std::vector<int16_t> tiles;
        int32_t want;
    } cases[] = {{{5, 7, 7, 5}, 7}, {{9, 3}, 9}, {{-4, 20000, 6}, 6}, {{}, 1234}};
    for (const auto& c : cases) {
        MapStore one;
        one.mostUsedSpriteTile = 1234;
        MapBuilder b(one);
        for (int16_t t : c.tiles) b.addSprite(0, 0, 0, -1, t);
        countSpriteTiles(one);
        EXPECT_EQ(one.mostUsedSpriteTile, c.want);
    }
}

TEST_F(MapStoreTest, ResetMapMakesAnEmptyMap) {
    build.addGrid(0, 0, 3, 1, 100);
    build.addSprite(50, 50, 0, 0);
    build.link();
    map.sectorSelected[1] = 1;
    map.selectedSectorCount = 1;
    map.wallIgnored[2] = 2;
    map.startX = 5;
    map.mapModified = MapModifiedState::Modified;
    map.undoState = UndoState::Snapshot;

    resetMap(map, m.events);

    EXPECT_EQ(map.sectorCount + map.wallCount + map.spriteCount, 0);
    EXPECT_EQ(map.selectedSectorCount, 0);
    EXPECT_EQ(map.sectorSelected[1], 0);
    EXPECT_EQ(map.wallIgnored[2], 0);
    EXPECT_EQ(map.startX, 0);
    EXPECT_EQ(map.walls[0].x, 0);
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    EXPECT_EQ(map.booleanTargetSector, -2);
    EXPECT_EQ(m.events.newMaps, 1);
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{605});
}

TEST_F(MapStoreTest, ResetMapStateZeroesEverythingAboveTheCounts) {
    build.addGrid(0, 0, 4, 1, 100);
    build.addSprite(50, 50, 0, 0);
    build.addSprite(150, 50, 0, 1);
    build.link();
    map.sectorSelected[3] = map.wallSelected[15] = map.spriteSelected[1] = 1;
    // A load of a smaller map leaves the old records above the new counts.
    map.sectorCount = 2;
    map.wallCount = 8;
    map.spriteCount = 1;
    resetMapState(map);
    SectorRecord zeroSector{};
    WallRecord zeroWall{};
    SpriteRecord zeroSprite{};
    EXPECT_EQ(std::memcmp(&map.sectors[2], &zeroSector, sizeof zeroSector), 0);
    EXPECT_EQ(std::memcmp(&map.walls[8], &zeroWall, sizeof zeroWall), 0);
    EXPECT_EQ(std::memcmp(&map.sprites[1], &zeroSprite, sizeof zeroSprite), 0);
    EXPECT_NE(map.walls[7].x, 0);
    EXPECT_EQ(map.sectorSelected[3] + map.wallSelected[15] + map.spriteSelected[1], 0);
}

}  // namespace
}  // namespace korvel::test
