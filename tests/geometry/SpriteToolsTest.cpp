#include "geometry/SpriteTools.h"

#include <gtest/gtest.h>

#include "support/MapTestFixture.h"

namespace korvel::test {
namespace {

using SpriteToolsTest = MapTest;

TEST_F(SpriteToolsTest, StackCountGoesToTheLastSpriteOfAPlace) {
    countStackedSprites(map, 0);
    EXPECT_EQ(map.spriteStackCount[0], 0);
    for (int i = 0; i < 3; ++i) build.addSprite(10, 20, 0, -1);
    build.addSprite(11, 20, 0, -1);
    map.spriteStackCount.fill(9);
    countStackedSprites(map, 1);
    countStackedSprites(map, 3);
    EXPECT_EQ(map.spriteStackCount[0], 0);
    EXPECT_EQ(map.spriteStackCount[1], 0);
    EXPECT_EQ(map.spriteStackCount[2], 3);
    EXPECT_EQ(map.spriteStackCount[3], 1);
}

TEST_F(SpriteToolsTest, StackCountsOfAllPlacesAgreeWithTheCountOfEachPlace) {
    computeSpriteStacks(map);
    EXPECT_EQ(map.spriteStacksValid, 1);
    for (int i = 0; i < 3; ++i) build.addSprite(10, 20, 0, -1);
    build.addSprite(11, 20, 0, -1);
    build.addSprite(10, 21, 0, -1);
    build.addSprite(10, 20, 0, -1);
    map.spriteStackCount.fill(9);
    map.spriteStacksValid = 0;
    computeSpriteStacks(map);
    EXPECT_EQ(map.spriteStacksValid, 1);
    const int16_t expected[] = {0, 0, 0, 1, 1, 4};
    for (int32_t i = 0; i < 6; ++i) EXPECT_EQ(map.spriteStackCount[i], expected[i]) << i;
    EXPECT_EQ(map.spriteStackCount[6], 0);
}

TEST_F(SpriteToolsTest, DeletingASpriteMovesTheLaterOnesDown) {
    build.addRoom(0, 0, 100, 100);
    build.link();
    for (int i = 0; i < 3; ++i) build.addSprite(10 * i, 50, 0, 0);
    map.spriteSelected[1] = map.spriteSelected[2] = 1;
    map.spriteIgnored[2] = 2;
    map.selectedSpriteCount = 2;
    ASSERT_TRUE(deleteSprite(map, m.events, 1));
    EXPECT_EQ(map.spriteCount, 2);
    EXPECT_EQ(map.sprites[1].x, 20);
    EXPECT_EQ(map.spriteSelected[1], 1);
    EXPECT_EQ(map.spriteIgnored[1], 2);
    EXPECT_EQ(map.selectedSpriteCount, 1);
    // Offering undo and marking the map modified are the command's edit's business.
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(map.spriteStacksValid, 0);
    EXPECT_EQ(m.events.renumberings, 1);
    ASSERT_TRUE(deleteSprite(map, m.events, 1));  // the last one: only the count drops
    EXPECT_EQ(map.spriteCount, 1);
    EXPECT_EQ(map.sprites[0].x, 0);
    EXPECT_EQ(map.selectedSpriteCount, 0);
    EXPECT_FALSE(deleteSprite(map, m.events, 1));
    expectValid();
}

TEST_F(SpriteToolsTest, SparksWhereTheSpriteStood) {
    build.addSprite(160, -1600, -256, -1);
    ASSERT_TRUE(deleteSprite(map, m.events, 0));
    EXPECT_EQ(m.events.sparks, (std::vector<Sparks>{{Sparks::Kind::AtSprite, 160, -1600, -256}}));
}

}  // namespace
}  // namespace korvel::test
