#include "geometry/SkyAndSpriteTools.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using SkyAndSpriteToolsTest = MapTest;

TEST_F(SkyAndSpriteToolsTest, AlignSpriteLooksThroughOpeningsThatHoldTheSprite) {
    struct Case {
        int32_t neighbourFloor;
        int32_t expectX;  // where the wall behind lies
    } cases[] = {{0, -1000}, {-8192, 0}};
    for (const Case& c : cases) {
        clearMapRecords(map);
        resetMapState(map);
        build.addRoom(0, 0, 1000, 1000);
        build.addRoom(-1000, 0, 0, 1000);
        build.link();
        map.sectors[1].floorz = c.neighbourFloor;
        const int32_t s = build.addSprite(500, 400, -100, 0);
        map.sprites[s].ang = 0;  // facing +x: the wall behind lies towards -x
        map.sprites[s].cstat = kSpriteFloorAligned;
        const int32_t w = alignSprite(map, s);
        ASSERT_GE(w, 0) << c.neighbourFloor;
        const WallRecord& wall = map.walls[w];
        const WallRecord& end = map.walls[wall.point2];
        EXPECT_EQ(wall.x, c.expectX);
        EXPECT_EQ(end.x, c.expectX);
        const SpriteRecord& sp = map.sprites[s];
        EXPECT_NEAR(sp.x, c.expectX, 1) << c.neighbourFloor;
        EXPECT_NEAR(sp.y, 400, 1) << c.neighbourFloor;
        const int32_t direction = (end.y < wall.y) ? 1536 : 512;
        EXPECT_LE(std::abs(sp.ang - direction), 1);
        EXPECT_EQ(sp.cstat, kSpriteWallAligned);
        EXPECT_EQ(sp.sectnum, c.expectX < 0 ? 1 : 0);
        // The undo step and the modified mark belong to the command's edit bracket.
        EXPECT_EQ(map.undoState, UndoState::Nothing);
    }
}

TEST_F(SkyAndSpriteToolsTest, AlignSpriteWithNothingBehindLeavesItAlone) {
    build.addRoom(0, 0, 1000, 1000);
    const int32_t s = build.addSprite(2000, 400, 0, -1);  // outside, back to empty space
    map.sprites[s].ang = 1024;
    const SpriteRecord before = map.sprites[s];
    EXPECT_EQ(alignSprite(map, s), -1);
    EXPECT_EQ(std::memcmp(&before, &map.sprites[s], sizeof before), 0);
    EXPECT_EQ(alignSprite(map, 7), -1);
}

TEST_F(SkyAndSpriteToolsTest, OffsetsChangeOnlyOnSelectedShownSpritesWithAValidTile) {
    std::vector<int32_t> anims(kTileCount, 0);
    anims[10] = (5 << 8) | (0xF0 << 16);  // x offset 5, y offset -16
    const int16_t pics[] = {10, 10, 10, -3, 32000};
    for (int16_t pic : pics) {
        const int32_t k = build.addSprite(0, 0, 0, -1, pic);
        map.sprites[k].xoffset = 9;
        map.sprites[k].yoffset = 9;
        map.spriteSelected[k] = 1;
    }
    map.spriteSelected[1] = 0;
    map.spriteIgnored[2] = uint8_t(HiddenState::Hidden);
    compensateSpriteOffsets(map, anims);
    EXPECT_EQ(map.sprites[0].xoffset, -5);
    EXPECT_EQ(uint8_t(map.sprites[0].xoffset), 251);
    EXPECT_EQ(map.sprites[0].yoffset, 16);
    for (int32_t k : {1, 2, 3, 4}) EXPECT_EQ(map.sprites[k].xoffset, 9) << k;
    resetSpriteOffsets(map);
    EXPECT_EQ(map.sprites[0].xoffset, 0);
    EXPECT_EQ(map.sprites[3].yoffset, 0);
    EXPECT_EQ(map.sprites[1].xoffset, 9);
    EXPECT_EQ(map.sprites[2].xoffset, 9);  // hidden sprites keep their offsets
}

TEST_F(SkyAndSpriteToolsTest, SkySelectFollowsSkyNeighboursOnceEach) {
    // A ring of 3 x 3 rooms around a middle one; every ring room has a sky except one.
    build.addGrid(0, 0, 3, 3, 100);
    build.link();
    for (int32_t s = 0; s < 9; ++s) map.sectors[s].ceilingstat = kSurfaceParallax;
    map.sectors[4].ceilingstat = 0;
    map.sectors[8].ceilingstat = 0;
    skySelect(map, 4);
    int32_t selected = 0;
    for (int32_t s = 0; s < 9; ++s) selected += map.sectorSelected[s];
    EXPECT_EQ(selected, 7);
    EXPECT_EQ(map.selectedSectorCount, 7);
    EXPECT_EQ(map.sectorSelected[4], 0);
    EXPECT_EQ(map.sectorSelected[8], 0);
    // Damaged links and a start outside the map select nothing more.
    map.walls[0].nextsector = 9999;
    map.sectorSelected.fill(0);
    map.selectedSectorCount = 0;
    skySelect(map, -1);
    skySelect(map, 0);
    int32_t count = 0;
    for (int32_t s = 0; s < 9; ++s) count += map.sectorSelected[s];
    EXPECT_EQ(map.selectedSectorCount, count);
}

TEST_F(SkyAndSpriteToolsTest, EqualizeCeilingsRaisesSelectedOnesToTheHighest) {
    for (int32_t i = 0; i < 3; ++i) build.addRoom(i * 200, 0, i * 200 + 100, 100);
    map.sectors[0].ceilingz = -8192;
    map.sectors[1].ceilingz = -4096;
    map.sectors[2].ceilingz = -99999;
    map.sectorSelected[0] = map.sectorSelected[1] = 1;
    map.selectedSectorCount = 2;
    equalizeCeilingHeights(map);
    EXPECT_EQ(map.sectors[0].ceilingz, -8192);
    EXPECT_EQ(map.sectors[1].ceilingz, -8192);
    EXPECT_EQ(map.sectors[2].ceilingz, -99999);
}

}  // namespace
}  // namespace korvel::test
