#include "views/SectorLayer.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/PlanViewRig.h"

namespace korvel::test {
namespace {

using P = PlanColours;

// Columns of row y holding the fill colour.
int32_t filledInRow(PlanViewRig& rig, int32_t y) {
    int32_t n = 0;
    for (int32_t x = 0; x < 800; ++x) n += rig.px(x, y) == P::sectorHighlight;
    return n;
}

// The fill tests keep clear of the origin cross at column 400 and row 300, which is drawn over
// the fill: their rooms start at map (10, 10), which is column 410, row 290.
TEST(SectorLayerTest, TheFillSpansEachRowUpToTheRightCrossing) {
    PlanViewRig rig;
    rig.settings.showWalls = rig.settings.showVertices = 0;
    rig.build.addRoom(10, 10, 110, 110);  // columns 410..510, rows 190..290
    rig.map.sectorSelected[0] = 1;
    rig.paint();
    EXPECT_EQ(rig.px(410, 250), P::sectorHighlight);
    EXPECT_EQ(rig.px(509, 250), P::sectorHighlight);
    EXPECT_EQ(rig.px(510, 250), kBackdrop);
    EXPECT_EQ(filledInRow(rig, 190), 100);
    EXPECT_EQ(filledInRow(rig, 289), 100);
    EXPECT_EQ(filledInRow(rig, 290), 0);  // each wall covers its rows up to its upper end
    EXPECT_EQ(filledInRow(rig, 189), 0);
}

TEST(SectorLayerTest, HolesStayEmpty) {
    PlanViewRig rig;
    rig.settings.showWalls = rig.settings.showVertices = 0;
    rig.build.addRoom(10, 10, 210, 210);
    rig.build.addRectHole(60, 60, 160, 160);
    rig.map.sectorSelected[0] = 1;
    rig.paint();
    EXPECT_EQ(rig.px(420, 200), P::sectorHighlight);
    EXPECT_EQ(rig.px(510, 200), kBackdrop);
    EXPECT_EQ(filledInRow(rig, 200), 100);
    EXPECT_EQ(filledInRow(rig, 260), 200);
}

TEST(SectorLayerTest, ARowWithAnOddNumberOfCrossingsStaysUnfilled) {
    PlanViewRig rig;
    rig.settings.showWalls = rig.settings.showVertices = 0;
    rig.build.addRoom(10, 10, 110, 110);
    rig.build.addRoom(300, 10, 400, 110);
    MapStore& map = rig.map;
    // Sector 0 also claims the first wall of sector 1, moved to run from map y 30 to 90 at
    // x 380: one more crossing on each of the rows it covers.
    map.walls[4] = map.walls[0];
    map.walls[4].x = 380;
    map.walls[4].y = 30;
    map.walls[4].point2 = 5;
    map.walls[5].x = 380;
    map.walls[5].y = 90;
    map.sectors[0].wallnum = 5;
    map.sectorSelected[0] = 1;
    rig.paint();
    // The stray wall covers rows 210..269 (map y 90 down to 31): odd there, even elsewhere.
    EXPECT_EQ(filledInRow(rig, 210), 0);
    EXPECT_EQ(filledInRow(rig, 240), 0);
    EXPECT_EQ(filledInRow(rig, 269), 0);
    EXPECT_EQ(filledInRow(rig, 209), 100);
    EXPECT_EQ(filledInRow(rig, 270), 100);
}

// Rows crossed by two vertical walls alone take the crossings of the row above them until a
// wall ends or another starts; a sloped wall, or more walls, are worked out row by row. Map
// (x, y) is column 400 + x, row 300 - y.
TEST(SectorLayerTest, RowsOfVerticalWallsKeepTheirSpansUntilAWallEndsOrStarts) {
    struct RowCount {
        int32_t row, filled;
    };
    struct Case {
        const char* name;
        std::vector<IntPoint> outer, hole;
        std::vector<RowCount> rows;
    } cases[] = {
        {"a step: the right wall moves in at row 240",
         {{10, 10}, {110, 10}, {110, 60}, {60, 60}, {60, 110}, {10, 110}},
         {},
         {{290, 0}, {289, 100}, {240, 100}, {239, 50}, {190, 50}, {189, 0}}},
        {"a notch in the right side, rows 220..259",
         {{10, 10}, {110, 10}, {110, 40}, {60, 40}, {60, 80}, {110, 80}, {110, 110}, {10, 110}},
         {},
         {{289, 100}, {260, 100}, {259, 50}, {220, 50}, {219, 100}, {190, 100}}},
        {"a hole brings two more walls for rows 220..259",
         rect(10, 10, 110, 110),
         rect(40, 40, 80, 80),
         {{260, 100}, {259, 60}, {220, 60}, {219, 100}}},
        {"a sloped right wall beside a vertical left one",
         {{10, 10}, {110, 10}, {60, 110}, {10, 110}},
         {},
         {{289, 100}, {240, 75}, {192, 51}, {191, 50}, {190, 50}, {189, 0}}},
        {"a room taller than the map view stops at its top and bottom rows",
         rect(10, -1000, 110, 1000),
         {},
         {{584, 0}, {583, 100}, {350, 100}, {128, 100}, {127, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlanViewRig rig;
        rig.settings.showWalls = rig.settings.showVertices = rig.settings.showGrid = 0;
        rig.build.addSector(c.outer);
        if (!c.hole.empty()) rig.build.addHole(c.hole);
        rig.map.sectorSelected[0] = 1;
        rig.paint();
        for (const RowCount& r : c.rows) EXPECT_EQ(filledInRow(rig, r.row), r.filled) << r.row;
    }
}

TEST(SectorLayerTest, SelectedSectorsBlinkAndTheHoveredOneFillsWhenHighlighting) {
    struct Case {
        bool selected, hovered, highlight;
        int32_t time;
        bool filled;
    } cases[] = {
        {true, false, true, 0, true},   {true, false, true, 150, false},
        {true, true, true, 150, false},  // selected and hovered: still blinks
        {false, true, true, 150, true}, {false, true, false, 0, false},
        {false, false, true, 0, false},
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.build.addRoom(0, 0, 100, 100);
        rig.map.sectorSelected[0] = c.selected;
        rig.hover.hoveredSector = c.hovered ? 0 : -1;
        rig.settings.sectorHighlight = c.highlight;
        rig.map.sectorIgnored[0] = 2;  // hidden sectors are filled all the same
        rig.paint(c.time);
        SCOPED_TRACE(testing::Message() << c.selected << c.hovered << c.highlight << c.time);
        EXPECT_EQ(rig.px(450, 250), c.filled ? P::sectorHighlight : kBackdrop);
    }
}

TEST(SectorLayerTest, TheTexturedModeHasNoFlatFillAndLabelsInItsOwnColours) {
    PlanViewRig rig;
    rig.build.addRoom(0, 0, 100, 100);
    rig.map.sectorSelected[0] = 1;
    rig.map.sectors[0].lotag = 1;
    rig.settings.sectorsFull = 1;  // with no tile loaded: nothing to fill with
    rig.paint();
    EXPECT_EQ(rig.px(420, 220), kBackdrop);
    ASSERT_EQ(rig.planView.labelCount, 1);
    EXPECT_EQ(rig.planView.labels[0].colour, 79);
}

TEST(SectorLayerTest, SectorTagLabelsReadUnsignedHitagFirst) {
    struct Case {
        const char* name;
        int16_t hitag, lotag;
        uint8_t ignored;
        float zoom;
        int32_t hovered;
        const char* text;  // nullptr: no label
        uint8_t colour;
    } cases[] = {
        {"tags", 2, 7, 0, 1, -1, "2,7", uint8_t(P::oneSided - 2)},
        {"unsigned", -25536, -1, 0, 1, -1, "40000,65535", uint8_t(P::oneSided - 2)},
        {"hovered", 0, 3, 0, 1, 0, "0,3", P::oneSided},
        {"no tags", 0, 0, 0, 1, -1, nullptr, 0},
        {"filtered sector", 1, 1, 1, 1, -1, nullptr, 0},
        {"at the tag limit", 1, 1, 0, 24, -1, nullptr, 0},
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.build.addRoom(0, 0, 100, 100);
        SectorRecord& sec = rig.map.sectors[0];
        sec.hitag = c.hitag;
        sec.lotag = c.lotag;
        rig.map.sectorIgnored[0] = c.ignored;
        rig.hover.hoveredSector = c.hovered;
        rig.view.viewZoom = c.zoom;
        rig.paint();
        SCOPED_TRACE(c.name);
        const PlanViewState& st = rig.planView;
        ASSERT_EQ(st.labelCount, c.text ? 1 : 0);
        if (!c.text) continue;
        EXPECT_EQ(st.labels[0].text, c.text);
        EXPECT_EQ(st.labels[0].colour, c.colour);
        EXPECT_EQ(st.labels[0].x, 450);
        EXPECT_EQ(st.labels[0].y, 250);
        EXPECT_EQ(rig.px(450, 246), c.colour);  // the box under the text
    }
}

TEST(SectorLayerTest, ALabelGoesToTheMiddleOfTheWholeSectorEvenOffTheView) {
    PlanViewRig rig;
    rig.build.addRoom(200, 0, 1000, 100);  // columns 600..1400
    rig.map.sectors[0].lotag = 1;
    rig.build.addRoom(1000, 0, 1100, 100);  // wholly right of the view: not labelled
    rig.map.sectors[1].lotag = 1;
    rig.paint();
    ASSERT_EQ(rig.planView.labelCount, 1);
    EXPECT_EQ(rig.planView.labels[0].x, 1000);
    EXPECT_TRUE(rig.onlyMapViewTouched());
}

TEST(SectorLayerTest, TheHoveredSectorsLabelIsDrawnOverTheOthers) {
    PlanViewRig rig;
    rig.build.addRoom(0, 0, 100, 100);
    rig.build.addRoom(0, 2, 100, 102);  // its label box overlaps the first one's
    rig.map.sectors[0].lotag = 1;
    rig.map.sectors[1].lotag = 1;
    for (const int32_t hovered : {0, 1}) {
        rig.hover.hoveredSector = hovered;
        rig.paint();
        // Column 443 is the left edge of both boxes, where no text is drawn.
        EXPECT_EQ(rig.px(443, 248), P::oneSided) << hovered;
    }
}

}  // namespace
}  // namespace korvel::test
