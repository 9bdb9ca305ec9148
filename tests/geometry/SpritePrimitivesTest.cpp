#include "geometry/SpritePrimitives.h"

#include <gtest/gtest.h>

#include "support/GridMaps.h"
#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using SpritePrimitivesTest = MapTest;

TEST_F(SpritePrimitivesTest, CreateSpriteTakesTheFloorOfTheSectorAtItsPlace) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(200, 0, 300, 100);
    build.link();
    map.sectors[1].floorz = 4096;
    map.sectors[0].floorz = 512;
    map.mostUsedSpriteTile = 909;
    ASSERT_EQ(createSprite(map, m.events, 250, 50, false), std::optional<int32_t>(0));
    const SpriteRecord& sp = map.sprites[0];
    EXPECT_EQ(sp.sectnum, 1);
    EXPECT_EQ(sp.z, 4096);
    EXPECT_EQ(sp.picnum, 909);
    EXPECT_EQ(sp.ang, 1536);
    EXPECT_EQ(sp.xrepeat, 32);
    EXPECT_EQ(sp.owner, -1);
    EXPECT_EQ(sp.extra, -1);
    // Marking the map modified and offering undo are the business of the command's edit.
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(map.undoState, UndoState::Nothing);

    // Outside every sector: sector 0 and its floor there.
    ASSERT_EQ(createSprite(map, m.events, 150, 50, false), std::optional<int32_t>(1));
    EXPECT_EQ(map.sprites[1].sectnum, 0);
    EXPECT_EQ(map.sprites[1].z, 512);
    expectValid();
}

TEST_F(SpritePrimitivesTest, CreateSpriteOnAMapWithoutSectorsHasNoSector) {
    ASSERT_TRUE(createSprite(map, m.events, 10, 10, false));
    EXPECT_EQ(map.sprites[0].sectnum, -1);
    EXPECT_EQ(map.sprites[0].z, 0);
    expectValid();
}

TEST_F(SpritePrimitivesTest, StackCountsFollowNewSpritesWhenNumbersAreShown) {
    build.addRoom(0, 0, 100, 100);
    build.link();
    map.spriteStacksValid = 1;
    createSprite(map, m.events, 10, 10, true);
    createSprite(map, m.events, 10, 10, true);
    createSprite(map, m.events, 20, 10, true);
    EXPECT_EQ(map.spriteStackCount[0], 0);
    EXPECT_EQ(map.spriteStackCount[1], 2);
    EXPECT_EQ(map.spriteStackCount[2], 1);
    EXPECT_EQ(map.spriteStacksValid, 1);
    createSprite(map, m.events, 20, 10, false);
    EXPECT_EQ(map.spriteStacksValid, 0);
}

TEST_F(SpritePrimitivesTest, The16385thSpriteIsRefusedUnchanged) {
    buildSplitRoomGrid(map, 64, 64, 4);
    ASSERT_EQ(map.spriteCount, kMaxSprites);
    const MapStore before = map;
    EXPECT_EQ(createSprite(map, m.events, 10, 10, true), std::nullopt);
    EXPECT_EQ(snapshotDifference(before, map), "");
    EXPECT_EQ(m.events.statusNumbers(), std::vector<int32_t>{kMsgNoRoomForSprites});
}

TEST_F(SpritePrimitivesTest, OverlappingSectorsPickedByOrderAndHeight) {
    build.addRoom(0, 0, 100, 100);      // 0
    build.addRoom(-50, -50, 150, 150);  // 1, overlaps 0
    build.addRoom(500, 0, 600, 100);    // 2, where the sprite's sector says it is
    map.sectors[1].ceilingz = -100;
    map.sectors[1].floorz = 100;
    const int32_t k = build.addSprite(50, 50, 50, 2);
    struct Case {
        int32_t z;
        bool fresh;
        int32_t want;
    } cases[] = {{50, true, 1}, {50, false, 1}, {-5000, false, 0}, {-5000, true, 1}};
    for (const auto& c : cases) {
        map.sprites[k].sectnum = 2;
        map.sprites[k].z = c.z;
        if (c.fresh)
            updateNewSpriteSectnum(map, k);
        else
            updateSpriteSectnum(map, k);
        EXPECT_EQ(map.sprites[k].sectnum, c.want) << c.z << (c.fresh ? " new" : "");
    }
    // A sprite inside its own sector keeps it; a hidden sector is not searched.
    map.sprites[k].sectnum = 0;
    updateSpriteSectnum(map, k);
    EXPECT_EQ(map.sprites[k].sectnum, 0);
    map.sectorIgnored[1] = 2;
    map.sprites[k].sectnum = 2;
    updateNewSpriteSectnum(map, k);
    EXPECT_EQ(map.sprites[k].sectnum, 0);
}

TEST_F(SpritePrimitivesTest, StartPositionSearchesHiddenSectorsToo) {
    build.addRoom(0, 0, 100, 100);
    build.addRoom(200, 0, 300, 100);
    map.sectorIgnored[1] = 2;
    map.startX = 250;
    map.startY = 50;
    updateStartPosSectnum(map);
    EXPECT_EQ(map.startSector, 1);
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified) << "the edit's business";
    map.startX = 150;
    updateStartPosSectnum(map);
    EXPECT_EQ(map.startSector, 0);
}

}  // namespace
}  // namespace korvel::test
