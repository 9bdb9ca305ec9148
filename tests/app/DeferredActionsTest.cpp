#include "app/DeferredActions.h"

#include <gtest/gtest.h>

#include "map/UndoSnapshot.h"
#include "support/ChromeRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::ChromeRig;
using test::Trace;

struct Deferred : ChromeRig {
    Trace trace;
    Deferred() {
        EditorCalls& c = ed->calls;
        test::recordOnly(c.checkMap, trace, "checkMap");
        test::recordOnly(c.computeMapStatistics, trace, "computeMapStatistics");
        c.drawPieChart = [this](Editor&, int32_t cx, int32_t cy, int32_t r, int32_t t, int32_t a,
                                uint8_t c1, uint8_t c2) {
            trace.push_back("drawPieChart " + std::to_string(cx) + " " + std::to_string(cy) +
                            " " + std::to_string(r) + " " + std::to_string(t) + " " +
                            std::to_string(a) + " " + std::to_string(c1) + " " +
                            std::to_string(c2));
        };
        c.saveScript = [this](Editor&, int32_t mode) {
            trace.push_back("saveScript " + std::to_string(mode));
        };
        c.runScript = [this](Editor&, const std::string& name, int32_t top) {
            trace.push_back("runScript " + name + " " + std::to_string(top));
        };
    }
    void run(DeferredAction a) {
        ed->app.deferredAction = a;
        ed->cursor.cursorShape = CursorShape::Busy;
        runDeferredAction(*ed);
        EXPECT_EQ(ed->app.deferredAction, DeferredAction::None);
    }
    // Two rooms sharing a wall, a sprite in each.
    void twoRooms() {
        test::MapBuilder b(ed->map);
        b.addRoom(0, 0, 256, 256);
        b.addRoom(256, 0, 512, 256);
        b.addSprite(100, 100, 0, 0, 9);
        b.addSprite(300, 100, 0, 0, 9);  // stands in room 1 but names room 0
        b.link();
    }
};

TEST(DeferredActions, NoneUnknownAndServiceActions) {
    Deferred d;
    Editor& ed = *d.ed;
    d.ed->app.deferredAction = DeferredAction::None;
    runDeferredAction(ed);
    EXPECT_TRUE(d.trace.empty());
    d.run(DeferredAction(77));
    d.run(DeferredAction(-3));
    EXPECT_TRUE(d.trace.empty());
    EXPECT_EQ(ed.cursor.cursorShape, CursorShape::Busy) << "an unknown code is only cleared";

    ed.app.statMapFileSize = 1933338 / 2;
    d.run(DeferredAction::ComputeStatistics);
    d.run(DeferredAction::CheckMap);
    EXPECT_EQ(ed.cursor.cursorShape, CursorShape::Arrow);
    EXPECT_EQ(d.trace, (Trace{"computeMapStatistics", "drawPieChart 400 216 64 12 32768 120 216",
                              "checkMap"}));

    d.run(DeferredAction::ShowDrivePicker);
    EXPECT_EQ(ed.app.currentPage, Page::DrivePicker);

    ed.settings.textureGamma = 2000;
    const auto before = ed.colorTables.gamePaletteMap;
    d.run(DeferredAction::RebuildGammaRemap);
    EXPECT_NE(ed.colorTables.gamePaletteMap, before);
}

TEST(DeferredActions, RepairsTakeOneSnapshotAndEndTheProgressBar) {
    struct Case {
        DeferredAction action;
        int32_t message;
    };
    for (const Case c : {Case{DeferredAction::RepairWallLinks, 334},
                         Case{DeferredAction::DeleteZeroLengthWalls, 335},
                         Case{DeferredAction::RefindSpriteSectors, 336}}) {
        Deferred d;
        Editor& ed = *d.ed;
        d.twoRooms();
        // A one-way link on a shown wall for the link repair.
        const int32_t w = 1;
        const int32_t twin = ed.map.walls[w].nextwall;
        ASSERT_GE(twin, 0);
        ed.map.walls[twin].nextwall = -1;
        ed.map.walls[twin].nextsector = -1;
        auto before = std::make_unique<MapStore>();
        *before = ed.map;
        ed.menus.openMenu = 5;
        d.run(c.action);
        EXPECT_EQ(ed.bootLogState.progressShown, 0);
        EXPECT_EQ(ed.menus.openMenu, 0);
        EXPECT_EQ(ed.map.mapModified, MapModifiedState::Modified);
        EXPECT_EQ(ed.map.undoState, UndoState::Snapshot);
        EXPECT_EQ(ed.cursor.cursorShape, CursorShape::Arrow);
        EXPECT_EQ(ed.app.statusText.empty(), false);
        if (c.action == DeferredAction::RepairWallLinks) {
            EXPECT_TRUE(test::checkMapInvariants(ed.map).empty())
                << test::describeViolations(test::checkMapInvariants(ed.map));
            EXPECT_EQ(ed.map.walls[twin].nextwall, w);
        }
        if (c.action == DeferredAction::RefindSpriteSectors) EXPECT_EQ(ed.map.sprites[1].sectnum, 1);
        if (c.action == DeferredAction::DeleteZeroLengthWalls)
            EXPECT_EQ(ed.app.statusText, d.msg(335, "0"));
        // One undo takes the whole pass back.
        restoreUndo(ed.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
        EXPECT_EQ(test::recordDifference(*before, ed.map), "") << int(c.action);
    }
}

TEST(DeferredActions, ZeroLengthWallsOfShownWallsAreDeleted) {
    Deferred d;
    Editor& ed = *d.ed;
    test::MapBuilder b(ed.map);
    b.addSector({{0, 0}, {256, 0}, {256, 0}, {256, 256}, {0, 256}});
    b.addSector({{1000, 0}, {1256, 0}, {1256, 0}, {1256, 256}, {1000, 256}});
    b.link();
    ed.map.wallIgnored[6] = 1;  // the second sector's zero-length wall is hidden
    d.run(DeferredAction::DeleteZeroLengthWalls);
    EXPECT_EQ(ed.map.wallCount, 9);
    EXPECT_EQ(ed.app.statusText, d.msg(335, "1"));
    EXPECT_EQ(ed.bootLogState.progressShown, 0);
    EXPECT_EQ(ed.bootLogState.progressTotal, 10);
    EXPECT_EQ(ed.bootLogState.progressDone, 9) << "the hidden wall is not counted";
}

TEST(DeferredActions, TilePickerForTheHoveredObject) {
    Deferred d;
    Editor& ed = *d.ed;
    test::MapBuilder b(ed.map);
    b.addRoom(0, 0, 256, 256);
    b.link();
    b.addSprite(10, 10, 0, 0, 9);
    b.addSprite(20, 20, 0, 0, 3);
    b.addSprite(30, 30, 0, 0, 3);
    ed.map.sectors[0].floorpicnum = 5;
    ed.map.sectors[0].ceilingpicnum = 6;
    for (int32_t w = 0; w < 4; ++w) ed.map.walls[w].picnum = 7, ed.map.walls[w].overpicnum = 8;
    ValuePromptState& p = ed.prompt;
    TilePickerState& tp = ed.pages.tilePicker;
    struct Case {
        int32_t sprite, wall, sector;
        bool shift, ceiling;
        int32_t targetSprite, targetWall, targetSector, overpic, cursor, first;
    };
    const Case cases[] = {
        {0, 1, 0, false, false, 0, -1, -1, 0, 1, 3},  // sprite tiles: 3 (twice), then 9
        {1, 1, 0, false, false, 1, -1, -1, 0, 0, 3},
        {0, 1, 0, true, false, -1, 1, -1, 1, 0, 8},   // Shift: the wall's masked texture
        {-1, 2, 0, false, false, -1, 2, -1, 0, 0, 7},
        {-1, -1, 0, false, true, -1, -1, 0, 0, 0, 6},  // the ceiling with ceilingView
        {-1, -1, 0, false, false, -1, -1, 0, 0, 0, 5},
        {-1, -1, 0, true, false, -1, -1, -1, 0, 0, -2},  // Shift and no wall: no target
        {99, 50, 7, false, false, -1, -1, -1, 0, 0, -2},  // hovered numbers past the counts
    };
    for (const Case& c : cases) {
        ed.hover.hoveredSprite = c.sprite;
        ed.hover.hoveredWall = c.wall;
        ed.hover.hoveredSector = c.sector;
        ed.dispatch.shiftHeld = c.shift;
        ed.settings.ceilingView = c.ceiling;
        tp.tilePickerCursor = 0;
        tp.tilePickerShowAll = 1;
        ed.app.currentPage = Page::PlanView;
        d.run(DeferredAction::TilePickerForHovered);
        EXPECT_EQ(ed.app.currentPage, Page::TilePicker);
        EXPECT_EQ(p.targetSprite, c.targetSprite) << c.sprite << c.wall << c.shift;
        EXPECT_EQ(p.targetWall, c.targetWall) << c.sprite << c.wall << c.shift;
        EXPECT_EQ(p.targetSector, c.targetSector) << c.sprite << c.wall << c.shift;
        EXPECT_EQ(tp.tilePickerShowAll, 0);
        EXPECT_EQ(tp.tilePickerCursor, c.cursor) << c.sprite << c.wall << c.shift;
        if (c.first != -2) {
            EXPECT_EQ(tp.targetOverpicnum, c.overpic);
            EXPECT_EQ(ed.tileCatalog.tileList[0], c.first) << c.sprite << c.wall << c.shift;
        }
        EXPECT_EQ(ed.tool.selectionModeMask & 1, 1);
        EXPECT_EQ(ed.app.redrawRequest, 1);
    }
    // A tile the list skips (outside the tiles) leaves the cursor at the list's start.
    for (const int16_t bad : {int16_t(-5), int16_t(20000)}) {
        ed.map.sprites[2].picnum = bad;
        ed.hover.hoveredSprite = 2;
        ed.dispatch.shiftHeld = 0;
        tp.tilePickerCursor = 1234;
        d.run(DeferredAction::TilePickerForHovered);
        EXPECT_EQ(tp.tilePickerCursor, 0) << bad;
    }
}

TEST(DeferredActions, SelectionLayerMask) {
    ToolState t;
    const uint8_t want[8] = {3, 5, 9, 17, 33, 65, 1, 1};
    for (int32_t m = 0; m < 8; ++m) {
        t.selectionMode = SelectionMode(m);
        updateSelectionLayerMask(t);
        EXPECT_EQ(t.selectionModeMask, want[m]) << m;
    }
}

}  // namespace
}  // namespace korvel
