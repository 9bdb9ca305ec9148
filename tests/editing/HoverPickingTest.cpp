#include "editing/HoverPicking.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>

#include "app/Settings.h"
#include "editing/HoverState.h"
#include "editing/ToolState.h"
#include "map/GeometryQueries.h"
#include "support/MapBuilder.h"
#include "views/ViewState.h"

namespace korvel {
namespace {

using test::MapBuilder;

// A map, the settings and view it is picked with, and the hover the picks fill. At the default
// zoom of 1 with the origin at 0, the pixel (400 + x, 300 - y) is the map point (x, y).
struct PickRig {
    std::unique_ptr<MapStore> owned = std::make_unique<MapStore>();
    MapStore& map = *owned;
    Settings settings;
    ToolState tool;
    std::unique_ptr<ViewState> ownedView = std::make_unique<ViewState>();
    ViewState& view = *ownedView;
    HoverState hover;

    PickRig() {
        view.viewZoom = 1;
        view.sideViewScale = 1;
        settings.snapToGrid = 0;
    }
    void forget() {
        hover.hoveredVertex = hover.hoveredSprite = hover.hoveredSector = hover.hoveredWall = -1;
    }
    // Picks at a screen pixel.
    void pixel(int32_t x, int32_t y) {
        forget();
        pickPlanHover(map, PlanPick{x, y, PlanProjection(view), settings, tool}, hover);
    }
    // Picks at a map point (zoom 1, origin 0).
    void at(int32_t x, int32_t y) { pixel(400 + x, 300 - y); }
    void side(int32_t x, int32_t y, bool leftHeld = false) {
        forget();
        pickSideHover(map, SidePick{x, y, SideProjection(view), view, settings, leftHeld}, hover);
    }
};

// Three rooms whose corners meet at the origin, each with a wall that starts there.
void threeRoomsAtOrigin(MapStore& map) {
    MapBuilder b(map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(-256, 0, 0, 256);
    b.addRoom(-256, -256, 0, 0);
    b.link();
}

std::vector<int32_t> wallsStartingAt(const MapStore& map, int32_t x, int32_t y) {
    std::vector<int32_t> walls;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.walls[w].x == x && map.walls[w].y == y) walls.push_back(w);
    return walls;
}

TEST(HoverPicking, AVertexSharedByThreeWallsCyclesPastTheSelectedOnes) {
    PickRig r;
    threeRoomsAtOrigin(r.map);
    const std::vector<int32_t> w = wallsStartingAt(r.map, 0, 0);
    ASSERT_EQ(w.size(), 3u);
    struct Case {
        std::vector<int> selected;  // indexes into w
        int hovered;
    } const cases[] = {
        {{}, 0},         // none selected: the first
        {{0, 1}, 2},     // two selected: the third
        {{0, 1, 2}, 0},  // all selected: the first again
        {{1}, 2},        // the first unselected after a selected one
        {{2}, 0},        // walking round from the first
    };
    for (const Case& c : cases) {
        for (int32_t wall : w) r.map.vertexSelected[wall] = 0;
        for (int i : c.selected) r.map.vertexSelected[w[size_t(i)]] = 1;
        r.at(3, 2);
        EXPECT_EQ(r.hover.hoveredVertex, w[size_t(c.hovered)]) << c.selected.size();
    }
}

TEST(HoverPicking, OfTwoSpritesAtOneSpotTheLaterIsHovered) {
    PickRig r;
    MapBuilder b(r.map);
    b.addRoom(0, 0, 512, 512);
    b.addSprite(100, 100, 0, 0);
    b.addSprite(300, 300, 0, 0);
    b.addSprite(300, 300, 0, 0);
    r.at(302, 301);
    EXPECT_EQ(r.hover.hoveredSprite, 2);
    EXPECT_EQ(r.hover.hoverSpriteDistance, int32_t(std::floor(std::sqrt(128.0 * 128 + 64 * 64))));
    r.map.spriteIgnored[2] = uint8_t(HiddenState::Filtered);
    r.at(302, 301);
    EXPECT_EQ(r.hover.hoveredSprite, 1) << "only shown sprites are picked";
}

TEST(HoverPicking, OverlappingSectorsAreCycledLikeVertices) {
    PickRig r;
    MapBuilder b(r.map);
    b.addRoom(0, 0, 512, 512);
    b.addRoom(256, 256, 768, 768);
    r.at(300, 300);
    EXPECT_EQ(r.hover.hoveredSector, 0);
    r.map.sectorSelected[0] = 1;
    r.at(300, 300);
    EXPECT_EQ(r.hover.hoveredSector, 1);
    r.at(100, 100);
    EXPECT_EQ(r.hover.hoveredSector, 0) << "one candidate, selected or not";
}

TEST(HoverPicking, OutsideEverySectorOnlyOneSidedWallsFromOutside) {
    PickRig r;
    MapBuilder b(r.map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(256, 0, 512, 256);
    b.link();
    // Just outside the top wall of the first room.
    r.at(100, -10);
    EXPECT_EQ(r.hover.hoveredSector, -1);
    EXPECT_EQ(r.hover.hoveredWall, 0);
    // Inside the second room, which is hidden: near the shared wall, which is two-sided.
    r.map.sectorIgnored[1] = uint8_t(HiddenState::Hidden);
    r.at(266, 100);
    EXPECT_EQ(r.hover.hoveredSector, -1);
    EXPECT_EQ(r.hover.hoveredWall, -1);
    // Inside the first room while it is filtered: its walls only count from outside.
    r.map.sectorIgnored[0] = uint8_t(HiddenState::Filtered);
    r.at(100, 10);
    EXPECT_EQ(r.hover.hoveredWall, -1);
    // Inside a shown room, the nearest of its walls on the inner side.
    r.map.sectorIgnored[0] = uint8_t(HiddenState::Shown);
    r.at(100, 10);
    EXPECT_EQ(r.hover.hoveredSector, 0);
    EXPECT_EQ(r.hover.hoveredWall, 0);
    EXPECT_EQ(r.hover.hoverWallPointX, 100);
    EXPECT_EQ(r.hover.hoverWallPointY, 0);
}

TEST(HoverPicking, AFootPointAFractionPastTheEndStillHovers) {
    // A quarter unit per pixel: the pointer can stand a quarter of a unit past the corner.
    PickRig r;
    MapBuilder(r.map).addRoom(0, 0, 256, 256);
    r.view.viewZoom = 0.25f;
    r.view.viewOriginX = -256;
    r.view.viewOriginY = -16;
    r.pixel(401, 300);  // (256.25, -16)
    EXPECT_EQ(r.hover.hoveredWall, 0);
    r.pixel(404, 300);  // (257, -16)
    EXPECT_EQ(r.hover.hoveredWall, -1);
}

TEST(HoverPicking, TheVertexSnapsTheHitPointOnlyWithSnapping) {
    PickRig r;
    MapBuilder(r.map).addRoom(0, 0, 256, 256);
    r.settings.gridSpacing = 64;
    r.at(5, 3);
    EXPECT_EQ(r.hover.hoveredVertex, 0);
    EXPECT_EQ(r.hover.hitPointX, 5) << "snapping off: the mouse point";
    EXPECT_EQ(r.hover.hitPointY, 3);
    r.settings.snapToGrid = 1;
    r.at(5, 3);
    EXPECT_EQ(r.hover.hitPointX, 0);
    EXPECT_EQ(r.hover.hitPointY, 0);
    EXPECT_EQ(r.hover.hoverVertexDistance, int32_t(std::floor(64 * std::sqrt(34.0))));
    // Beyond the snap distance of 8 pixels but within the pick radius of 24 the grid decides.
    r.settings.gridSpacing = 16;
    r.at(10, 20);
    EXPECT_EQ(r.hover.hoveredVertex, 0) << "still within the pick radius of 24";
    EXPECT_EQ(r.hover.hitPointX, 16);
    EXPECT_EQ(r.hover.hitPointY, 16);
}

TEST(HoverPicking, SnappingRoundsHalvesAwayFromZeroInWideArithmetic) {
    struct Case {
        int32_t c;
        int64_t step;
        int32_t snapped;
    } const cases[] = {
        {-32, 64, -64},
        {32, 64, 64},
        {31, 64, 0},
        {-31, 64, 0},
        {0, 64, 0},
        {100, 0, 100},  // a step below 1 snaps as 1
        {100, -64, 100},
        {5, 2147483647, 0},
        {2147483647, 2147483647, 2147483647},
        {-2147483647 - 1, 2147483647, -2147483647},
        {2100000000, 1400000000, INT32_MAX},  // 2800000000 saturates
        {-2100000000, 1400000000, INT32_MIN},
        {2147483647, 1024, INT32_MAX},
        {-2147483647 - 1, 16 * 2147483647LL, -2147483647 - 1 + 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.c << " by " << c.step);
        if (c.c == INT32_MIN && c.step > INT32_MAX) {
            EXPECT_EQ(snapToStep(c.c, c.step), 0);
            continue;
        }
        EXPECT_EQ(snapToStep(c.c, c.step), c.snapped);
    }
}

TEST(HoverPicking, TheAffineGridSnapsToItsNearestLatticePoint) {
    PickRig r;
    r.settings.snapToGrid = 1;
    r.settings.affineGridMode = 1;
    // Axes (100, 20) and (-30, 90) from (7, -5), at step 1.
    r.settings.affineGridXx = 100, r.settings.affineGridYx = 20;
    r.settings.affineGridXy = -30, r.settings.affineGridYy = 90;
    r.settings.affineGridX1 = 7, r.settings.affineGridY1 = -5;
    // 2 u + 1 v = (177, 125); the pointer a little off it.
    r.at(180, 120);
    EXPECT_EQ(r.hover.hitPointX, 177);
    EXPECT_EQ(r.hover.hitPointY, 125);
    // The grid's own tool places its handles on the square grid.
    r.tool.currentTool = Tool::AffineGrid;
    r.settings.gridSpacing = 64;
    r.at(180, 120);
    EXPECT_EQ(r.hover.hitPointX, 192);
    EXPECT_EQ(r.hover.hitPointY, 128);
    // Parallel axes have no lattice: the mouse point.
    r.tool.currentTool = Tool::Idle;
    r.settings.affineGridXy = 50, r.settings.affineGridYy = 10;
    r.at(180, 120);
    EXPECT_EQ(r.hover.hitPointX, 180);
    EXPECT_EQ(r.hover.hitPointY, 120);
}

TEST(HoverPicking, CursorHeightsFollowASlopedFloor) {
    PickRig r;
    MapBuilder(r.map).addRoom(0, 0, 1024, 1024);
    SectorRecord& s = r.map.sectors[0];
    s.floorstat = kSurfaceSloped;
    s.floorheinum = 512;  // 2 z per unit away from the first wall
    s.floorz = 8192;
    r.at(300, 400);
    ASSERT_EQ(r.hover.hoveredSector, 0);
    EXPECT_EQ(r.hover.cursorFloorZ, 8192 + 800);
    EXPECT_EQ(r.hover.cursorFloorZ, getTrueFloorZ(r.map, 300, 400, 0));
    EXPECT_EQ(r.hover.cursorCeilingZ, s.ceilingz);
}

TEST(HoverPicking, ThePanelSubjectFollowsTheSelectionModesOrder) {
    PickRig r;
    using M = SelectionMode;
    using P = PanelSubject;
    struct State {
        int sprites, sectors, walls;  // selected counts
        int hovSprite, hovSector, hovWall;
    };
    struct Case {
        M mode;
        State s;
        P subject;
    } const cases[] = {
        {M::Sprites, {1, 1, 1, 0, 0, 0}, P::SelectedSprites},
        {M::Vertices, {0, 1, 1, 0, 0, 0}, P::SelectedSectors},
        {M::SpritesAndVertices, {0, 0, 1, 0, 0, 0}, P::SelectedWalls},
        {M::Sprites, {0, 0, 0, 3, 4, 5}, P::HoveredSprite},
        {M::Vertices, {0, 0, 0, -1, 4, 5}, P::HoveredSector},
        {M::SpritesAndVertices, {0, 0, 0, -1, -1, 5}, P::HoveredWall},
        {M::Walls, {1, 1, 1, 3, 4, 5}, P::SelectedWalls},
        {M::Loops, {1, 1, 0, 3, 4, 5}, P::SelectedSprites},
        {M::Walls, {0, 1, 0, 3, 4, 5}, P::SelectedSectors},
        {M::Loops, {0, 0, 0, 3, 4, 5}, P::HoveredWall},
        {M::Walls, {0, 0, 0, 3, 4, -1}, P::HoveredSprite},
        {M::Sectors, {1, 1, 1, 3, 4, 5}, P::SelectedSectors},
        {M::Sectors, {1, 0, 1, 3, 4, 5}, P::SelectedSprites},
        {M::Sectors, {0, 0, 1, 3, 4, 5}, P::SelectedWalls},
        {M::Sectors, {0, 0, 0, 3, 4, 5}, P::HoveredSector},
        {M::Sectors, {0, 0, 0, 3, -1, 5}, P::HoveredSprite},
        {M::Sectors, {0, 0, 0, -1, -1, -1}, P::None},
        {M::BooleanTarget, {1, 1, 1, 3, 4, 5}, P::None},
        {M::AreaSettings, {1, 1, 1, 3, 4, 5}, P::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.mode));
        r.tool.selectionMode = c.mode;
        r.map.selectedSpriteCount = c.s.sprites;
        r.map.selectedSectorCount = c.s.sectors;
        r.map.selectedWallCount = c.s.walls;
        r.hover.hoveredSprite = c.s.hovSprite;
        r.hover.hoveredSector = c.s.hovSector;
        r.hover.hoveredWall = c.s.hovWall;
        choosePanelSubject(r.map, r.tool, r.hover);
        EXPECT_EQ(r.hover.panelSubject, c.subject);
    }
}

// The pixel where the plan view draws a vertex lies within the snap distance, whatever the
// zoom and the origin's fraction: the pick hovers that vertex and snaps onto it.
TEST(HoverPicking, ThePixelOfADrawnVertexHoversAndSnapsToIt) {
    struct Case {
        float zoom, originX, originY;
    } const cases[] = {
        {16, 0, 0}, {16, 1234.5f, -77.25f}, {0.7f, 13.3f, 8.8f}, {3, -1000, 500}, {0.05f, 3, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        PickRig r;
        MapBuilder(r.map).addRoom(-96, 40, 160, 296);
        r.settings.snapToGrid = 1;
        r.settings.gridSpacing = 64;
        r.view.viewZoom = c.zoom;
        r.view.viewOriginX = c.originX;
        r.view.viewOriginY = c.originY;
        const PlanProjection p(r.view);
        for (int32_t w = 0; w < r.map.wallCount; ++w) {
            const WallRecord& wall = r.map.walls[w];
            r.pixel(p.column(wall.x), p.row(wall.y));
            EXPECT_EQ(r.hover.hoveredVertex, w);
            EXPECT_EQ(r.hover.hitPointX, wall.x);
            EXPECT_EQ(r.hover.hitPointY, wall.y);
        }
    }
}

// The side view at one unit per pixel with the origin at 0: position p is column 400 + p, and
// height z is row 300 - z / 16.
TEST(HoverPicking, SectionBandsNameTheSectorAndTheNearerLine) {
    PickRig r;
    MapBuilder b(r.map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(256, 0, 512, 256);
    r.view.sideViewSubjectKind = SideViewSubjectKind::Section;
    r.view.sideViewX1 = 0, r.view.sideViewY1 = 100, r.view.sideViewX2 = 400, r.view.sideViewY2 = 100;
    r.view.sectionSliceCount = 2;
    // Floor rows 200 and ceiling rows 400 over columns 400 to 600; then a sloping second band.
    r.view.sectionSlices[0] = {0, 0, 200, 1600, 1600, -1600, -1600, -1, 0, 0, 100, 200, 100};
    r.view.sectionSlices[1] = {1, 200, 400, 0, 1600, -3200, -3200, 1, -1, 200, 100, 400, 100};
    struct Case {
        int32_t x, y;
        int32_t sector;
        uint8_t part;
    } const cases[] = {
        {500, 250, 0, 1}, {500, 390, 0, 2}, {500, 300, 0, 1}, {500, 450, -1, 0},
        {500, 199, -1, 0}, {700, 260, 1, 1}, {700, 480, 1, 2}, {700, 240, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << ", " << c.y);
        r.side(c.x, c.y);
        EXPECT_EQ(r.hover.hoveredSector, c.sector);
        EXPECT_EQ(r.hover.sideHoverPart, c.part);
    }
    // A hidden sector's band is passed over; so is a slice naming no sector.
    r.map.sectorIgnored[0] = uint8_t(HiddenState::Hidden);
    r.side(500, 250);
    EXPECT_EQ(r.hover.hoveredSector, -1);
    r.view.sectionSlices[1].sector = 4000;
    r.side(700, 260);
    EXPECT_EQ(r.hover.hoveredSector, -1);
    // The positions along the line give the map points under the pointer.
    EXPECT_EQ(r.hover.sideMousePos, 300);
    EXPECT_EQ(r.hover.mouseMapX, 300);
    EXPECT_EQ(r.hover.mouseMapY, 100);
}

TEST(HoverPicking, AWallSubjectNamesItsPartAndItsNearestLine) {
    // Own floor and ceiling at rows 300 and 500, the sector behind at rows 350 and 450.
    PickRig r;
    MapBuilder b(r.map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(256, 0, 512, 256);
    b.link();
    r.map.sectors[0].floorz = 0, r.map.sectors[0].ceilingz = -3200;
    r.map.sectors[1].floorz = -800, r.map.sectors[1].ceilingz = -2400;
    const int32_t shared = 1;  // the first room's wall from (256, 0) to (256, 256)
    ASSERT_EQ(r.map.walls[shared].nextsector, 1);
    r.view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    r.view.sideViewSubject = shared;
    r.view.sideViewX1 = 256, r.view.sideViewY1 = 0, r.view.sideViewX2 = 256, r.view.sideViewY2 = 256;
    struct Case {
        int32_t y;
        uint8_t wallPart, line;
    } const cases[] = {
        {310, 1, 1}, {340, 1, 3}, {360, 3, 3}, {440, 3, 4}, {460, 2, 4},
        {490, 2, 2}, {520, 0, 2}, {290, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y);
        r.side(500, c.y);
        EXPECT_EQ(r.hover.sideViewWallPart, c.wallPart);
        EXPECT_EQ(r.hover.sideHoverPart, c.line);
    }
    // Beyond the wall's columns nothing is named.
    r.side(700, 360);
    EXPECT_EQ(r.hover.sideViewWallPart, 0);
    // A one-sided wall is part 4 between its own lines.
    r.view.sideViewSubject = 0;
    r.side(500, 400);
    EXPECT_EQ(r.hover.sideViewWallPart, 4);
    EXPECT_EQ(r.hover.sideHoverPart, 1);
    r.side(500, 401);
    EXPECT_EQ(r.hover.sideHoverPart, 2);
    // While the left button is held both stay as the press found them.
    r.side(500, 100, true);
    EXPECT_EQ(r.hover.sideViewWallPart, 4);
    EXPECT_EQ(r.hover.sideHoverPart, 2);
    // A subject wall deleted since names nothing.
    r.view.sideViewSubject = 9999;
    r.side(500, 400);
    EXPECT_EQ(r.hover.sideViewWallPart, 0);
}

// Records holding anything: picks read no index before checking it.
TEST(HoverPicking, DamagedRecordsArePassedOverNotRead) {
    PickRig r;
    MapBuilder b(r.map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(256, 0, 512, 256);
    b.link();
    b.addSprite(100, 100, 0, 0);
    struct Case {
        const char* what;
        void (*damage)(MapStore&);
    } const cases[] = {
        {"wallptr past the walls", [](MapStore& m) { m.sectors[0].wallptr = 30000; }},
        {"wallnum past the walls", [](MapStore& m) { m.sectors[0].wallnum = 30000; }},
        {"negative wallnum", [](MapStore& m) { m.sectors[1].wallnum = -5; }},
        {"point2 out of range", [](MapStore& m) { m.walls[2].point2 = 20000; }},
        {"negative point2", [](MapStore& m) { m.walls[0].point2 = -3; }},
        {"nextwall out of range", [](MapStore& m) { m.walls[1].nextwall = 31000; }},
        {"nextsector out of range", [](MapStore& m) { m.walls[1].nextsector = 4000; }},
        {"sprite sector out of range", [](MapStore& m) { m.sprites[0].sectnum = -7; }},
        {"coordinates near the 32-bit ends",
         [](MapStore& m) {
             m.walls[0].x = INT32_MAX, m.walls[1].y = INT32_MIN;
             m.sprites[0].x = INT32_MIN;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PickRig d;
        *d.owned = r.map;
        c.damage(d.map);
        for (const float zoom : {0.005f, 1.0f, 65536.0f, 1e12f}) {  // the last past any bound
            d.view.viewZoom = zoom;
            d.settings.snapToGrid = 1;
            for (const auto& p : {std::pair{400, 300}, {0, 0}, {799, 599}, {-100000, 100000}})
                d.pixel(p.first, p.second);
        }
        d.view.sideViewSubjectKind = SideViewSubjectKind::Wall;
        d.view.sideViewSubject = 1;
        d.side(420, 300);
    }
}


TEST(HoverPicking, ADeletedSideViewSubjectOrSliceSectorIsPassedOver) {
    PickRig r;
    MapBuilder b(r.map);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(256, 0, 512, 256);
    b.link();
    struct Case {
        SideViewSubjectKind kind;
        int32_t subject;
        int32_t sliceSector;
    } const cases[] = {
        {SideViewSubjectKind::Wall, 8, 0},       // the wall was deleted: past the walls
        {SideViewSubjectKind::Wall, -1, 0},
        {SideViewSubjectKind::Wall, 40000, 0},
        {SideViewSubjectKind::Section, 0, 2},    // a slice of a deleted sector
        {SideViewSubjectKind::Section, 0, -1},
        {SideViewSubjectKind::Section, 0, 70000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.subject) + " " + std::to_string(c.sliceSector));
        r.view.sideViewSubjectKind = c.kind;
        r.view.sideViewSubject = c.subject;
        r.view.sideViewX1 = 0, r.view.sideViewY1 = 128, r.view.sideViewX2 = 512;
        r.view.sideViewY2 = 128;
        r.view.sectionSliceCount = 1;
        r.view.sectionSlices[0] = SectionSlice{c.sliceSector, -1000, 1000, 0, 0, -8192, -8192,
                                               0, 0, 0, 0, 0, 0};
        for (const auto& p : {std::pair{400, 300}, {0, 0}, {799, 599}})
            for (bool held : {false, true}) r.side(p.first, p.second, held);
        EXPECT_EQ(r.hover.hoveredSector, -1);
        EXPECT_EQ(r.hover.sideViewWallPart, 0);
    }
}

}  // namespace
}  // namespace korvel
