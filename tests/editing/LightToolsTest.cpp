#include "editing/LightTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "geometry/Lighting.h"
#include "map/UndoSnapshot.h"
#include "support/DrawingRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"

namespace korvel::test {
namespace {

// Twice the area of every sector together: outer loops count positive, holes negative.
int64_t totalArea2(const MapStore& map) {
    int64_t sum = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) {
        const WallRecord& a = map.walls[w];
        const WallRecord& b = map.walls[a.point2];
        sum += int64_t(a.x) * b.y - int64_t(b.x) * a.y;
    }
    return std::abs(sum);
}

void undo(Editor& ed) {
    ASSERT_EQ(ed.map.undoState, UndoState::Snapshot);
    restoreUndo(ed.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
}

void pressOnSprite(DrawingRig& r, int32_t sprite) {
    const SpriteRecord& sp = r.ed->map.sprites[sprite];
    r.ed->hover.hoveredSprite = sprite;
    r.press(sp.x, sp.y, sp.sectnum);
}

TEST(LightTools, PickedLightsShadeTheSelectedWallsAndUndoPutsThemBack) {
    DrawingRig r;
    Editor& ed = *r.ed;
    MapStore& map = ed.map;
    MapBuilder b(map);
    b.addRoom(0, 0, 2048, 2048);
    b.link();
    map.sectors[0].floorz = 0;
    map.sectors[0].ceilingz = -32768;
    const int32_t k0 = b.addSprite(1024, 300, -16384, 0);
    const int32_t k1 = b.addSprite(300, 1024, -16384, 0);
    b.addSprite(1800, 1800, -16384, 0);  // not a light

    ed.tool.currentTool = Tool::PickLightSprites;
    for (int32_t k : {k0, k1, k0}) pressOnSprite(r, k);
    ASSERT_EQ(map.lightSpriteCount, 2);
    EXPECT_EQ(map.lightSprites[0], k0);
    EXPECT_EQ(map.lightSprites[1], k1);

    for (int32_t w = 0; w < 4; ++w) map.walls[w].shade = 5;
    map.wallSelected[0] = map.wallSelected[3] = 1;
    map.selectedWallCount = 2;
    const auto before = std::make_unique<MapStore>(map);
    ed.tool.currentTool = Tool::ShadeFromLight;
    ed.hover.hoveredSprite = -1;
    r.press(1024, 1024, 0);
    for (int32_t w : {0, 3}) {
        const int32_t want = std::clamp(
            lightValueToShade(ed.tool.shadeLightHeight, getWallLightValue(map, w)), -127, 32);
        EXPECT_EQ(map.walls[w].shade, want) << w;
        EXPECT_LT(map.walls[w].shade, ed.tool.shadeLightHeight) << w;  // lit, so brighter
    }
    EXPECT_EQ(map.walls[1].shade, 5);
    EXPECT_EQ(map.walls[2].shade, 5);
    undo(ed);
    EXPECT_EQ(recordDifference(*before, map), "");

    // Nothing selected: the hovered sector's floor.
    map.wallSelected[0] = map.wallSelected[3] = 0;
    map.selectedWallCount = 0;
    map.sectors[0].floorshade = 5;
    r.press(1024, 1024, 0);
    EXPECT_EQ(
        map.sectors[0].floorshade,
        std::clamp(lightValueToShade(ed.tool.shadeLightHeight, getSectorLightValue(map, 0, 0)),
                   -127, 32));
    EXPECT_NE(map.sectors[0].floorshade, 5);
    EXPECT_EQ(describeViolations(checkMapInvariants(map)), "");
}

TEST(LightTools, ShadowsCutTheRoomPastThePillarKeepingItsArea) {
    DrawingRig r;
    Editor& ed = *r.ed;
    MapStore& map = ed.map;
    MapBuilder b(map);
    b.addRoom(0, 0, 3000, 3000);
    b.addRectHole(1000, 1000, 2000, 2000);
    b.link();
    map.sectors[0].floorz = 0;
    map.sectors[0].ceilingz = -32768;
    const int32_t light = b.addSprite(1500, 500, -16384, 0);
    const int32_t other = b.addSprite(2500, 2500, -16384, 0);
    ASSERT_TRUE(addLightSprite(map, light));
    const auto before = std::make_unique<MapStore>(map);
    const int64_t area = totalArea2(map);

    ed.tool.currentTool = Tool::CastShadows;
    pressOnSprite(r, other);  // not a light: nothing happens
    EXPECT_EQ(map.sectorCount, 1);
    EXPECT_EQ(ed.tool.currentTool, Tool::CastShadows);

    pressOnSprite(r, light);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_GT(map.sectorCount, 1);
    EXPECT_EQ(totalArea2(map), area);
    EXPECT_EQ(describeViolations(checkMapInvariants(map)), "");
    EXPECT_EQ(ed.sound.batchDepth, 0);
    undo(ed);
    EXPECT_EQ(recordDifference(*before, map), "");
}

TEST(LightTools, TheListKeepsOrderRefusesRepeatsAndDropsEntries) {
    auto map = std::make_unique<MapStore>();
    MapBuilder b(*map);
    b.addRoom(0, 0, 100, 100);
    for (int i = 0; i < 4; ++i) b.addSprite(10 * i, 10, 0, 0);
    struct Case {
        int32_t sprite;
        bool added;
    } picks[] = {{2, true}, {0, true}, {2, false}, {3, true}, {-1, false}, {4, false}};
    for (const Case& c : picks) EXPECT_EQ(addLightSprite(*map, c.sprite), c.added) << c.sprite;
    removeLightSpriteAt(*map, 0);
    removeLightSpriteAt(*map, 7);
    ASSERT_EQ(map->lightSpriteCount, 2);
    EXPECT_EQ(map->lightSprites[0], 0);
    EXPECT_EQ(map->lightSprites[1], 3);
    removeLightSpriteAt(*map, 1);
    EXPECT_EQ(map->lightSpriteCount, 1);
    clearLightSprites(*map);
    EXPECT_EQ(map->lightSpriteCount, 0);
}

}  // namespace
}  // namespace korvel::test
