#include <gtest/gtest.h>

#include <set>

#include "editing/DragCommit.h"
#include "editing/MapPress.h"
#include "editing/OtherToolActions.h"
#include "editing/SelectionInput.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"

namespace korvel::test {
namespace {

struct DragRig : EditCommandRig {
    DragRig() {
        twoRooms();
        ed->cursor.cursorShape = CursorShape::MapCross;
        ed->settings.realtimeUpdate = 0;
    }
    void hit(int32_t x, int32_t y) {
        ed->hover.hitPointX = x;
        ed->hover.hitPointY = y;
    }
    // Presses at (x, y) over `sector`, moves to (tx, ty) and the pointer `up` pixels higher,
    // and releases, Shift held from the press on or only at the release.
    void pressMoveRelease(int32_t sector, int32_t x, int32_t y, int32_t tx, int32_t ty,
                          int32_t up = 0, bool shiftAtRelease = false) {
        ed->hover.hoveredSector = sector;
        hit(x, y);
        ed->input.mouseY = 300;
        pressInMap(*ed);
        hit(tx, ty);
        ed->input.mouseY = 300 + up;
        if (shiftAtRelease) ed->dispatch.shiftHeld = 1;
        commitDrag(*ed);
    }
    std::set<std::pair<int32_t, int32_t>> points(int32_t s) const {
        std::set<std::pair<int32_t, int32_t>> out;
        const SectorRecord& r = map.sectors[size_t(s)];
        for (int32_t w = r.wallptr; w < r.wallptr + r.wallnum; ++w)
            out.insert({map.walls[size_t(w)].x, map.walls[size_t(w)].y});
        return out;
    }
    void expectDragEnded() {
        EXPECT_EQ(map.movedWallCount, 0);
        EXPECT_EQ(ed->tool.draggedSprite, -1);
        EXPECT_EQ(checkMapInvariants(map), std::vector<std::string>{});
    }
};

struct MouseDrag : ::testing::Test, DragRig {};

TEST_F(MouseDrag, ASectorClickAndMoveCarriesItsSpritesAndUndoRestoresTheRoom) {
    MapBuilder(map).addSprite(100, 100, 0, 0);
    ed->tool.selectionMode = SelectionMode::Sectors;
    ed->tool.dragKind = DragKind::Move;
    const auto before0 = points(0);
    pressMoveRelease(0, 100, 100, 100, 164);
    EXPECT_EQ(map.selectedSectorCount, 1);
    EXPECT_EQ(points(0), (std::set<std::pair<int32_t, int32_t>>{
                             {0, 64}, {256, 64}, {256, 320}, {0, 320}}));
    EXPECT_EQ(points(1), (std::set<std::pair<int32_t, int32_t>>{
                             {256, 0}, {512, 0}, {512, 256}, {256, 256}}));
    EXPECT_EQ(map.sprites[0].y, 164);
    EXPECT_EQ(map.spriteSelected[0], 0) << "the ride-along flag ends with the drag";
    EXPECT_EQ(map.undoState, UndoState::Snapshot);
    EXPECT_EQ(map.mapModified, MapModifiedState::Modified);
    expectDragEnded();
    restoreUndo(map, ed->undo, ed->clipboard, ed->tool.selectionMode, ed->events);
    EXPECT_EQ(points(0), before0);
    EXPECT_EQ(map.sprites[0].y, 100);
}

TEST_F(MouseDrag, ADragThatDidNotMoveOrScalesToNothingCommitsNothingAndTakesNoSnapshot) {
    struct Case {
        DragKind kind;
        int32_t up;
        bool shift;
    };
    const Case cases[] = {{DragKind::Free, 40, false},  {DragKind::Move, 0, false},
                          {DragKind::Rotate, 0, false}, {DragKind::Scale, 0, false},
                          {DragKind::Scale, -100, false}, {DragKind::Scale, -60, true}};
    MapBuilder(map).addSprite(100, 100, 0, 0);
    for (const auto& [kind, up, shift] : cases) {
        ed->dispatch.shiftHeld = 0;
        map.mapModified = MapModifiedState::Unmodified;
        map.undoState = UndoState::Nothing;
        ed->tool.selectionMode = SelectionMode::Sectors;
        ed->tool.dragKind = kind;
        deselectSectors(map);
        const auto room0 = points(0), room1 = points(1);
        pressMoveRelease(0, 100, 100, 100, 100, up, shift);
        EXPECT_EQ(points(0), room0) << int(kind);
        EXPECT_EQ(map.spriteCount, 1);
        EXPECT_EQ(map.sprites[0].x, 100) << int(kind);
        EXPECT_EQ(points(1), room1) << int(kind);
        EXPECT_EQ(map.undoState, UndoState::Nothing) << int(kind);
        EXPECT_EQ(map.mapModified, MapModifiedState::Unmodified) << int(kind);
        expectDragEnded();
    }
}

TEST_F(MouseDrag, TurnAndScaleFollowTheVerticalMotion) {
    struct Case {
        DragKind kind;
        int32_t up;
        bool shift;
        std::set<std::pair<int32_t, int32_t>> room;
    };
    const Case cases[] = {
        // A quarter turn clockwise about (0, 0).
        {DragKind::Rotate, 90, false, {{0, 0}, {0, 256}, {-256, 256}, {-256, 0}}},
        // 30 pixels snap down to 22.5 degrees, which is not a quarter turn.
        {DragKind::Rotate, 30, true, {{0, 0}, {237, 98}, {139, 334}, {-98, 237}}},
        {DragKind::Scale, -50, false, {{0, 0}, {128, 0}, {128, 128}, {0, 128}}},
        {DragKind::Scale, -150, true, {{0, 0}, {-128, 0}, {-128, -128}, {0, -128}}},
    };
    for (const Case& c : cases) {
        DragRig rig;
        rig.ed->tool.selectionMode = SelectionMode::Sectors;
        rig.ed->tool.dragKind = c.kind;
        rig.pressMoveRelease(0, 0, 0, 0, 0, c.up, c.shift);
        EXPECT_EQ(rig.points(0), c.room) << int(c.kind) << " " << c.up;
        rig.expectDragEnded();
    }
}

TEST_F(MouseDrag, ScalingSpritesThroughZeroMirrorsThemAndKeepsRepeatsInRange) {
    const int32_t k = MapBuilder(map).addSprite(200, 100, -100, 0);
    map.sprites[size_t(k)].xrepeat = 200;
    map.sprites[size_t(k)].yrepeat = 64;
    map.sprites[size_t(k)].ang = 1500;
    selectSprite(k);
    ed->tool.selectionMode = SelectionMode::Sprites;
    ed->tool.dragKind = DragKind::Scale;
    ed->hover.hoveredSprite = k;
    pressMoveRelease(0, 100, 100, 100, 100, -150, true);  // factor -0.5
    const SpriteRecord& r = map.sprites[size_t(k)];
    EXPECT_EQ(r.x, 50);
    EXPECT_EQ(r.ang, (1500 + 1024) % 2048);
    EXPECT_EQ(r.cstat & 12, 12);
    EXPECT_EQ(r.xrepeat, 100);
    map.sprites[size_t(k)].xrepeat = 255;
    ed->dispatch.shiftHeld = 0;
    pressMoveRelease(0, 100, 100, 100, 100, 400);  // factor 5
    EXPECT_EQ(map.sprites[size_t(k)].xrepeat, 255);
    expectDragEnded();
}

TEST_F(MouseDrag, ASpriteTurnKeepsTheAngleOfMarkersButNotOfEffectMarkers) {
    const int32_t a = MapBuilder(map).addSprite(164, 100, 0, 0, 1);
    const int32_t b = MapBuilder(map).addSprite(164, 100, 0, 0, 1);
    map.sprites[size_t(a)].lotag = 7;
    map.sprites[size_t(b)].lotag = 8;
    selectSprite(a);
    selectSprite(b);
    ed->tool.selectionMode = SelectionMode::Sprites;
    ed->tool.dragKind = DragKind::Rotate;
    ed->hover.hoveredSprite = a;
    pressMoveRelease(0, 100, 100, 100, 100, 90);
    EXPECT_EQ(map.sprites[size_t(a)].ang, 512);
    EXPECT_EQ(map.sprites[size_t(b)].ang, 0);
    EXPECT_EQ(map.sprites[size_t(a)].x, 100);
    EXPECT_EQ(map.sprites[size_t(a)].y, 164);
}

TEST_F(MouseDrag, AVertexDragMovesEveryWallAtThePointAndSkipsListedWallsPastTheEnd) {
    ed->tool.selectionMode = SelectionMode::SpritesAndVertices;
    int32_t v = -1;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.walls[size_t(w)].x == 256 && map.walls[size_t(w)].y == 0) v = w;
    ASSERT_GE(v, 0);
    ed->hover.hoveredVertex = v;
    hit(256, 0);
    pressInMap(*ed);
    EXPECT_EQ(map.movedWallCount, 4);
    EXPECT_EQ(map.undoState, UndoState::Snapshot);
    map.wallMoveState[size_t(map.movedWallCount)] = 30000;  // a stale entry
    ++map.movedWallCount;
    hit(300, -40);
    commitDrag(*ed);
    EXPECT_EQ(points(0).count({300, -40}), 1u);
    EXPECT_EQ(points(1).count({300, -40}), 1u);
    expectDragEnded();
}

TEST_F(MouseDrag, FourSectorsAtOneVertexListEightWalls) {
    MapStore m;
    MapBuilder(m).addGrid(0, 0, 2, 2, 100);
    MapBuilder(m).link();
    for (int32_t w = 0; w < m.wallCount; ++w) {
        if (m.walls[size_t(w)].x != 100 || m.walls[size_t(w)].y != 100) continue;
        const std::vector<int32_t> list = wallsAtVertex(m, w);
        EXPECT_EQ(list.size(), 8u) << w;
        EXPECT_EQ(std::set<int32_t>(list.begin(), list.end()).size(), 8u);
    }
}

TEST_F(MouseDrag, BrokenRingsAndStrayHoversNeverReachOutsideTheMap) {
    for (int32_t w = 0; w < map.wallCount; ++w) map.walls[size_t(w)].point2 = int16_t(w + 5);
    map.walls[0].nextwall = 7;
    map.walls[0].nextsector = 1;
    EXPECT_LE(wallsAtVertex(map, 0).size(), size_t(map.wallCount));
    for (const SelectionMode mode :
         {SelectionMode::Sprites, SelectionMode::Vertices, SelectionMode::Walls,
          SelectionMode::Sectors, SelectionMode::Loops, SelectionMode::SpritesAndVertices,
          SelectionMode::BooleanTarget}) {
        ed->tool.selectionMode = mode;
        for (const int32_t h : {-5, 0, 3, 40000}) {
            ed->hover.hoveredVertex = ed->hover.hoveredWall = ed->hover.hoveredSprite = h;
            ed->hover.hoveredSector = h;
            ed->dispatch.ctrlHeld = uint8_t(h & 1);
            hit(2147483647, -2147483647);
            pressInMap(*ed);
            selectByArea(*ed);
            commitDrag(*ed);
            EXPECT_EQ(map.movedWallCount, 0);
        }
    }
}

TEST_F(MouseDrag, AreaSelectionByModeShapeAndBelonging) {
    // Room 0 is (0,0)-(256,256), room 1 (256,0)-(512,256); a sprite at (100, 100).
    struct Case {
        SelectionMode mode;
        uint8_t circle, wholly;
        IntPoint anchor, hit;
        int32_t sectors, walls, vertices, sprites;
    };
    const Case cases[] = {
        // A rectangle inside room 0 selects it by its centre; drawn backwards, the same.
        {SelectionMode::Sectors, 0, 0, {50, 50}, {150, 150}, 1, 0, 0, 0},
        {SelectionMode::Sectors, 0, 0, {150, 150}, {50, 50}, 1, 0, 0, 0},
        {SelectionMode::Sectors, 0, 1, {50, 50}, {150, 150}, 0, 0, 0, 0},
        {SelectionMode::Sectors, 0, 1, {-10, -10}, {300, 300}, 1, 0, 0, 0},
        {SelectionMode::Sectors, 1, 0, {100, 100}, {110, 100}, 1, 0, 0, 0},
        // A band across the shared wall: it crosses walls whose ends lie outside.
        {SelectionMode::Walls, 0, 0, {200, 100}, {300, 120}, 0, 2, 0, 0},
        {SelectionMode::Walls, 0, 1, {200, 100}, {300, 120}, 0, 0, 0, 0},
        {SelectionMode::Walls, 1, 0, {256, 128}, {256, 100}, 0, 2, 0, 0},
        {SelectionMode::Vertices, 0, 0, {250, -5}, {260, 5}, 0, 0, 2, 0},
        {SelectionMode::Sprites, 1, 0, {90, 90}, {100, 100}, 0, 0, 0, 1},
        {SelectionMode::Sprites, 1, 0, {90, 90}, {99, 99}, 0, 0, 0, 0},
        {SelectionMode::SpritesAndVertices, 0, 0, {-1, -1}, {101, 101}, 0, 0, 1, 1},
        {SelectionMode::Loops, 0, 0, {-5, 100}, {5, 110}, 0, 4, 0, 0},
        {SelectionMode::BooleanTarget, 0, 0, {-10, -10}, {600, 600}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        DragRig rig;
        MapBuilder(rig.map).addSprite(100, 100, 0, 0);
        rig.ed->tool.selectionMode = c.mode;
        rig.ed->tool.selAreaMode = c.circle;
        rig.ed->settings.regionSelectMode = c.wholly;
        rig.ed->dispatch.areaAnchorX = c.anchor.x;
        rig.ed->dispatch.areaAnchorY = c.anchor.y;
        rig.hit(c.hit.x, c.hit.y);
        selectByArea(*rig.ed);
        const MapStore& m = rig.map;
        const auto line = ::testing::Message() << int(c.mode) << " circle " << int(c.circle)
                                               << " wholly " << int(c.wholly) << " from "
                                               << c.anchor.x << "," << c.anchor.y;
        EXPECT_EQ(m.selectedSectorCount, c.sectors) << line;
        EXPECT_EQ(m.selectedWallCount, c.walls) << line;
        EXPECT_EQ(m.selectedVertexCount, c.vertices) << line;
        EXPECT_EQ(m.selectedSpriteCount, c.sprites) << line;
    }
}

TEST_F(MouseDrag, AreaSelectionSkipsHiddenObjectsAndCtrlToggles) {
    ed->tool.selectionMode = SelectionMode::Sectors;
    map.sectorIgnored[1] = uint8_t(HiddenState::Hidden);
    ed->dispatch.areaAnchorX = -10;
    ed->dispatch.areaAnchorY = -10;
    hit(600, 300);
    selectByArea(*ed);
    EXPECT_EQ(map.sectorSelected[0], 1);
    EXPECT_EQ(map.sectorSelected[1], 0);
    ed->dispatch.ctrlHeld = 1;
    selectByArea(*ed);
    EXPECT_EQ(map.sectorSelected[0], 0);
    EXPECT_EQ(map.selectedSectorCount, 0);
}

TEST_F(MouseDrag, CtrlClickOutsideTheRoomsFlipsTheWholeOuterBoundary) {
    ed->tool.selectionMode = SelectionMode::Walls;
    ed->dispatch.ctrlHeld = 1;
    ed->hover.hoveredWall = 0;
    ed->hover.hoveredSector = -1;
    pressInMap(*ed);
    EXPECT_EQ(map.selectedWallCount, 6);
    for (int32_t w = 0; w < map.wallCount; ++w)
        EXPECT_EQ(map.wallSelected[size_t(w)] != 0, map.walls[size_t(w)].nextwall < 0) << w;
}

TEST_F(MouseDrag, ALoopClickSelectsTheLoopAndStartsItsDragWhileShiftOnlyAdds) {
    ed->tool.selectionMode = SelectionMode::Loops;
    ed->hover.hoveredWall = 0;
    pressInMap(*ed);
    EXPECT_EQ(map.selectedWallCount, 4);
    EXPECT_EQ(map.selectedLoopCount, 1);
    EXPECT_EQ(map.movedWallCount, kAllWallsMarked);
    commitDrag(*ed);
    ed->dispatch.shiftHeld = 1;
    ed->hover.hoveredWall = 5;
    pressInMap(*ed);
    EXPECT_EQ(map.selectedWallCount, 8);
    EXPECT_EQ(map.movedWallCount, 0);
}


TEST(HeightSlider, ColumnsMapToHeightsByTheTangent) {
    const std::pair<int32_t, int32_t> cases[] = {
        {692, 0}, {642, 65536}, {742, -65536}, {593, 4171808}, {791, -4171809}};
    for (const auto& [column, value] : cases) EXPECT_EQ(sliderValue(column), value) << column;
}

TEST(HeightSlider, TheEndsTheCtrlOffsetAndTheNearerLimit) {
    struct Case {
        int32_t x, y;
        bool ctrl;
        int32_t offset;
        int32_t low, high, newOffset;
        const char* tip;
    };
    // Low -65536 is drawn at column 742, high 65536 at 642.
    const Case cases[] = {
        {592, 10, false, 0, -65536, 2147483647, 0, "2147483647"},
        {792, 10, false, 0, -2147483647, 65536, 0, "-2147483647"},
        {642, 10, true, 0, -65536, 65536, -65536, "-65536"},
        {700, 10, false, 0, sliderValue(700), 65536, 0, ""},  // nearer the low limit
        {660, 10, false, 0, -65536, sliderValue(660), 0, ""},
        {692, 10, false, 1000, -65536, 1000, 1000, "1000"},
        {700, 5, false, 0, -65536, 65536, 0, ""},
        {700, 24, false, 0, -65536, 65536, 0, ""},
    };
    for (const Case& c : cases) {
        Settings s;
        s.zRangeLow = -65536, s.zRangeHigh = 65536, s.zRangeOffset = c.offset;
        InputState in;
        in.mouseX = c.x, in.mouseY = c.y;
        std::string tip;
        dragHeightSlider(s, in, c.ctrl, tip);
        EXPECT_EQ(s.zRangeLow, c.low) << c.x;
        EXPECT_EQ(s.zRangeHigh, c.high) << c.x;
        EXPECT_EQ(s.zRangeOffset, c.newOffset) << c.x;
        if (*c.tip) EXPECT_EQ(tip, c.tip) << c.x;
    }
}

TEST_F(MouseDrag, ToolHandlesFollowTheHitPointByScreenDistance) {
    struct Case {
        Tool tool;
        bool ctrl;
        int32_t count;
        int32_t moved;
    };
    // Every point at the pointer: ties go to the second of a segment, the first of a warp group.
    const Case cases[] = {
        {Tool::TransformBySegments, false, 4, 3}, {Tool::TransformBySegments, true, 4, 1},
        {Tool::QuadWarp1, false, 6, 3},           {Tool::QuadWarp1, true, 6, 0},
        {Tool::QuadWarp2, false, 8, 4},           {Tool::QuadWarp2, true, 8, 0},
        {Tool::QuadWarp2, false, 3, -1},
    };
    for (const Case& c : cases) {
        DragRig rig;
        Editor& e = *rig.ed;
        e.view.viewOriginX = 0, e.view.viewOriginY = 0, e.view.viewZoom = 16;
        e.input.mouseX = 400, e.input.mouseY = 300;
        e.tool.currentTool = c.tool;
        e.dispatch.ctrlHeld = c.ctrl;
        e.drawVertices.toolPointCount = c.count;
        for (int32_t i = 0; i < 8; ++i) e.drawVertices.toolPointsX[i] = e.drawVertices.toolPointsY[i] = 0;
        rig.hit(77, 88);
        dragToolHandles(e);
        for (int32_t i = 0; i < 8; ++i)
            EXPECT_EQ(e.drawVertices.toolPointsX[i], i == c.moved ? 77 : 0)
                << int(c.tool) << " ctrl " << c.ctrl << " point " << i;
    }
}

TEST_F(MouseDrag, TheAffineGridPicksAxisEndsBeforeTheOriginAndCtrlSquaresIt) {
    Settings& g = ed->settings;
    ed->view.viewOriginX = 0, ed->view.viewOriginY = 0, ed->view.viewZoom = 1;
    ed->tool.currentTool = Tool::AffineGrid;
    g.gridSpacing = 64;
    g.affineGridX1 = g.affineGridY1 = 0;
    g.affineGridXx = 0, g.affineGridYx = 0, g.affineGridXy = 0, g.affineGridYy = 0;
    ed->input.mouseX = 400, ed->input.mouseY = 300;
    hit(30, 40);
    dragToolHandles(*ed);  // all three at the pointer: A wins
    EXPECT_EQ(g.affineGridXx, 30);
    EXPECT_EQ(g.affineGridYx, 40);
    EXPECT_EQ(ed->app.cursorLabel, msg(271, {"50"}));
    holdKey(17);
    hit(500, 600);
    dragToolHandles(*ed);
    EXPECT_EQ((std::vector<int32_t>{g.affineGridX1, g.affineGridY1, g.affineGridXx, g.affineGridYx,
                                    g.affineGridXy, g.affineGridYy}),
              (std::vector<int32_t>{500, 600, 64, 0, 0, 64}));
    EXPECT_EQ(ed->app.cursorLabel, msg(272, {"500", "600"}));
}


TEST_F(MouseDrag, TheStartPositionTakesASnapshotAndFacesTheSecondPress) {
    struct Case {
        IntPoint at, facing;
        int32_t angle, sector;
    };
    const Case cases[] = {
        {{100, 100}, {200, 100}, 0, 0},   {{100, 100}, {100, 200}, 512, 0},
        {{100, 100}, {100, 0}, 1536, 0},  {{100, 100}, {200, 0}, -256, 0},
        {{300, 100}, {300, 200}, 512, 1}, {{9000, 9000}, {9100, 9000}, 0, 0},
    };
    for (const Case& c : cases) {
        DragRig rig;
        Editor& e = *rig.ed;
        e.map.sectors[0].floorz = 1000;
        e.map.sectors[1].floorz = 3000;
        e.map.startX = 5;
        e.tool.currentTool = Tool::PlaceStartPosition;
        e.drawVertices.toolPointCount = 0;
        rig.hit(c.at.x, c.at.y);
        pressOtherTool(e);
        EXPECT_EQ(e.map.undoState, UndoState::Nothing) << "the first press only marks the place";
        rig.hit(c.facing.x, c.facing.y);
        pressOtherTool(e);
        const auto where = ::testing::Message() << c.at.x << "," << c.at.y << " facing "
                                                << c.facing.x << "," << c.facing.y;
        EXPECT_EQ(e.map.startX, c.at.x) << where;
        EXPECT_EQ(e.map.startAngle, c.angle) << where;
        EXPECT_EQ(e.map.startSector, c.sector) << where;
        EXPECT_EQ(e.map.startZ, (c.sector ? 3000 : 1000) - 8192) << where;
        EXPECT_EQ(e.tool.currentTool, Tool::Idle);
        EXPECT_EQ(e.map.undoState, UndoState::Snapshot) << where;
        EXPECT_EQ(e.undo.snapshot().startX, 5) << "the snapshot was taken before the start moved";
    }
    clearMapRecords(ed->map);
    ed->tool.currentTool = Tool::PlaceStartPosition;
    ed->drawVertices.toolPointCount = 0;
    pressOtherTool(*ed);
    pressOtherTool(*ed);
    EXPECT_EQ(ed->map.startZ, -8192) << "with no sectors the floor counts as 0";
}


TEST_F(MouseDrag, AimedSpritesFaceTheHitPointAndPointPickersOpenTheirPages) {
    // The angle is taken in single precision and floored: the diagonal lands just below -256.
    const std::pair<IntPoint, int32_t> cases[] = {
        {{200, 100}, 0}, {{100, 200}, 512}, {{0, 100}, 1024}, {{100, 0}, 1536}, {{200, 0}, -257}};
    for (const auto& [target, angle] : cases) {
        DragRig rig;
        const int32_t k = MapBuilder(rig.map).addSprite(100, 100, 0, 0);
        rig.selectSprite(k);
        rig.ed->tool.currentTool = Tool::AimSprites;
        rig.hit(target.x, target.y);
        pressOtherTool(*rig.ed);
        EXPECT_EQ(rig.map.sprites[size_t(k)].ang, angle) << target.x << "," << target.y;
        EXPECT_EQ(rig.ed->tool.currentTool, Tool::Idle);
        EXPECT_EQ(rig.map.undoState, UndoState::Snapshot);
    }
    ed->tool.currentTool = Tool::PickArrayCentre;
    hit(-7, 9);
    pressOtherTool(*ed);
    EXPECT_EQ(ed->app.currentPage, Page::ArrayTool);
    EXPECT_EQ(ed->pages.arrayTool.arrayCenterX, -7);
    EXPECT_EQ(ed->pages.arrayTool.arrayCenterY, 9);
    EXPECT_EQ(ed->tool.currentTool, Tool::Idle);
}


TEST_F(MouseDrag, SideViewHeightMovesCarryTheSectorsAndTheirSprites) {
    const int32_t k = MapBuilder(map).addSprite(100, 100, -100, 0);
    const int32_t other = MapBuilder(map).addSprite(300, 100, -100, 1);
    ed->app.currentPage = Page::SideView;
    ed->tool.selectionMode = SelectionMode::Sectors;
    ed->tool.dragKind = DragKind::Move;
    selectSector(0);
    ed->hover.hoveredSector = 0;
    ed->hover.hitPointZ = -4096;
    pressInMap(*ed);
    EXPECT_EQ(map.movedWallCount, kAllWallsMarked);
    ed->hover.hitPointZ = -5120;
    commitDrag(*ed);
    EXPECT_EQ(map.sectors[0].floorz, -1024);
    EXPECT_EQ(map.sectors[0].ceilingz, -8192 - 1024);
    EXPECT_EQ(map.sectors[1].floorz, 0);
    EXPECT_EQ(map.sprites[size_t(k)].z, -100 - 1024);
    EXPECT_EQ(map.sprites[size_t(other)].z, -100);
    EXPECT_EQ(map.undoState, UndoState::Snapshot);
    expectDragEnded();
}

TEST_F(MouseDrag, ASpriteDroppedOnAWallSectionIsNudgedOffTheLine) {
    const int32_t k = MapBuilder(map).addSprite(100, 0, -100, 0);
    sideViewOnWall(0, 0);
    ed->view.sideViewX1 = 0, ed->view.sideViewY1 = 0;
    ed->view.sideViewX2 = 256, ed->view.sideViewY2 = 0;
    ed->tool.selectionMode = SelectionMode::SpritesAndVertices;
    ed->hover.hoveredSprite = k;
    ed->hover.hitPointZ = -100;
    pressInMap(*ed);
    ASSERT_EQ(ed->tool.draggedSprite, k);
    EXPECT_EQ(ed->drag.spriteDragStartX, 100) << "its place along the section";
    hit(64, 0);
    ed->hover.hitPointZ = -2000;
    commitDrag(*ed);
    // The line runs along +x; its normal (0, 1) points into the room.
    EXPECT_EQ(map.sprites[size_t(k)].x, 64);
    EXPECT_EQ(map.sprites[size_t(k)].y, 1);
    EXPECT_EQ(map.sprites[size_t(k)].z, -2000);
    expectDragEnded();
}


TEST_F(MouseDrag, HostileRecordsAndFarPointsFinishEveryDragInRange) {
    struct Case {
        DragKind kind;
        IntPoint from, to;
        int32_t up;
    };
    const int32_t far = 2147483647;
    const Case cases[] = {
        {DragKind::Move, {100, 100}, {far, -far}, 0},    {DragKind::Move, {-far, far}, {far, -far}, 0},
        {DragKind::Rotate, {far, far}, {far, far}, 45},  {DragKind::Scale, {-far, -far}, {0, 0}, 900},
        {DragKind::Scale, {far, 0}, {0, 0}, -2000},
    };
    for (const Case& c : cases) {
        for (const SelectionMode mode : {SelectionMode::Sectors, SelectionMode::Sprites}) {
            DragRig rig;
            const int32_t k = MapBuilder(rig.map).addSprite(100, 100, 0, 0);
            rig.map.sprites[size_t(k)].sectnum = -1;
            rig.selectSprite(k);
            rig.ed->tool.selectionMode = mode;
            rig.ed->tool.dragKind = c.kind;
            rig.ed->settings.gridSpacing = far;
            rig.ed->hover.hoveredSector = 0;
            rig.ed->hover.hoveredSprite = k;
            rig.pressMoveRelease(0, c.from.x, c.from.y, c.to.x, c.to.y, c.up);
            EXPECT_EQ(rig.map.movedWallCount, 0);
            EXPECT_EQ(rig.ed->tool.draggedSprite, -1);
            for (int32_t w = 0; w < rig.map.wallCount; ++w) {
                EXPECT_GE(rig.map.walls[size_t(w)].x, -far);
                EXPECT_GE(rig.map.walls[size_t(w)].y, -far);
            }
            EXPECT_GE(rig.map.sprites[size_t(k)].x, -far);
            EXPECT_LE(rig.map.sprites[size_t(k)].xrepeat, 255);
        }
    }
}


TEST_F(MouseDrag, PointClicksDecideSelectionAndDragByModifiersAndKind) {
    struct Case {
        bool hoveredSelected, hovered, shift, ctrl;
        DragKind kind;
        int32_t selectedAfter;  // vertices selected after the click (one other is selected before)
        bool drags;
    };
    const Case cases[] = {
        // An unselected vertex: replaces the selection and drags, even with the kind Free.
        {false, true, false, false, DragKind::Free, 1, true},
        {false, true, true, false, DragKind::Move, 2, false},  // Shift adds
        // A selected one: Shift removes it, otherwise it drags unless the kind is Free.
        {true, true, true, false, DragKind::Move, 0, false},
        {true, true, false, false, DragKind::Move, 1, true},
        {true, true, false, false, DragKind::Free, 1, false},
        // Ctrl with a selection drags it as it is.
        {false, false, false, true, DragKind::Rotate, 1, true},
        // Nothing hovered: the selection goes, unless Shift keeps it.
        {false, false, false, false, DragKind::Move, 0, false},
        {false, false, true, false, DragKind::Move, 1, false},
    };
    for (const Case& c : cases) {
        DragRig rig;
        MapStore& m = rig.map;
        m.vertexSelected[c.hoveredSelected ? 1 : 5] = 1;
        m.selectedVertexCount = 1;
        rig.ed->tool.selectionMode = SelectionMode::Vertices;
        rig.ed->tool.dragKind = c.kind;
        rig.ed->dispatch.shiftHeld = c.shift;
        rig.ed->dispatch.ctrlHeld = c.ctrl;
        rig.ed->hover.hoveredVertex = c.hovered ? 1 : -1;
        rig.ed->input.mouseY = 222;
        rig.hit(40, 50);
        pressInMap(*rig.ed);
        const auto row = ::testing::Message() << c.hoveredSelected << c.hovered << c.shift << c.ctrl
                                              << int(c.kind);
        EXPECT_EQ(m.selectedVertexCount, c.selectedAfter) << row;
        EXPECT_EQ(m.movedWallCount, c.drags ? kAllWallsMarked : 0) << row;
        if (c.drags) {
            EXPECT_EQ(rig.ed->drag.dragStartX, 40) << row;
            EXPECT_EQ(rig.ed->app.dragStartMouseY, c.kind == DragKind::Rotate ? 222 : 0) << row;
        }
    }
}

}  // namespace
}  // namespace korvel::test
