#include "editing/GeometryToolActions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "base/MessageNumbers.h"
#include "map/UndoSnapshot.h"
#include "support/DrawingRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"

namespace korvel::test {
namespace {

void undo(Editor& ed) {
    ASSERT_EQ(ed.map.undoState, UndoState::Snapshot);
    restoreUndo(ed.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
}

// Terrain from a 4 x 4 tile through two presses of its tool: the grid the preview shows
// becomes sectors, the selection mode comes back, and one undo removes everything.
TEST(GeometryToolActions, TerrainFromATileThroughTheTool) {
    DrawingRig r;
    Editor& ed = *r.ed;
    TileStore& t = ed.tiles;
    t.artPixels.assign(1 + 16, 0);
    for (int32_t i = 0; i < 16; ++i) t.artPixels[size_t(1 + i)] = uint8_t(i * 16);
    t.tileWidths[7] = t.tileHeights[7] = 4;
    t.tileOffsets[7] = 0;
    ed.pages.terrainSetup = {3, 2, 4096, 0, 7};
    ed.tool.selectionMode = SelectionMode::Walls;
    const auto before = std::make_unique<MapStore>(ed.map);
    startTerrainTool(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::TerrainFromTile);
    r.press(0, 0);
    EXPECT_EQ(ed.map.sectorCount, 0);
    r.press(4096, 0);
    EXPECT_EQ(ed.map.sectorCount, 6);
    EXPECT_EQ(describeViolations(checkMapInvariants(ed.map)), "");
    int32_t sloped = 0;
    for (int32_t s = 0; s < 6; ++s) {
        const SectorRecord& sec = ed.map.sectors[s];
        EXPECT_EQ(sec.ceilingz, -8192);
        EXPECT_EQ(sec.wallnum, sec.floorheinum != 0 ? 6 : 3) << s;
        sloped += sec.floorheinum != 0 ? 1 : 0;
    }
    EXPECT_GT(sloped, 0);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_EQ(ed.tool.selectionMode, SelectionMode::Walls);
    EXPECT_EQ(ed.sound.batchDepth, 0);
    undo(ed);
    EXPECT_EQ(recordDifference(*before, ed.map), "");
}

// By brightness, two colours of equal brightness in the game palette are one height.
TEST(GeometryToolActions, TerrainByBrightnessLevelsColoursOfEqualBrightness) {
    for (int32_t option : {0, 1}) {
        DrawingRig r;
        Editor& ed = *r.ed;
        TileStore& t = ed.tiles;
        t.artPixels = {0, 1, 2, 1, 2};  // 2 x 2, columns of colour 1 then 2
        t.tileWidths[3] = t.tileHeights[3] = 2;
        t.tileOffsets[3] = 0;
        ed.colorTables.gamePaletteRed[1] = 90;
        ed.colorTables.gamePaletteBlue[2] = 90;
        ed.pages.terrainSetup = {2, 1, 65536, option, 3};
        ed.tool.currentTool = Tool::TerrainFromTile;
        r.press(0, 0);
        r.press(3000, 0);
        ASSERT_EQ(ed.map.sectorCount, 2) << option;
        int32_t sloped = 0;
        for (int32_t s = 0; s < 2; ++s) sloped += ed.map.sectors[s].floorheinum != 0 ? 1 : 0;
        EXPECT_EQ(sloped > 0, option == 0) << option;
    }
}

// Fed in the boolean-target mode with a target set, the loops join no other sector.
TEST(GeometryToolActions, TriangleLoopsInTheBooleanModeJoinNothing) {
    DrawingRig r;
    Editor& ed = *r.ed;
    MapBuilder b(ed.map);
    b.addRoom(0, 0, 1024, 1024);
    b.addRoom(4096, 0, 5120, 1024);
    b.link();
    ed.map.sectorSelected[0] = 1;
    ed.map.selectedSectorCount = 1;
    ed.map.booleanTargetSector = 1;
    ed.tool.selectionMode = SelectionMode::BooleanTarget;
    ed.tool.currentTool = Tool::TriangleLoops;
    r.press(0, 2000);
    r.press(1000, 2000);
    EXPECT_EQ(ed.map.sectorCount, 2);
    EXPECT_EQ(ed.map.sectors[0].wallnum, 7);
    EXPECT_EQ(ed.map.sectors[1].wallnum, 4);
    EXPECT_EQ(ed.tool.booleanPending, 0);
    EXPECT_EQ(ed.tool.selectionMode, SelectionMode::BooleanTarget);
    const WallRecord& a = ed.map.walls[ed.map.sectors[0].wallptr];
    const WallRecord& c = ed.map.walls[a.point2];
    EXPECT_EQ(a.y, 2000);
    EXPECT_EQ(c.y, 2000);
    EXPECT_EQ(a.x, 16384);
    EXPECT_EQ(describeViolations(checkMapInvariants(ed.map)), "");
    undo(ed);
    EXPECT_EQ(ed.map.sectors[0].wallnum, 4);
}

TEST(GeometryToolActions, HandleToolsMoveOrRefuseAsOneStep) {
    DrawingRig r;
    Editor& ed = *r.ed;
    MapBuilder b(ed.map);
    b.addRoom(0, 0, 100, 100);
    b.link();
    ed.map.sectorSelected[0] = 1;
    ed.map.selectedSectorCount = 1;
    const auto before = std::make_unique<MapStore>(ed.map);
    DrawVertexList& pts = ed.drawVertices;
    const IntPoint move[4] = {{0, 0}, {100, 0}, {500, 0}, {600, 0}};
    for (int32_t i = 0; i < 4; ++i) {
        pts.toolPointsX[i] = move[i].x;
        pts.toolPointsY[i] = move[i].y;
    }
    pts.toolPointCount = 4;
    ed.tool.currentTool = Tool::TransformBySegments;
    r.press(50, 50);
    EXPECT_EQ(ed.map.walls[0].x, 500);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    undo(ed);
    EXPECT_EQ(recordDifference(*before, ed.map), "");

    // A warp out of reach: nothing moves and the earlier snapshot stays.
    ed.map.undoState = UndoState::Nothing;
    for (int32_t i = 0; i < 6; ++i) pts.toolPointsX[i] = pts.toolPointsY[i] = 0;
    pts.toolPointCount = 6;
    ed.tool.currentTool = Tool::QuadWarp1;
    r.press(50, 50);
    EXPECT_EQ(r.status().substr(0, 4), "772:");
    EXPECT_EQ(recordDifference(*before, ed.map), "");
    EXPECT_EQ(ed.map.undoState, UndoState::Nothing);
}

TEST(GeometryToolActions, ArrayButtonCopiesAndOneUndoRemovesThem) {
    DrawingRig r;
    Editor& ed = *r.ed;
    MapBuilder b(ed.map);
    b.addRoom(0, 0, 2048, 2048);
    b.link();
    const int32_t k = b.addSprite(100, 100, 0, 0);
    ed.map.spriteSelected[k] = 1;
    ed.map.selectedSpriteCount = 1;
    ed.pages.arrayTool.arrayPattern = 0;
    ed.pages.arrayTool.arrayCopyCount = 5;
    ed.pages.arrayTool.arraySteps = {};
    ed.pages.arrayTool.arraySteps[0] = 100;
    ed.pages.arrayTool.arrayOption1 = 1;
    ed.pages.arrayTool.arrayCenterX = 0;
    arrayPasteTool(ed);
    EXPECT_EQ(ed.map.spriteCount, 5);
    EXPECT_EQ(ed.map.sprites[4].x, 500);
    EXPECT_EQ(ed.pages.arrayTool.arrayCenterX, 400);  // the centre moved with the x steps
    EXPECT_EQ(r.status().substr(0, 4), "607:");
    undo(ed);
    EXPECT_EQ(ed.map.spriteCount, 1);
}

}  // namespace
}  // namespace korvel::test
