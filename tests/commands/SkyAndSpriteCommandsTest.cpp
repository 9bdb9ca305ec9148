#include <gtest/gtest.h>

#include <memory>

#include "commands/SelectionCommands.h"
#include "commands/ToolCommands.h"
#include "commands/TransformCommands.h"
#include "map/UndoSnapshot.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"

namespace korvel::test {
namespace {

TEST(SkyAndSpriteCommands, LevellingTakesOneUndoStepAndNeedsASelection) {
    EditorRig r("", false);
    MapStore& map = r.ed->map;
    MapBuilder b(map);
    b.addRoom(0, 0, 100, 100);
    b.addRoom(100, 0, 200, 100);
    b.link();
    map.sectors[0].ceilingz = -8192;
    map.sectors[1].ceilingz = -4096;
    map.sectors[1].ceilingstat = kSurfaceParallax;
    levelSkyCeilingsCommand(*r.ed);
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    EXPECT_EQ(map.sectors[1].ceilingz, -4096);

    // The hovered sector joins the selection, which grows to the parallax sky beside it.
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.ed->hover.hoveredSector = 0;
    selectConnectedSkyCommand(*r.ed);
    EXPECT_EQ(map.sectorSelected[0], 1);
    map.sectorSelected[1] = 1;
    map.selectedSectorCount = 2;
    const auto before = std::make_unique<MapStore>(map);
    levelSkyCeilingsCommand(*r.ed);
    EXPECT_EQ(map.sectors[1].ceilingz, -8192);
    ASSERT_EQ(map.undoState, UndoState::Snapshot);
    restoreUndo(map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.ed->events);
    EXPECT_EQ(recordDifference(*before, map), "");
}

TEST(SkyAndSpriteCommands, AligningTheHoveredSpriteWithNoWallChangesNothing) {
    EditorRig r("", false);
    MapStore& map = r.ed->map;
    MapBuilder b(map);
    b.addRoom(0, 0, 100, 100);
    const int32_t s = b.addSprite(50, 50, 0, 0);
    map.sprites[s].ang = 0;
    r.ed->hover.hoveredSprite = s;
    alignSpriteCommand(*r.ed);
    EXPECT_NEAR(map.sprites[s].x, 0, 1);  // at the wall behind it
    EXPECT_EQ(map.sprites[s].cstat & kSpriteWallAligned, kSpriteWallAligned);
    EXPECT_EQ(map.undoState, UndoState::Snapshot);

    EditorRig empty("", false);
    MapBuilder(empty.ed->map).addSprite(50, 50, 0, -1);
    empty.ed->hover.hoveredSprite = 0;
    const auto before = std::make_unique<MapStore>(empty.ed->map);
    alignSpriteCommand(*empty.ed);
    EXPECT_EQ(snapshotDifference(*before, empty.ed->map), "");
}

}  // namespace
}  // namespace korvel::test

namespace korvel::test {
namespace {

// The flip menu commands act on sectors, else sprites, else vertices, each one undo step.
TEST(TransformCommands, FlipsTakeTheFirstSelectedKindAndOneUndoStep) {
    EditorRig r("", false);
    MapStore& map = r.ed->map;
    MapBuilder b(map);
    b.addRoom(0, 0, 100, 100);
    const int32_t s = b.addSprite(10, 10, 0, 0, 5);
    b.addSprite(30, 10, 0, 0, 5);
    map.spriteSelected[0] = map.spriteSelected[1] = 1;
    map.selectedSpriteCount = 2;
    const auto before = std::make_unique<MapStore>(map);
    flipSelectionX(*r.ed);
    EXPECT_EQ(map.sprites[s].x, 30);
    EXPECT_EQ(map.sprites[s].ang, 1024);
    EXPECT_EQ(map.walls[0].x, 0);  // the room was not selected
    ASSERT_EQ(map.undoState, UndoState::Snapshot);
    restoreUndo(map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode, r.ed->events);
    EXPECT_EQ(recordDifference(*before, map), "");

    map.sectorSelected[0] = 1;
    map.selectedSectorCount = 1;
    flipSelectionY(*r.ed);
    EXPECT_EQ(map.sprites[s].y, 90);
    EXPECT_EQ(describeViolations(checkMapInvariants(map)), "");
}

}  // namespace
}  // namespace korvel::test
