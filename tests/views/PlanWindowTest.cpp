// The plan view projects only what can show: the map window that decides it must never place a
// point beyond an edge that the projection puts inside the view or its marks' reach, and what
// lies across or around the view while its points are all outside must still be drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "support/PlanViewRig.h"
#include "views/PlanFrame.h"
#include "views/PlanViewState.h"

namespace korvel::test {
namespace {

using P = PlanColours;

struct WindowCase {
    const char* name;
    float zoom, originX, originY;
    double margin;
    bool valid;  // the window has bounds, so that it leaves points unprojected
};

// The points to try: steps across each edge of the view widened by the margin, in map units
// from the view's own inversion, and the ends of the coordinate range.
std::vector<int64_t> probes(double edge, double zoom) {
    std::vector<int64_t> out = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX};
    for (int32_t k = -40; k <= 40; ++k) {
        const double v = std::floor(edge + k * zoom / 4);
        if (v > INT32_MIN && v < INT32_MAX) out.push_back(int64_t(v));
    }
    return out;
}

TEST(PlanWindowTest, APointPlacedBeyondAnEdgeProjectsBeyondItByMoreThanTheMargin) {
    const WindowCase cases[] = {
        {"working zoom", 4, 1000, -2000, 4, true},
        {"fitted to a full map", 74.47f, -16384, 16384, 4, true},
        {"close and fractional", 0.37f, 123.5f, -77.25f, 4, true},
        // Pixels of far points leave the 32-bit range: they must count as inside.
        {"closer than a unit per pixel", 0.01f, 5.0e6f, -5.0e6f, 4, true},
        {"far off the map's range", 2, 3.0e9f, -3.0e9f, 4, true},
        {"very far out", 1.0e5f, 0, 0, 4, true},
        {"a sprite marker's reach", 0.5f, 0, 0, 390, true},
        {"zoom too fine for the numbers", 1.0e-6f, 1.0e9f, 1.0e9f, 4, false},
        {"zero zoom", 0, 0, 0, 4, false},
        {"negative zoom", -2, 0, 0, 4, false},
        {"not a number", std::numeric_limits<float>::quiet_NaN(), 0, 0, 4, false},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PlanProjection view(ViewState{c.originX, c.originY, c.zoom});
        const MapWindow w = mapWindowOf(view, c.margin);
        ASSERT_EQ(w.valid, c.valid);
        const double m = c.margin;
        std::vector<int64_t> xs = probes(view.mapX(-m), c.zoom);
        for (const int64_t x : probes(view.mapX(kScreenWidth + m), c.zoom)) xs.push_back(x);
        std::vector<int64_t> ys = probes(-view.negatedMapY(kMapViewBottom - m), c.zoom);
        for (const int64_t y : probes(-view.negatedMapY(kMapViewTop + 1 + m), c.zoom))
            ys.push_back(y);
        int32_t placed = 0;
        for (const int64_t x : xs)
            for (const int64_t y : ys) {
                const uint8_t sides = w.sidesOf(int32_t(x), int32_t(y));
                if (w.valid && w.farUnreachable)
                    ASSERT_EQ(w.sidesNear(int32_t(x), int32_t(y)), sides) << x << ", " << y;
                placed += sides != 0;
                const int32_t column = view.column(double(x)), row = view.row(double(y));
                const std::string at = std::to_string(x) + ", " + std::to_string(y) + " at " +
                                       std::to_string(column) + ", " + std::to_string(row);
                if (sides & WallSide::Left) ASSERT_LT(column, -m) << at;
                if (sides & WallSide::Right) ASSERT_GE(column, kScreenRight + m) << at;
                if (sides & WallSide::Below) ASSERT_LT(row, kMapViewBottom - m) << at;
                if (sides & WallSide::Above) ASSERT_GE(row, kMapViewTop + m) << at;
            }
        // A window with bounds must leave out most of the probes that lie far outside.
        if (c.valid) EXPECT_GT(placed, int32_t(xs.size() * ys.size() / 4));
        if (!c.valid) EXPECT_EQ(placed, 0);
    }
}

// A one-sided wall's pixel at the column, on the row or either next to it.
bool wallNear(PlanViewRig& rig, int32_t column, int32_t row) {
    for (int32_t r = row - 1; r <= row + 1; ++r)
        if (rig.px(column, r) == P::oneSided) return true;
    return false;
}

// Every point the frame projects lands where the projection puts it, whether the walls are
// picked one by one or all projected in one go, at zooms whose quotients sit on pixel borders.
TEST(PlanWindowTest, ProjectedPointsAreTheProjectionsOwn) {
    struct Case {
        const char* name;
        float zoom, originX, originY;
        int32_t spread;  // coordinates within this many units of the view's centre
    } cases[] = {
        {"whole-unit zoom, all in view", 1, 0, 0, 300},
        {"a power of two: exact quotients", 64, 3000, -500, 25000},
        {"a tenth: quotients a hair off whole pixels", 0.1f, 17, -23, 30},
        {"49: a reciprocal that misses whole quotients", 49, -1000, 1000, 11000},
        {"fractional, mostly out of view", 0.37f, 123.5f, -77.25f, 5000},
        {"far out over the whole range", 1.0e5f, 1.0e8f, -1.0e8f, 2000000000},
    };
    std::mt19937 rng(31);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlanViewRig rig;
        rig.view = ViewState{c.originX, c.originY, c.zoom};
        MapStore& map = rig.map;
        std::uniform_int_distribution<int32_t> d(-c.spread, c.spread);
        auto at = [&](double centre) {
            return int32_t(std::clamp<double>(centre + d(rng), INT32_MIN, INT32_MAX));
        };
        for (int32_t s = 0; s < 200; ++s) {
            const int32_t x = at(-double(c.originX)), y = at(c.originY);
            rig.build.addSector({{x, y}, {at(x), y}, {x, at(y)}});
        }
        PlanFrame pf = rig.frame();
        projectWallPoints(pf);
        for (int32_t s = 0; s < map.sectorCount; ++s) projectSectorWalls(pf, s);
        int32_t projected = 0;
        for (int32_t w = 0; w < map.wallCount; ++w) {
            if (!(rig.planView.wallSides[w] & WallSide::Projected)) continue;
            ++projected;
            ASSERT_EQ(rig.planView.wallScreenX[w], pf.view.column(map.walls[w].x)) << w;
            ASSERT_EQ(rig.planView.wallScreenY[w], pf.view.row(map.walls[w].y)) << w;
        }
        EXPECT_GT(projected, 0);
    }
}

struct SceneCase {
    const char* name;
    std::function<void(PlanViewRig&)> build;
    std::function<void(PlanViewRig&)> check;
};

TEST(PlanWindowTest, WhatLiesAcrossOrAroundTheViewIsDrawnThoughItsPointsAreOutside) {
    const SceneCase cases[] = {
        {"a wall across the view from beyond its left edge to beyond its right",
         [](PlanViewRig& rig) { rig.build.addRoom(-200000, -10, 200000, 10); },
         [](PlanViewRig& rig) {
             EXPECT_EQ(rig.px(400, rig.row(-10)), P::oneSided);
             EXPECT_EQ(rig.px(400, rig.row(10)), P::oneSided);
         }},
        {"a selected room around the whole view, its corners beyond all four edges",
         [](PlanViewRig& rig) {
             rig.build.addRoom(-200000, -200000, 200000, 200000);
             rig.map.sectorSelected[0] = 1;
         },
         [](PlanViewRig& rig) {
             EXPECT_EQ(rig.px(450, 350), P::sectorHighlight);
             EXPECT_EQ(rig.px(3, kMapViewBottom + 3), P::sectorHighlight);
         }},
        {"a tagged room reaching in from beyond the left edge keeps its label",
         [](PlanViewRig& rig) {
             rig.build.addRoom(-200000, -100, 0, 100);
             rig.map.sectors[0].lotag = 5;
         },
         [](PlanViewRig& rig) { EXPECT_EQ(rig.planView.labelCount, 1); }},
        {"a ring whose walls cross the view between points beyond both side edges",
         [](PlanViewRig& rig) {
             rig.build.addSector({{-200000, 50}, {-200000, -50}, {200000, -150}});
         },
         [](PlanViewRig& rig) {
             EXPECT_TRUE(wallNear(rig, 400, rig.row(-100)));
             EXPECT_TRUE(wallNear(rig, 400, rig.row(-50)));
             EXPECT_EQ(rig.planView.planVertexCount, 0);
         }},
        {"the same ring stored with its walls out of order",
         [](PlanViewRig& rig) {
             rig.build.addSector({{-200000, 50}, {-200000, -50}, {200000, -150}});
             rig.map.walls[0].point2 = 2;
             rig.map.walls[2].point2 = 1;
             rig.map.walls[1].point2 = 0;
         },
         [](PlanViewRig& rig) {
             EXPECT_TRUE(wallNear(rig, 400, rig.row(-100)));
             EXPECT_TRUE(wallNear(rig, 400, rig.row(-50)));
         }},
        {"a sprite beyond the edge whose facing line reaches in, and one out of reach",
         [](PlanViewRig& rig) {
             rig.build.addRoom(-1000, -1000, 1000, 1000);
             rig.build.addSprite(-400 - 20, 0, 0, 0);  // 20 pixels left of the view
             rig.build.addSprite(-400 - 400, 0, 0, 0);
         },
         [](PlanViewRig& rig) {
             ASSERT_EQ(rig.planView.spriteDrawCount, 1);
             EXPECT_EQ(rig.planView.spriteDrawList[0].sprite, 0);
         }},
    };
    for (const SceneCase& c : cases) {
        SCOPED_TRACE(c.name);
        PlanViewRig rig;
        rig.settings.smoothLines = 0;
        rig.settings.showGrid = 0;
        rig.settings.wallTags = 1;
        rig.view = ViewState{0, 0, 1};
        c.build(rig);
        rig.paint();
        c.check(rig);
        EXPECT_TRUE(rig.guardsIntact());
    }
}

}  // namespace
}  // namespace korvel::test
