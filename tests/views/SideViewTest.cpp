#include "views/SideView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/SideViewRig.h"
#include "views/SideViewSlices.h"

namespace korvel {
namespace {

using test::PlanColours;
using test::SideViewRig;

constexpr uint8_t kLine = PlanColours::oneSided + 2;  // sector lines and slice outlines
constexpr uint8_t kOpen = PlanColours::open + 2;
constexpr uint8_t kBand = PlanColours::sectorHighlight;
constexpr int32_t kProbeX = 100;  // a column clear of the pad and the start marker

// Two rooms stacked at one place: the lower from z 0 to -1600 (rows 300 to 400 at scale 1),
// the upper from -2400 to -3200 (rows 450 to 500).
void stackedRooms(SideViewRig& r) {
    r.build.addRoom(0, 0, 100, 100);
    r.build.addRoom(0, 0, 100, 100);
    r.map.sectors[0].floorz = 0;
    r.map.sectors[0].ceilingz = -1600;
    r.map.sectors[1].floorz = -2400;
    r.map.sectors[1].ceilingz = -3200;
    r.viewPoint(50, 50);
}

TEST(SideView, PointColumnShowsEveryStackedSectorAndTheHoveredBand) {
    SideViewRig r;
    stackedRooms(r);
    r.hover.hoveredSector = 0;
    r.paint();
    for (const int32_t row : {300, 400, 450, 500}) EXPECT_EQ(r.px(kProbeX, row), kLine) << row;
    EXPECT_EQ(r.px(kProbeX, 301), kBand);
    EXPECT_EQ(r.px(kProbeX, 399), kBand);
    EXPECT_EQ(r.px(kProbeX, 420), r.backdrop);
    EXPECT_EQ(r.px(kProbeX, 470), r.backdrop) << "the upper sector is not hovered";
    EXPECT_TRUE(r.onlyMapViewTouched());
}

TEST(SideView, SelectedBandsBlinkAndHoveredOnesStaySteady) {
    struct Case {
        bool selected, hovered;
        int32_t time;
        bool lit;
    };
    const Case cases[] = {{true, false, 50, true},  {true, false, 150, false},
                          {false, true, 50, true},  {false, true, 150, true},
                          {true, true, 150, false}, {false, false, 50, false}};
    for (const bool section : {false, true}) {
        SideViewRig r;
        stackedRooms(r);
        if (section) r.viewSection(-20, 50, 120, 50);
        for (const Case& c : cases) {
            r.map.sectorSelected[0] = c.selected;
            r.hover.hoveredSector = c.hovered ? 0 : -1;
            r.paint(c.time);
            EXPECT_EQ(r.px(r.column(60), 350) == kBand, c.lit)
                << (section ? "slice" : "band") << " selected " << c.selected << " hovered "
                << c.hovered << " at " << c.time;
        }
    }
}

TEST(SideView, GridFillsTheViewWhenItsStepIsAPixelAndDrawsColumnsOnlyAlongLines) {
    struct Case {
        const char* name;
        int32_t spacing;
        float scale;
        bool section;
        bool wholeView, columns;
    };
    const Case cases[] = {
        {"one unit at scale 1", 1, 1, true, true, false},
        {"smaller than a pixel", 64, 128, true, true, false},
        {"64 units along a section", 64, 1, true, false, true},
        {"64 units in a point's column", 64, 1, false, false, false},
    };
    for (const Case& c : cases) {
        SideViewRig r;
        r.build.addRoom(0, 0, 100, 100);
        if (c.section)
            r.viewSection(-20, 50, 120, 50);
        else
            r.viewPoint(50, 50);
        r.settings.showGrid = 1;
        r.settings.gridSpacing = c.spacing;
        r.view.sideViewScale = c.scale;
        r.paint();
        const uint8_t grid = c.spacing == 1 ? PlanColours::gridUnit : PlanColours::grid;
        int32_t gridRows = 0;
        for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y) gridRows += r.px(150, y) == grid;
        if (c.wholeView)
            EXPECT_GT(gridRows, 440) << c.name;
        else
            EXPECT_LT(gridRows, 20) << c.name;
        // Position 64 lies on a grid column; row 333 on no grid row of a coarse grid.
        if (!c.wholeView) EXPECT_EQ(r.px(r.column(64), 333) == grid, c.columns) << c.name;
    }
}

// Two rooms sharing a wall: the left from z 0 to -1600 (rows 300..400), the right with a higher
// floor and a lower ceiling (rows 320..380). The section runs from position 0 to 180, the
// shared wall at 90.
TEST(SideView, SharedTwoSidedWallShowsItsOpeningOpenAndItsStepsOneSided) {
    SideViewRig r;
    r.build.addRoom(0, 0, 100, 100);
    r.build.addRoom(100, 0, 200, 100);
    r.build.link();
    r.map.sectors[0].ceilingz = -1600;
    r.map.sectors[1].floorz = -320;
    r.map.sectors[1].ceilingz = -1280;
    r.viewSection(10, 50, 190, 50);
    ASSERT_EQ(r.view.sectionSliceCount, 2);
    r.paint();
    const int32_t wall = r.column(90);
    EXPECT_EQ(r.px(wall, 310), kLine) << "the step up to the higher floor";
    EXPECT_EQ(r.px(wall, 350), kOpen) << "the opening";
    EXPECT_EQ(r.px(wall, 390), kLine) << "the step down to the lower ceiling";
    // The section's own ends: the line's start inside a sector is drawn in the grid colour.
    EXPECT_EQ(r.px(r.column(0), 350), PlanColours::grid + 2);
    EXPECT_EQ(r.px(r.column(0), 450), PlanColours::service) << "the dotted section end";
    EXPECT_EQ(r.px(r.column(0), 451), r.backdrop);

    // One-sided walls (here: twin indices damaged or missing) are plain lines.
    r.map.walls[1].nextwall = 31000;
    r.map.walls[7].nextwall = -1;
    r.paint();
    EXPECT_EQ(r.px(wall, 350), kLine);
    EXPECT_EQ(r.px(wall, 310), kLine);
}

TEST(SideView, StartMarkerLiesOnTheRowOfItsHeight) {
    SideViewRig r;
    r.map.startX = 50, r.map.startY = 50;
    r.viewPoint(50, 50);
    struct Case {
        int32_t z, row;
    };
    // Height 0 on the horizon; 320 units below a floor at 0 drawn 20 rows under that floor.
    for (const Case c : {Case{0, 300}, Case{320, 280}}) {
        r.map.startZ = c.z;
        r.paint();
        EXPECT_EQ(r.px(250, c.row), PlanColours::start) << c.z;  // within 192 of column 400
        EXPECT_EQ(r.px(591, c.row), PlanColours::start) << c.z;
        EXPECT_EQ(r.px(150, c.row), c.row == 300 ? PlanColours::service : r.backdrop) << c.z;
    }
    r.map.startX = 51;
    r.paint();
    EXPECT_EQ(r.px(250, 280), r.backdrop) << "only at the viewed point";
}

TEST(SideView, HeightRangeLinesLieOnTheNearestRowAndTintOutsideTheBand) {
    SideViewRig r;
    test::fillSyntheticBlend(r.colorTables);
    r.viewPoint(50, 50);
    r.settings.zRangeMode = uint8_t(ZRangeMode::ByFloor);
    r.settings.zRangeLow = -1608;  // 100.5 rows above the horizon: halves go upwards
    r.settings.zRangeHigh = 1600;
    r.paint();
    const uint8_t tint = PlanColours::filtered - 1;
    const auto tinted = [&](uint8_t p) { return r.colorTables.blendTable[p * 256 + tint]; };
    EXPECT_EQ(r.px(kProbeX, 401), PlanColours::filtered);
    EXPECT_EQ(r.px(kProbeX, 200), PlanColours::filtered);
    EXPECT_EQ(r.px(kProbeX, 402), tinted(r.backdrop));
    EXPECT_EQ(r.px(kProbeX, 199), tinted(r.backdrop));
    EXPECT_EQ(r.px(kProbeX, 350), r.backdrop) << "the band stays untinted";
    EXPECT_EQ(r.px(kProbeX, 300), PlanColours::service) << "the horizon inside the band";
}

TEST(SideView, NavigationPadShowsTheButtonsOfItsSubject) {
    struct Case {
        const char* name;
        int subject;  // 0 point, 1 one-sided wall, 2 two-sided wall, 3 deleted wall
        int32_t lit;
        std::vector<int32_t> shown;
    };
    // Lower left corners of the buttons, by number.
    const int32_t at[8][2] = {{0, 0},     {696, 184}, {744, 184}, {720, 160},
                              {720, 208}, {8, 288},   {768, 288}, {388, 136}};
    const int32_t shift[8] = {0, 168, 168, 168, 168, 228, 228, 120};
    const Case cases[] = {
        {"point", 0, 0, {1, 2, 3, 4}},    {"point, button 2 lit", 0, 2, {1, 2, 3, 4}},
        {"one-sided wall", 1, 0, {5, 6}}, {"two-sided wall, 7 lit", 2, 7, {5, 6, 7}},
        {"deleted wall", 3, 0, {5, 6}},
    };
    for (const Case& c : cases) {
        SideViewRig r;
        r.build.addRoom(0, 0, 100, 100);
        r.build.addRoom(0, -100, 100, 0);
        if (c.subject == 2) r.build.link();
        if (c.subject == 0)
            r.viewPoint(50, 50);
        else
            r.viewWall(0);
        if (c.subject == 3) r.view.sideViewSubject = 40;
        r.app.sideViewPadButton = c.lit;
        r.paint();
        for (int32_t b = 1; b <= 7; ++b) {
            const bool shown = std::find(c.shown.begin(), c.shown.end(), b) != c.shown.end();
            const uint8_t want = uint8_t(test::kPadSkinValue + shift[b] + (b == c.lit ? 3 : 0));
            EXPECT_EQ(r.px(at[b][0] + 12, at[b][1] + 12) == want, shown)
                << c.name << " button " << b;
        }
    }
}

// Records and settings of any value: painting ends, stays inside the map view and reads only
// what exists.
TEST(SideView, HostileStateEndsAndStaysInTheMapView) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float scales[] = {0, -1, nan, 1e-30f, 1e30f, 1};
    const int32_t spacings[] = {0, -64, 2147483647, 64};
    const int32_t heights[] = {2147483647, -2147483647 - 1, 0};
    SideViewRig r;
    for (int kind = 0; kind < 4; ++kind) {
        for (const float scale : scales) {
            for (const int32_t spacing : spacings) {
                clearMapRecords(r.map);
                resetMapState(r.map);
                r.build.addRoom(0, 0, 100, 100);
                r.build.addRoom(100, 0, 200, 100);
                r.build.link();
                r.build.addSprite(50, 50, -100, 0);
                r.map.sectors[0].floorz = heights[spacing & 1 ? 0 : 1];
                r.map.sectors[1].ceilingz = heights[(spacing >> 3) & 1];
                r.settings.showGrid = 1;
                r.settings.gridSpacing = spacing;
                r.settings.transparentGrid = 1;
                r.settings.spritesFull = 1;
                r.settings.zRangeMode = 1;
                r.settings.zRangeLow = heights[0];
                r.settings.zRangeHigh = heights[1];
                r.settings.snapToGrid = 1;
                r.hover.hoveredSector = 0;
                r.dispatch.areaSelectLatch = 1;
                r.dispatch.areaAnchorX = 2147483647;
                r.input.keyStates[96] = -128;
                r.view.measureActive = 1;
                r.view.measureStartZ = -2147483647 - 1;
                r.map.sectorSelected[1] = 1;
                if (kind == 0) r.viewPoint(50, 50);
                if (kind == 1) r.viewWall(1);
                if (kind >= 2) r.viewSection(-2000000000, 50, 2000000000, 51);
                if (kind == 3) {
                    // Slices naming what the map no longer has.
                    r.view.sectionSlices[0].sector = 9;
                    r.view.sectionSlices[1].startWall = 99999;
                    r.view.sectionSlices[1].endWall = -7;
                    r.view.sectionSliceCount = 3;
                    r.view.sectionSlices[2].sector = -1;
                }
                r.view.sideViewScale = scale;
                r.paint(123);
                ASSERT_TRUE(r.onlyMapViewTouched()) << kind << " " << scale << " " << spacing;
            }
        }
    }
}

}  // namespace
}  // namespace korvel
