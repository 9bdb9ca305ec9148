#include "ui/Raster.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <functional>
#include <random>

#include "base/Random.h"
#include "support/DrawFixtures.h"

namespace korvel {
namespace {

using test::DrawRig;
using test::PixelSet;

PixelSet row(int32_t y, int32_t xFrom, int32_t xTo) {
    PixelSet s;
    for (int32_t x = xFrom; x <= xTo; ++x) s.insert({x, y});
    return s;
}

PixelSet column(int32_t x, int32_t yFrom, int32_t yTo) {
    PixelSet s;
    for (int32_t y = yFrom; y <= yTo; ++y) s.insert({x, y});
    return s;
}

using LineFn = void (*)(const Canvas&, int32_t, int32_t, int32_t, int32_t, int32_t);

struct LineCase {
    const char* name;
    LineFn draw;
    bool smooth;
    int32_t x1, y1, x2, y2;
    PixelSet expected;
};

TEST(Raster, LinesSetExactlyTheirPixels) {
    const PixelSet steep = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 4}, {1, 5},
                            {1, 6}, {2, 7}, {2, 8}, {2, 9}, {3, 10}};
    const LineCase cases[] = {
        {"horizontal run stops before the larger x", drawLineMapView, false, 10, 200, 20, 200,
         row(200, 10, 19)},
        {"the same run drawn backwards", drawLineMapView, false, 20, 200, 10, 200,
         row(200, 10, 19)},
        {"vertical line keeps both ends", drawLineMapView, false, 10, 200, 10, 210,
         column(10, 200, 210)},
        {"steep line floors its columns", drawLineScreen, false, 0, 0, 3, 10, steep},
        {"map view cuts a long column", drawLineMapView, false, 100, 50, 100, 700,
         column(100, 128, 583)},
        {"tool pane cuts a long row", drawLinePanel, false, 0, 400, 900, 400, row(400, 10, 774)},
        {"equal end points set one pixel", drawLineScreen, false, 5, 5, 5, 5, {{5, 5}}},
        {"line below the map view draws nothing", drawLineMapView, false, 0, 10, 799, 100, {}},
        {"smooth flat line skips its start", drawLineScreen, true, 10, 10, 20, 10, row(10, 11, 20)},
        {"smooth zero-length line draws nothing", drawLineScreen, true, 10, 10, 10, 10, {}},
        {"smooth line below the map view", drawLineMapView, true, 10, 10, 20, 10, {}},
        {"smooth vertical line is a solid column", drawLineMapView, true, 300, 200, 300, 210,
         column(300, 201, 210)},
        {"smooth flat line drawn leftwards skips its start", drawLineScreen, true, 20, 10, 10, 10,
         row(10, 10, 19)},
        {"smooth column drawn downwards skips its start", drawLineMapView, true, 300, 210, 300, 200,
         column(300, 200, 209)},
        {"smooth row across the map view starts past its left edge", drawLineMapView, true, -50,
         300, 900, 300, row(300, 1, 799)},
        {"smooth row across it leftwards: the first point stops at 798", drawLineMapView, true, 900,
         300, -50, 300, row(300, 0, 797)},
        {"smooth column across the map view", drawLineMapView, true, 400, 50, 400, 700,
         column(400, 129, 583)},
        {"smooth top row of the map view", drawLineMapView, true, 0, 583, 799, 583,
         row(583, 1, 799)},
        {"smooth right column of the screen", drawLineScreen, true, 799, 599, 799, 0,
         column(799, 0, 598)},
        {"smooth row across the tool pane", drawLinePanel, true, 0, 400, 900, 400,
         row(400, 11, 774)},
        {"smooth row above the map view", drawLineMapView, true, 0, 590, 799, 590, {}},
        {"unclipped line drops what is off screen", drawLineUnclipped, false, -5, 3, 5, 3,
         row(3, 0, 4)},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        DrawRig rig;
        rig.canvas.smoothLines = c.smooth;
        c.draw(rig.canvas, c.x1, c.y1, c.x2, c.y2, 7);
        EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0), c.expected);
    }
}

TEST(Raster, SmoothLineShadesPixelPairsThroughTheBlendTable) {
    DrawRig rig;
    rig.canvas.smoothLines = true;
    const uint8_t c = 50;
    const auto& blend = rig.colors->blendTable;
    // A 45-degree line going up: each point two thirds, the pixel above one third, the last
    // point full.
    drawLineScreen(rig.canvas, 100, 100, 104, 104, c);
    EXPECT_EQ(rig.px(100, 100), 0);
    EXPECT_EQ(rig.px(101, 101), blend[0 * 256 + c]);
    EXPECT_EQ(rig.px(103, 104), blend[c * 256 + 0]);
    EXPECT_EQ(rig.px(104, 104), c);
    EXPECT_EQ(rig.px(104, 105), 0);

    // A steep line going left ends with its right-hand neighbour in full and its own end point
    // untouched.
    rig.clear(0);
    drawLineScreen(rig.canvas, 205, 200, 200, 220, c);
    EXPECT_EQ(rig.px(201, 220), c);
    EXPECT_EQ(rig.px(200, 220), 0);
}

// A fan of smooth lines in every direction and steepness, some wholly inside the map view and
// some crossing its edges, drawn over a patterned screen. The frame's fingerprint was taken from
// the line drawing as first written; faster forms of it must put the very same pixels.
TEST(Raster, SmoothLinesInEveryDirectionKeepTheirPixels) {
    DrawRig rig;
    rig.canvas.smoothLines = true;
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x) rig.px(x, y) = uint8_t((x * 7 + y * 13) & 255);
    const int32_t cx = 400, cy = 350;
    for (int32_t k = 0; k < 96; ++k) {
        const double a = k * 6.283185307179586 / 96;
        const int32_t r = k % 3 == 0 ? 600 : 40 + 5 * k;  // every third crosses an edge
        drawLineMapView(rig.canvas, cx + (k % 5), cy - (k % 4), cx + int32_t(r * std::cos(a)),
                        cy + int32_t(r * std::sin(a)), uint8_t(20 + k));
    }
    drawLineMapView(rig.canvas, 0, 583, 799, 583, 9);  // the top row: every partner dropped
    drawLineMapView(rig.canvas, 799, 128, 799, 583, 9);  // the right column
    uint64_t hash = 1469598103934665603ull;
    for (int32_t y = 0; y < kScreenHeight; ++y)
        for (int32_t x = 0; x < kScreenWidth; ++x) hash = (hash ^ rig.px(x, y)) * 1099511628211ull;
    EXPECT_EQ(hash, 3095894768821802124ull);
    EXPECT_TRUE(rig.guardsIntact());
}

TEST(Raster, SmoothLinesNeverWriteOutsideTheirClipRectangle) {
    // Pixel pairs reach one row up or one column right; at the top row of the map view or the
    // right edge of the screen that pixel is dropped.
    DrawRig rig;
    rig.canvas.smoothLines = true;
    drawLineMapView(rig.canvas, 0, 500, 799, 583, 9);
    drawLineMapView(rig.canvas, 799, 128, 700, 583, 9);
    // Nearly flat and long: the clipper leaves both ends on row 127, below the map view.
    int32_t x1 = -50000, y1 = 127, x2 = 150000, y2 = 128;
    clipLineMapView(x1, y1, x2, y2);
    EXPECT_EQ(y1, 127);
    drawLineMapView(rig.canvas, -50000, 127, 150000, 128, 9);
    EXPECT_TRUE(test::allInside(test::changedPixels(screenView(*rig.fb), 0), kMapView));
    drawLinePanel(rig.canvas, 0, 300, 900, 520, 9);
    drawLinePanel(rig.canvas, 774, 305, 600, 518, 9);
    drawLineScreen(rig.canvas, 799, 0, 790, 599, 9);
    drawLineScreen(rig.canvas, 0, 599, 799, 598, 9);
    EXPECT_TRUE(rig.guardsIntact());
}

struct ClipCase {
    const char* name;
    void (*clip)(int32_t&, int32_t&, int32_t&, int32_t&);
    std::array<int32_t, 4> in, out;
};

TEST(Raster, ClippersMoveEndPointsOntoTheirRectangle) {
    const ClipCase cases[] = {
        {"map view, left to right", clipLineMapView, {-100, 300, 900, 300}, {0, 300, 799, 300}},
        {"map view, right to left: first point stops at 798",
         clipLineMapView,
         {900, 300, -100, 300},
         {798, 300, 0, 300}},
        {"map view, column cut to rows 128 and 583",
         clipLineMapView,
         {400, 100, 400, 700},
         {400, 128, 400, 583}},
        {"map view rejects a line right of 798/799",
         clipLineMapView,
         {799, 300, 800, 400},
         {-1, -1, -1, -1}},
        {"screen rejects a line left of it", clipLineScreen, {-5, 10, -1, 20}, {-1, -1, -1, -1}},
        {"screen moves a point along the slope", clipLineScreen, {-10, 0, 10, 20}, {0, 10, 10, 20}},
        {"a half rounds to even (down)", clipLineScreen, {-1, 0, 1, 1}, {0, 0, 1, 1}},
        {"a half rounds to even (up)", clipLineScreen, {-1, 1, 1, 2}, {0, 2, 1, 2}},
        {"panel cuts both ends, each to its own bound",
         clipLinePanel,
         {0, 400, 900, 400},
         {10, 400, 774, 400}},
        {"panel, the first point beyond 773",
         clipLinePanel,
         {900, 400, 0, 400},
         {773, 400, 10, 400}},
        {"panel rejects a line above it", clipLinePanel, {20, 519, 30, 600}, {-1, -1, -1, -1}},
    };
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto v = c.in;
        c.clip(v[0], v[1], v[2], v[3]);
        EXPECT_EQ(v, c.out);
    }
}

TEST(Raster, DottedLinesEndForEveryStep) {
    DrawRig rig;
    drawDottedLineMapView(rig.canvas, 10, 200, 30, 200, 7, 3);
    EXPECT_EQ(
        test::changedPixels(screenView(*rig.fb), 0),
        (PixelSet{{10, 200}, {13, 200}, {16, 200}, {19, 200}, {22, 200}, {25, 200}, {28, 200}}));

    // Steps whose low byte is 0 take every 256th pixel instead of never advancing.
    for (const int32_t step : {0, 256, 512}) {
        rig.clear(0);
        drawDottedLineMapView(rig.canvas, 0, 300, 700, 300, 7, step);
        EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0),
                  (PixelSet{{0, 300}, {256, 300}, {512, 300}}));
    }
    for (int32_t step = -300; step <= 300; ++step)
        drawDottedLineMapView(rig.canvas, -5000, 100, 5000, 600, 7, step);
    EXPECT_TRUE(rig.guardsIntact());
}

TEST(Raster, DottedStepOneIsTheMapViewLineIncludingSmoothing) {
    for (const bool smooth : {false, true}) {
        DrawRig a, b;
        a.canvas.smoothLines = b.canvas.smoothLines = smooth;
        drawDottedLineMapView(a.canvas, 3, 100, 500, 400, 77, 1 + 256);
        drawLineMapView(b.canvas, 3, 100, 500, 400, 77);
        EXPECT_EQ(a.fb->screen, b.fb->screen);
    }
}

TEST(Raster, ThickLinesDrawAFivePixelPenAndKeepToTheMapView) {
    DrawRig rig;
    drawThickLineMapView(rig.canvas, 100, 300, 104, 300, 5);
    PixelSet want = row(300, 99, 105);
    for (const auto& p : row(299, 100, 104)) want.insert(p);
    for (const auto& p : row(301, 100, 104)) want.insert(p);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0), want);

    rig.clear(0);
    drawThickLineMapView(rig.canvas, 0, 128, 799, 128, 5);  // centres below row 129
    EXPECT_TRUE(test::changedPixels(screenView(*rig.fb), 0).empty());
    drawThickLineMapView(rig.canvas, -50, 583, 900, 583, 5);
    drawThickLineMapView(rig.canvas, 0, 0, 0, 599, 5);
    EXPECT_TRUE(test::allInside(test::changedPixels(screenView(*rig.fb), 0), kMapView));

    rig.clear(0);
    drawThickLineUnclipped(rig.canvas, -1, 10, -1, 20, 5);  // only the right arm is on screen
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0), column(0, 10, 20));
    drawThickLineUnclipped(rig.canvas, 799, 599, 799, 599, 5);
    EXPECT_TRUE(rig.guardsIntact());
}

TEST(Raster, PointInterpolatedLines) {
    DrawRig rig;
    plotLinePointsClipped(rig.canvas, 100, 200, 110, 200, 3);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0), row(200, 100, 110));
    rig.clear(0);
    plotLinePointsClipped(rig.canvas, 100, 50, 100, 50, 3);  // below the map view
    plotLinePointsClipped(rig.canvas, 300, 300, 300, 300, 3);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0), (PixelSet{{300, 300}}));
    // Far-apart end points: the walk is bounded and stays in the map view.
    plotLinePointsClipped(rig.canvas, -1000000000, 300, 1000000000, 400, 3);
    EXPECT_TRUE(test::allInside(test::changedPixels(screenView(*rig.fb), 0), kMapView));
}

TEST(Raster, RectangleOutline) {
    DrawRig rig;
    drawRectMapView(rig.canvas, 100, 200, 110, 210, 4);
    PixelSet want = column(100, 200, 210);
    for (const auto& p : column(110, 200, 210)) want.insert(p);
    for (const auto& p : row(200, 100, 109)) want.insert(p);
    for (const auto& p : row(210, 100, 109)) want.insert(p);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0), want);

    rig.clear(0);
    drawRectMapView(rig.canvas, -10, 100, 10, 700, 4);
    EXPECT_EQ(test::changedPixels(screenView(*rig.fb), 0), column(10, 128, 583));
    rig.clear(0);
    drawRectMapView(rig.canvas, 300, 400, 200, 300, 4);  // corners swapped
    drawRectMapView(rig.canvas, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 4);
    EXPECT_TRUE(test::allInside(test::changedPixels(screenView(*rig.fb), 0), kMapView));
}

TEST(Raster, CirclesPlotTheirPointCount) {
    DrawRig rig;
    drawCircle(rig.canvas, 400, 300, 0, 9);
    EXPECT_TRUE(test::changedPixels(screenView(*rig.fb), 0).empty());
    drawCircle(rig.canvas, 400, 300, 10, 9);
    const PixelSet ring = test::changedPixels(screenView(*rig.fb), 0);
    EXPECT_TRUE(ring.count({390, 300}));  // the walk starts at the leftmost point
    for (const auto& [x, y] : ring) {
        const double d = std::hypot(x + 0.5 - 400, y + 0.5 - 300);
        EXPECT_NEAR(d, 10, 1.5);
    }
    // The shaded circle draws one random number per point inside the map view: 63 for radius
    // 10, none for a circle below the map view.
    Random random{42}, expected{42};
    drawCircleShaded(rig.canvas, random, 400, 300, 10);
    for (int i = 0; i < 63; ++i) randomLong(expected);
    EXPECT_EQ(random.randomState, expected.randomState);
    drawCircleShaded(rig.canvas, random, 400, 50, 10);
    EXPECT_EQ(random.randomState, expected.randomState);

    rig.clear(0);
    drawCircleMapView(rig.canvas, 400, 130, 20, 9);
    const PixelSet clipped = test::changedPixels(screenView(*rig.fb), 0);
    EXPECT_FALSE(clipped.empty());
    EXPECT_TRUE(test::allInside(clipped, kMapView));
}

// A large rim drawn through a cache, one circle after another as the table lists them, puts
// the same pixels on the screen and draws the same random numbers as drawing it afresh.
TEST(Raster, ACachedRimReplaysExactlyWhatItsWalkDraws) {
    struct Case {
        const char* name;
        float cx, cy, r;
    };
    const Case cases[] = {
        {"rim across the view", 400, -3000, 3300},
        {"the same again, replayed", 400, -3000, 3300},
        {"one unit larger", 400, -3000, 3301},
        {"a tenth larger, as many steps", 400, -3000, 3301.1f},
        {"centre moved by half a pixel", 400.5f, -3000, 3300},
        {"the first again, after others", 400, -3000, 3300},
        {"rim through the corner", -2500, -2200, 3600},
        {"centre not a number: every point on one pixel", NAN, 300, 3000},
        {"the same again", NAN, 300, 3000},
        {"small rim, walked every time", 400, 300, 100},
    };
    CircleRimCache cache;
    DrawRig cached, fresh;
    Random withCache{7}, without{7};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cached.clear(0);
        fresh.clear(0);
        drawCircleShaded(cached.canvas, withCache, c.cx, c.cy, c.r, &cache);
        drawCircleShaded(fresh.canvas, without, c.cx, c.cy, c.r);
        EXPECT_EQ(withCache.randomState, without.randomState);
        EXPECT_TRUE(cached.fb->screen == fresh.fb->screen);
        EXPECT_TRUE(cached.guardsIntact());
    }
    EXPECT_NE(withCache.randomState, 7u) << "the rims crossed the view";
}

TEST(Raster, BraceCoversItsRowsSymmetrically) {
    DrawRig rig;
    drawBraceBg(rig.canvas, 100, 200, 8, 38, 6);
    const PixelSet set = test::changedPixels(backgroundView(*rig.fb), 0);
    for (int32_t y = 201; y <= 275; ++y) {
        SCOPED_TRACE(y);
        for (int32_t x = 80; x < 120; ++x) EXPECT_EQ(set.count({x, y}), set.count({x, 476 - y}));
        EXPECT_TRUE(std::any_of(set.begin(), set.end(), [&](auto& p) { return p.second == y; }));
    }
    EXPECT_TRUE(test::allInside(set, {0, 201, 799, 275}));
    rig.clear(0);
    drawBraceBg(rig.canvas, 100, 200, 8, 0, 6);
    drawBraceBg(rig.canvas, 100, 200, 8, -3, 6);
    EXPECT_TRUE(test::changedPixels(backgroundView(*rig.fb), 0).empty());
}

TEST(Raster, MarkersSetSixteenPixelsInsideTheirArea) {
    struct MarkerCase {
        const char* name;
        void (*draw)(const Canvas&, int32_t, int32_t, int32_t);
        int32_t x, y;
        size_t count;
        PixelSet untouched;
    };
    const PixelSet cross = {{100, 300}, {99, 300}, {101, 300}, {100, 299}, {100, 301}};
    PixelSet inner;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) inner.insert({100 + dx, 300 + dy});
    const MarkerCase cases[] = {
        {"round", drawRoundMarker, 100, 300, 16, cross},
        {"round at the left edge keeps x >= 0", drawRoundMarker, 1, 300, 13, {}},
        {"square", drawSquareMarker, 100, 300, 16, inner},
        {"square at the map view's top", drawSquareMarker, 100, 583, 9, {}},
        {"round in the pane's corner", drawRoundMarkerInPane, 10, 305, 5, {}},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.name);
        DrawRig rig;
        c.draw(rig.canvas, c.x, c.y, 3);
        const PixelSet set = test::changedPixels(screenView(*rig.fb), 0);
        EXPECT_EQ(set.size(), c.count);
        for (const auto& p : c.untouched) EXPECT_EQ(set.count(p), 0u);
        EXPECT_TRUE(test::allInside(set, c.draw == drawRoundMarkerInPane ? kToolPane : kMapView));
    }
}

// Coordinates near the screen most of the time, and now and then far away or at the limits.
int32_t randomCoordinate(std::mt19937& rng) {
    switch (rng() % 8) {
        case 0:
            return int32_t(rng());
        case 1:
            return std::uniform_int_distribution<int32_t>(-100000, 100000)(rng);
        case 2:
            return (rng() & 1) ? INT32_MAX : INT32_MIN;
        default:
            return std::uniform_int_distribution<int32_t>(-40, 840)(rng);
    }
}

TEST(Raster, RandomArgumentsNeverLeaveTheTargetOrItsClipRectangle) {
    struct Routine {
        const char* name;
        ClipRect keepTo;
        std::function<void(const Canvas&, Random&, const std::array<int32_t, 6>&)> draw;
    };
    const std::vector<Routine> routines = {
        {"drawLineScreen", kWholeScreen,
         [](auto& cv, auto&, auto& a) { drawLineScreen(cv, a[0], a[1], a[2], a[3], a[4]); }},
        {"drawLineMapView", kMapView,
         [](auto& cv, auto&, auto& a) { drawLineMapView(cv, a[0], a[1], a[2], a[3], a[4]); }},
        {"drawLinePanel", kToolPane,
         [](auto& cv, auto&, auto& a) { drawLinePanel(cv, a[0], a[1], a[2], a[3], a[4]); }},
        {"drawLineUnclipped", kWholeScreen,
         [](auto& cv, auto&, auto& a) { drawLineUnclipped(cv, a[0], a[1], a[2], a[3], a[4]); }},
        {"drawLineSmooth", kWholeScreen,
         [](auto& cv, auto&, auto& a) {
             drawLineSmooth(cv, a[0], a[1], a[2], a[3], a[4], a[5] % 5);
         }},
        {"drawDottedLineMapView", kMapView,
         [](auto& cv, auto&, auto& a) {
             drawDottedLineMapView(cv, a[0], a[1], a[2], a[3], a[4], a[5]);
         }},
        {"drawThickLineMapView", kMapView,
         [](auto& cv, auto&, auto& a) { drawThickLineMapView(cv, a[0], a[1], a[2], a[3], a[4]); }},
        {"drawThickLineUnclipped", kWholeScreen,
         [](auto& cv, auto&, auto& a) {
             drawThickLineUnclipped(cv, a[0], a[1], a[2], a[3], a[4]);
         }},
        {"plotLinePointsClipped", kMapView,
         [](auto& cv, auto&, auto& a) { plotLinePointsClipped(cv, a[0], a[1], a[2], a[3], a[4]); }},
        {"drawRectMapView", kMapView,
         [](auto& cv, auto&, auto& a) { drawRectMapView(cv, a[0], a[1], a[2], a[3], a[4]); }},
        {"drawCircle", kWholeScreen,
         [](auto& cv, auto&, auto& a) { drawCircle(cv, a[0], a[1], float(a[2] % 3000), a[4]); }},
        {"drawCircleMapView", kMapView,
         [](auto& cv, auto&, auto& a) {
             drawCircleMapView(cv, a[0], a[1], float(a[2] % 3000), a[4]);
         }},
        {"drawCircleShaded", kMapView,
         [](auto& cv, auto& r, auto& a) {
             drawCircleShaded(cv, r, a[0], a[1], float(a[2] % 3000));
         }},
        {"drawRoundMarker", kMapView,
         [](auto& cv, auto&, auto& a) { drawRoundMarker(cv, a[0], a[1], a[4]); }},
        {"drawSquareMarker", kMapView,
         [](auto& cv, auto&, auto& a) { drawSquareMarker(cv, a[0], a[1], a[4]); }},
        {"drawRoundMarkerInPane", kToolPane,
         [](auto& cv, auto&, auto& a) { drawRoundMarkerInPane(cv, a[0], a[1], a[4]); }},
    };
    std::mt19937 rng(20240613);
    Random random{1};
    for (const Routine& r : routines) {
        for (const bool smooth : {false, true}) {
            SCOPED_TRACE(std::string(r.name) + (smooth ? " smooth" : ""));
            DrawRig rig;
            rig.canvas.smoothLines = smooth;
            for (int i = 0; i < 400; ++i) {
                std::array<int32_t, 6> a;
                for (int k = 0; k < 4; ++k) a[k] = randomCoordinate(rng);
                a[4] = int32_t(1 + rng() % 255);
                a[5] = int32_t(rng());
                r.draw(rig.canvas, random, a);
            }
            EXPECT_TRUE(rig.guardsIntact());
            EXPECT_TRUE(test::unchangedOutside(screenView(*rig.fb), 0, r.keepTo));
            EXPECT_TRUE(test::unchangedOutside(backgroundView(*rig.fb), 0, {}));
        }
    }
}

TEST(Raster, RandomBackgroundLinesMatchTheScreenLines) {
    // The background has no guard bytes: a write past a row's end would land in the next row, so
    // each background line is compared with the same line drawn on the guarded screen.
    std::mt19937 rng(77);
    DrawRig rig;
    for (int i = 0; i < 150; ++i) {
        std::array<int32_t, 4> a;
        for (int32_t& v : a) v = randomCoordinate(rng);
        rig.clear(0);
        drawLineBg(rig.canvas, a[0], a[1], a[2], a[3], 9);
        drawLineUnclipped(rig.canvas, a[0], a[1], a[2], a[3], 9);
        ASSERT_TRUE(test::sameAsScreen(*rig.fb, backgroundView(*rig.fb)));
        ASSERT_TRUE(rig.guardsIntact());
    }
    for (int i = 0; i < 150; ++i) {
        rig.clear(0);
        drawBraceBg(rig.canvas, randomCoordinate(rng), randomCoordinate(rng),
                    int32_t(rng() % 2000) - 1000, int32_t(rng() % 400), 9);
        drawBraceBg(rig.canvas, 400, randomCoordinate(rng), 50, randomCoordinate(rng) & 0xFFFFFF,
                    9);
    }
    EXPECT_TRUE(test::unchangedOutside(screenView(*rig.fb), 0, {}));
}

}  // namespace
}  // namespace korvel
