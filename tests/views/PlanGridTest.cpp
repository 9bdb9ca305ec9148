#include "views/PlanGrid.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "support/PlanViewRig.h"

namespace korvel::test {
namespace {

using P = PlanColours;

int32_t countColour(PlanViewRig& rig, uint8_t colour) {
    int32_t n = 0;
    for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y)
        for (int32_t x = 0; x < 800; ++x) n += rig.px(x, y) == colour;
    return n;
}

TEST(PlanGridTest, GridLinesLieAtMultiplesOfTheSpacing) {
    struct Case {
        float zoom, originX, originY;
        int32_t spacing;
    } cases[] = {{1, 0, 0, 64}, {2, -100, 37, 512}, {0.5f, 13, -7, 16}, {4, 1000, 0, 256}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.view = ViewState{c.originX, c.originY, c.zoom};
        rig.settings.showGrid = 1;
        rig.settings.gridSpacing = c.spacing;
        rig.colorSettings.colorServiceLines = P::grid;  // the origin cross lies on the grid
        rig.paint();
        SCOPED_TRACE(c.spacing);
        std::set<int32_t> columns, rows;
        for (int32_t k = -4000; k <= 4000; ++k) {
            const int32_t x = rig.column(double(k) * c.spacing), y = rig.row(double(k) * c.spacing);
            if (x >= 0 && x <= 799) columns.insert(x);
            if (y >= kMapViewBottom && y <= kMapViewTop) rows.insert(y);
        }
        ASSERT_GT(columns.size(), 1u);
        ASSERT_GT(rows.size(), 1u);
        // Along a row between the lines only the vertical lines are set, and the other way.
        const int32_t freeRow = *rows.begin() + 1, freeColumn = *columns.begin() + 1;
        for (int32_t x = 0; x < 800; ++x)
            EXPECT_EQ(rig.px(x, freeRow) == P::grid, columns.count(x) == 1) << x;
        for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y)
            EXPECT_EQ(rig.px(freeColumn, y) == P::grid, rows.count(y) == 1) << y;
    }
}

// Far from the map the origin is a huge number of pixels: the remainder that places the first
// line must be exact there, or the lines start far before the view (a loop of billions of steps)
// or never reach it.
TEST(PlanGridTest, AFarViewStillShowsItsLinesOneStepApart) {
    struct Case {
        float originX, originY;
        int32_t spacing;
    } cases[] = {{3e38f, 3e38f, 7},
                 {-3e38f, -3e38f, 7},
                 {3e38f, -3e38f, 13},
                 {-7.7e15f, 9.1e17f, 13},
                 {1e20f, -1e20f, 5}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.view = ViewState{c.originX, c.originY, 1};
        rig.settings.showGrid = 1;
        rig.settings.gridSpacing = c.spacing;
        rig.paint();
        SCOPED_TRACE(::testing::Message() << c.originX << " " << c.originY << " " << c.spacing);
        EXPECT_TRUE(rig.onlyMapViewTouched());
        // Positions this far out fall outside the 32-bit range and count as 0, so the origin
        // cross and the start arrow sit at the lower left corner: look past them.
        std::vector<int32_t> rows, columns;
        for (int32_t y = kMapViewBottom; y <= kMapViewTop; ++y) {
            bool full = true;
            for (int32_t x = 300; x < 800 && full; ++x) full = rig.px(x, y) == P::grid;
            if (full) rows.push_back(y);
        }
        for (int32_t x = 0; x < 800; ++x) {
            bool full = true;
            for (int32_t y = 300; y <= kMapViewTop && full; ++y) full = rig.px(x, y) == P::grid;
            if (full) columns.push_back(x);
        }
        for (const std::vector<int32_t>* lines : {&rows, &columns}) {
            ASSERT_FALSE(lines->empty());
            EXPECT_LT(lines->front(), kMapViewBottom + c.spacing);
            for (size_t i = 1; i < lines->size(); ++i)
                EXPECT_EQ((*lines)[i] - (*lines)[i - 1], c.spacing);
        }
        EXPECT_LT(columns.front(), c.spacing);
    }
}

TEST(PlanGridTest, AStepOfOnePixelOrLessFillsTheView) {
    struct Case {
        float zoom;
        int32_t spacing;
        uint8_t colour;
    } cases[] = {{1, 1, P::gridUnit}, {16, 8, P::grid}, {1, -64, P::grid}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.view.viewZoom = c.zoom;
        rig.settings.showGrid = 1;
        rig.settings.gridSpacing = c.spacing;
        rig.colorSettings.colorServiceLines = c.colour;
        rig.paint();
        EXPECT_EQ(countColour(rig, c.colour), 800 * kMapViewRows) << c.spacing;
    }
}

TEST(PlanGridTest, GridLoopsEndForEveryZoomAndStep) {
    const float zooms[] = {std::numeric_limits<float>::quiet_NaN(),
                           std::numeric_limits<float>::infinity(),
                           -std::numeric_limits<float>::infinity(),
                           0.0f,
                           -3.0f,
                           1e-30f,
                           1e30f,
                           1e-9f};
    // One rig for all rows: each row sets every field the grid reads, from the defaults.
    PlanViewRig rig;
    rig.build.addRoom(0, 0, 100, 100);
    const Settings defaults = rig.settings;
    for (const float zoom : zooms)
        for (const int32_t spacing : {512, INT_MAX, 1, 0, -64})
            for (const int32_t affine : {0, 1, 2})
                for (const float origin : {12345.5f, -3e38f}) {
                    rig.settings = defaults;
                    if (affine == 2) {  // the extremes of the matrix
                        rig.settings.affineGridXx = INT_MAX;
                        rig.settings.affineGridYx = INT_MIN;
                        rig.settings.affineGridXy = INT_MIN;
                        rig.settings.affineGridYy = INT_MIN;
                        rig.settings.affineGridX1 = INT_MIN;
                        rig.settings.affineGridY1 = INT_MIN;
                    }
                    rig.view.viewZoom = zoom;
                    rig.view.viewOriginX = origin;
                    rig.view.viewOriginY = -origin;
                    rig.settings.showGrid = 1;
                    rig.settings.gridSpacing = spacing;
                    rig.settings.affineGridMode = affine;
                    rig.tool.affineGridStep = spacing;
                    rig.paint();
                    EXPECT_TRUE(rig.onlyMapViewTouched()) << zoom << " " << spacing;
                }
}

TEST(PlanGridTest, TheStartMarkersSquareShowsUpToZoomEight) {
    struct Case {
        float zoom;
        bool square;
    } cases[] = {{8.0f, true}, {8.01f, false}, {1, true}};
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.map.startX = rig.map.startY = 0;
        rig.view.viewZoom = c.zoom;
        rig.paint();
        SCOPED_TRACE(c.zoom);
        const uint8_t want = c.square ? P::start : kBackdrop;
        EXPECT_EQ(rig.px(398, 298), want);
        EXPECT_EQ(rig.px(402, 302), want);
        EXPECT_EQ(rig.px(398, 302), want);
    }
}

TEST(PlanGridTest, TheStartArrowPointsAlongTheStartAngle) {
    PlanViewRig rig;
    rig.map.startX = rig.map.startY = 0;
    rig.map.startAngle = 512;  // towards +y: down the screen
    rig.view.viewZoom = 2;     // arrow half length 96 pixels
    rig.paint();
    EXPECT_EQ(rig.px(400, 204), P::start);  // the tip
    EXPECT_EQ(rig.px(400, 396), P::start);  // the tail
    EXPECT_EQ(rig.px(448, 252), P::start);  // the head's stroke towards (496, 300)
    EXPECT_EQ(rig.px(352, 252), P::start);  // and towards (304, 300)
}

TEST(PlanGridTest, TheOriginCrossAndTheMapBoundary) {
    struct Case {
        float zoom;
        std::vector<std::pair<int32_t, int32_t>> set, clear;
    } cases[] = {
        {1, {{144, 300}, {656, 300}, {400, 556}, {400, 128}}, {{143, 300}, {400, 557}}},
        // The boundary's vertical edges at columns 72 and 727, its horizontal ones off the view.
        {400, {{72, 200}, {727, 500}, {72, 583}}, {{73, 200}, {300, 583}}},
        {1000,
         {{268, 200}, {531, 200}, {300, 168}, {300, 431}, {400, 300}},
         {{300, 167}, {267, 200}}},
    };
    for (const Case& c : cases) {
        PlanViewRig rig;
        rig.view.viewZoom = c.zoom;
        rig.paint();
        SCOPED_TRACE(c.zoom);
        for (const auto& [x, y] : c.set) EXPECT_EQ(rig.px(x, y), P::service) << x << "," << y;
        for (const auto& [x, y] : c.clear) EXPECT_EQ(rig.px(x, y), kBackdrop) << x << "," << y;
    }
}

TEST(PlanGridTest, TheCheckerboardShowsBehindTexturedSectorsWithTransparentGrid) {
    for (const uint8_t full : {0, 1}) {
        PlanViewRig rig;
        rig.settings.transparentGrid = 1;
        rig.settings.sectorsFull = full;
        rig.paint();
        EXPECT_EQ(rig.px(8, 128), full ? 73 : kBackdrop);  // 1 xor 16 is odd
        EXPECT_EQ(rig.px(0, 128), kBackdrop);
        EXPECT_EQ(rig.px(15, 583), full ? 73 : kBackdrop);  // 1 xor 72 is odd
        EXPECT_EQ(rig.px(16, 583), kBackdrop);
    }
}

TEST(PlanGridTest, TheAffineGridDrawsBothFamiliesOfLines) {
    PlanViewRig rig;
    Settings& set = rig.settings;
    set.showGrid = 1;
    set.affineGridMode = 1;
    set.affineGridXx = set.affineGridYy = 1024;
    set.affineGridXy = set.affineGridYx = 0;
    set.affineGridX1 = 10;
    set.affineGridY1 = 20;
    rig.tool.affineGridStep = 1.0 / 16;  // lines every 64 map units
    rig.colorSettings.colorServiceLines = kBackdrop;
    rig.paint();
    EXPECT_EQ(rig.px(474, 201), P::grid);  // x = 74
    EXPECT_EQ(rig.px(475, 201), kBackdrop);
    EXPECT_EQ(rig.px(451, 216), P::grid);  // y = 84
    EXPECT_EQ(rig.px(451, 217), kBackdrop);
    // Two parallel axes leave no room between the lines of one family: it fills the view.
    set.affineGridXy = 1024;
    set.affineGridYy = 0;
    rig.colorSettings.colorServiceLines = P::grid;
    rig.paint();
    EXPECT_EQ(countColour(rig, P::grid), 800 * kMapViewRows);
}

}  // namespace
}  // namespace korvel::test
