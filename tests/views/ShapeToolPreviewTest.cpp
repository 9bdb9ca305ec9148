// The previews of the rounded star, the wall curves, the transform handles and the generators:
// the point layouts the primary action builds from, the read-outs and the hostile values a
// script can leave in the tool's fields.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editing/DrawVertexList.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"
#include "views/GeneratorPreview.h"
#include "views/ToolPreview.h"
#include "views/WallCurvePreview.h"

namespace korvel::test {
namespace {

Languages readOutTexts() {
    std::map<int32_t, std::string> texts;
    for (int32_t n : {261, 262, 263, 264, 265, 268, 269, 270, 1273})
        texts[n] = std::to_string(n) + ":&1,&2";
    return languageWith(texts);
}

struct Rig {
    ToolState tool;
    std::unique_ptr<DrawVertexList> points = std::make_unique<DrawVertexList>();
    HoverState hover;
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    Languages langs = readOutTexts();
    std::unique_ptr<OverlayLists> lists = std::make_unique<OverlayLists>();
    std::string label;
    bool ctrl = false;
    ToolPreviewParams params;
    std::vector<ContourSegment> contour;

    Rig(Tool t, std::vector<IntPoint> placed, IntPoint hit) {
        tool.currentTool = t;
        for (IntPoint p : placed) appendToolPoint(*points, p.x, p.y);
        hover.hitPointX = hit.x;
        hover.hitPointY = hit.y;
    }
    ToolPreviewFrame frame() {
        ToolPreviewFrame f{tool, *points, hover, false, ctrl, *map, 0, langs, *lists, label};
        f.params = params;
        if (!contour.empty()) f.params.contour = contour.data();
        return f;
    }
    void build() {
        ToolPreviewFrame f = frame();
        buildToolPreview(f);
    }
    IntPoint pointAt(int32_t i) const {
        return {lists->overlayPoints[i].x, lists->overlayPoints[i].y};
    }
    std::string lines() const {
        std::string s;
        for (int32_t i = 0; i < lists->overlayLineCount; ++i) {
            const OverlayLine& l = lists->overlayLines[i];
            s += (i ? " " : "") + std::to_string(l.x1) + "," + std::to_string(l.y1) + ">" +
                 std::to_string(l.x2) + "," + std::to_string(l.y2) + "/" + std::to_string(l.kind);
        }
        return s;
    }
    std::string pointList(int32_t from = 0) const {
        std::string s;
        for (int32_t i = from; i < lists->overlayPointCount; ++i) {
            const OverlayPoint& p = lists->overlayPoints[i];
            s += (i > from ? " " : "") + std::to_string(p.x) + "," + std::to_string(p.y);
        }
        return s;
    }
};

// The point at angle t and radius r around c, rounded as the previews round.
IntPoint around(IntPoint c, double r, double t) {
    return {safeFloor(c.x + r * std::sin(t) + 0.5), safeFloor(c.y - r * std::cos(t) + 0.5)};
}

constexpr double kPi = 3.14159265358979;

TEST(RoundedStarPreview, EarlyStagesAndTheDegenerateFillet) {
    // One point: the circle, with the detail raised to two (four corners).
    Rig circle(Tool::CurveShape, {{0, 0}}, {100, 0});
    circle.tool.toolDetail = 1;
    circle.build();
    EXPECT_EQ(circle.tool.toolDetail, 2);
    EXPECT_EQ(circle.lists->overlayPointCount, 5);
    EXPECT_EQ(circle.label, "261:100,");

    Rig star(Tool::CurveShape, {{0, 0}, {0, -50}}, {100, 0});
    star.build();
    EXPECT_EQ(star.label, "262:100,");

    // Stage 3 with the mouse on the centre: no fillet distance.
    Rig onCentre(Tool::CurveShape, {{0, 0}, {500, 0}, {0, -1000}}, {0, 0});
    onCentre.build();
    EXPECT_EQ(onCentre.label, "263:0,");
    EXPECT_EQ(onCentre.lists->toolPreviewDegenerate, 1);
}

TEST(RoundedStarPreview, StageFourLayoutHasTheInnerCentresWhereThePressSkipsThem) {
    const IntPoint p0{0, 0}, p1{500, 0}, p2{0, -1000}, p3{0, -800}, hit{300, 0};
    for (int32_t n = 2; n <= 6; ++n) {
        for (int32_t s = 1; s <= 6; ++s) {
            SCOPED_TRACE(testing::Message() << "n " << n << " s " << s);
            Rig rig(Tool::CurveShape, {p0, p1, p2, p3}, hit);
            rig.tool.toolDetail = n;
            rig.tool.toolSecDetail = s;
            rig.build();
            ASSERT_EQ(rig.lists->overlayPointCount, 1 + n * (2 * s + 3));
            EXPECT_EQ(rig.lists->toolPreviewDegenerate, 0);
            EXPECT_EQ(rig.label, "264:300,");
            int32_t centres = 0;
            for (int32_t i = 1; i < rig.lists->overlayPointCount; ++i) {
                if ((i - 1) % (2 * s + 3) != s + 1) continue;
                const int32_t j = 2 * ((i - 1) / (2 * s + 3)) + 1;  // the inner corner
                EXPECT_EQ(rig.pointAt(i), around(p0, 300, j * kPi / n)) << "index " << i;
                ++centres;
            }
            EXPECT_EQ(centres, n);
        }
    }
    Rig small(Tool::CurveShape, {p0, p1, p2, p3}, hit);
    small.tool.toolDetail = 2;
    small.tool.toolSecDetail = 1;
    small.build();
    EXPECT_EQ(small.lists->overlayPointCount, 11);
    EXPECT_EQ(small.pointAt(3), around(p0, 300, kPi / 2));
    EXPECT_EQ(small.pointAt(8), around(p0, 300, 3 * kPi / 2));
}

TEST(RoundedStarPreview, ZeroRadiusFilletAndParallelConstructionLines) {
    // The mouse at the outer radius puts the fillet centre on the corner: every arc point there.
    Rig onCorner(Tool::CurveShape, {{0, 0}, {500, 0}, {0, -1000}}, {0, -1000});
    onCorner.tool.toolDetail = 2;
    onCorner.tool.toolSecDetail = 3;
    onCorner.build();
    ASSERT_EQ(onCorner.lists->overlayPointCount, 1 + 2 * (3 + 3));
    // The centre, the four arc points and the sharp inner corner.
    EXPECT_EQ(onCorner.pointList(1).rfind("0,-1000 0,-1000 0,-1000 0,-1000 0,-1000 500,0 ", 0), 0u)
        << onCorner.pointList(1);

    // A star of no size: every edge is a point, the tangent points fall back to (0, 0).
    Rig flat(Tool::CurveShape, {{0, 0}, {0, 0}, {0, 0}}, {100, 0});
    flat.tool.toolDetail = 2;
    flat.tool.toolSecDetail = 2;
    flat.build();
    ASSERT_EQ(flat.lists->overlayPointCount, 1 + 2 * (2 + 3));
    // With no direction to P2 the star faces +y: the fillet centre at (0, 100), then the arc.
    EXPECT_EQ(flat.pointList(1).rfind("0,100 0,0 0,0 0,0 0,0 ", 0), 0u) << flat.pointList(1);
}

TEST(WallCurvePreview, CurveWallHalfCircleShallowArcAndTheLongWay) {
    struct Case {
        const char* name;
        IntPoint hit;
        uint8_t alt;
        const char* label;
        int32_t middleY;  // y of the middle arc point, s = 4
    } const cases[] = {
        {"on the wall", {500, 0}, 0, "265:500,", -500},
        {"on the wall, reversed", {500, 0}, 1, "265:500,", 500},
        {"far on the positive side", {500, 100000}, 0, "265:100001,", -1},
        {"far, the long way", {500, 100000}, 1, "265:100001,", 200001},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(Tool::CurveWall, {}, c.hit);
        MapBuilder(*rig.map).addRoom(0, 0, 1000, 1000);
        rig.tool.toolTargetSector = 0;
        rig.tool.toolSecDetail = 4;
        rig.tool.toolAltMode = c.alt;
        rig.build();
        EXPECT_EQ(rig.label, c.label);
        ASSERT_EQ(rig.lists->overlayPointCount, 6);  // Q, four arc points, E
        ASSERT_EQ(rig.lists->overlayLineCount, 4);
        EXPECT_EQ(rig.pointAt(1), (IntPoint{0, 0}));
        EXPECT_EQ(rig.pointAt(5), (IntPoint{1000, 0}));
        EXPECT_NEAR(rig.pointAt(3).y, c.middleY, 1);
        EXPECT_EQ(rig.lists->overlayLines[3].x2, 1000);
        EXPECT_EQ(rig.lists->overlayLines[3].y2, 0);
    }
}

TEST(WallCurvePreview, DivideWallRoundsHalvesUpAndRaisesTheDetail) {
    Rig rig(Tool::DivideWall, {}, {0, 0});
    MapBuilder(*rig.map).addRoom(0, 0, 10, 10);
    rig.tool.toolTargetSector = 0;
    rig.tool.toolDetail = 4;
    rig.build();
    EXPECT_EQ(rig.pointList(), "0,0 3,0 5,0 8,0 10,0");
    EXPECT_EQ(rig.lines(), "0,0>3,0/1 3,0>5,0/1 5,0>8,0/1 8,0>10,0/1");

    rig.tool.toolDetail = 1;
    rig.build();
    EXPECT_EQ(rig.tool.toolDetail, 2);
    EXPECT_EQ(rig.pointList(), "0,0 5,0 10,0");

    // All selected walls: the first selected one.
    rig.tool.toolTargetSector = 16777215;
    rig.map->wallSelected[1] = 1;
    rig.map->selectedWallCount = 1;
    rig.build();
    EXPECT_EQ(rig.pointList(), "10,0 10,5 10,10");
}

TEST(WallCurvePreview, UnusableTargetsBuildNothing) {
    struct Case {
        const char* name;
        Tool tool;
        int32_t target;
        void (*spoil)(MapStore&);
    } const cases[] = {
        {"curve, wall past the count", Tool::CurveWall, 4, nullptr},
        {"curve, negative wall", Tool::CurveWall, -1, nullptr},
        {"divide, all selected with none selected", Tool::DivideWall, 16777215, nullptr},
        {"divide, zero-length wall", Tool::DivideWall, 0,
         [](MapStore& m) { m.walls[1].x = 0; m.walls[1].y = 0; }},
        {"curve, zero-length wall", Tool::CurveWall, 0,
         [](MapStore& m) { m.walls[1].x = 0; m.walls[1].y = 0; }},
        {"divide, successor past the count", Tool::DivideWall, 0,
         [](MapStore& m) { m.walls[0].point2 = 9999; }},
        {"vertex beside a zero-length wall", Tool::CurveThroughVertices, 0,
         [](MapStore& m) { m.walls[3].x = 0; m.walls[3].y = 0; }},
        {"a vertex count with no vertex selected", Tool::CurveThroughVertices, 0,
         [](MapStore& m) { m.vertexSelected[0] = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.tool, {}, {300, 300});
        MapBuilder(*rig.map).addRoom(0, 0, 1000, 1000);
        rig.map->vertexSelected[0] = 1;
        rig.map->selectedVertexCount = 1;
        rig.tool.toolTargetSector = c.target;
        if (c.spoil) c.spoil(*rig.map);
        rig.build();
        EXPECT_EQ(rig.lists->overlayPointCount, 0);
        EXPECT_EQ(rig.lists->overlayLineCount, 0);
    }
}

TEST(WallCurvePreview, VertexFilletStraightOuterAndInnerMouse) {
    Rig rig(Tool::CurveThroughVertices, {}, {300, 300});
    MapBuilder(*rig.map).addRoom(0, 0, 1000, 1000);
    rig.map->vertexSelected[0] = 1;
    rig.map->selectedVertexCount = 1;
    rig.tool.toolDetail = 2;
    rig.build();
    EXPECT_EQ(rig.pointList(), "300,0 88,88 0,300 300,300");
    EXPECT_EQ(rig.lines(),
              "88,-88>300,0/1 0,-300>88,-88/1 300,-300>300,0/4 300,-300>0,-300/4 0,-300>0,-1000/1 "
              "300,0>1000,0/1");
    EXPECT_NEAR(rig.tool.curveBendDistance, 424.26, 0.01);

    // Each further vertex adds one group of n + 2 points and nothing else.
    const std::string lines = rig.lines();
    {
        ToolPreviewFrame f = rig.frame();
        buildCurvedWallControl(f, 1);
    }
    EXPECT_EQ(rig.lists->overlayPointCount, 8);
    EXPECT_EQ(rig.pointList(4), "1000,300 912,88 700,0 700,300");
    EXPECT_EQ(rig.lines(), lines);

    // The mouse outside the corner: distance 0, every point on the vertex.
    rig.hover.hitPointX = rig.hover.hitPointY = -500;
    rig.build();
    EXPECT_EQ(rig.pointList(), "0,0 0,0 0,0 0,0");
    EXPECT_EQ(rig.tool.curveBendDistance, 0);

    // A vertex in the middle of a straight line: its two walls and no points.
    Rig straight(Tool::CurveThroughVertices, {}, {300, 300});
    MapBuilder(*straight.map).addSector({{0, 0}, {500, 0}, {1000, 0}, {1000, 1000}, {0, 1000}});
    straight.map->vertexSelected[1] = 1;
    straight.map->selectedVertexCount = 1;
    straight.build();
    EXPECT_EQ(straight.lines(), "500,0>0,0/1 500,0>1000,0/1");
    EXPECT_EQ(straight.lists->overlayPointCount, 0);
    {
        ToolPreviewFrame f = straight.frame();
        buildCurvedWallControl(f, 1);
    }
    EXPECT_EQ(straight.lists->overlayPointCount, 0);
}

TEST(TransformHandlePreview, SegmentsParallelogramsAndTheCtrlMarks) {
    struct Case {
        const char* name;
        Tool tool;
        std::vector<IntPoint> placed;
        bool ctrl;
        const char* points;
        const char* lines;
    } const cases[] = {
        {"segment onto a turned segment",
         Tool::TransformBySegments,
         {{0, 0}, {100, 50}, {0, 0}, {-50, 100}},
         false,
         "0,0 -50,100",
         "0,0>100,0/4 0,-50>100,-50/4 0,0>0,-50/4 100,0>100,-50/4 0,0>100,-50/4 "
         "0,0>-50,-100/1 0,0>0,-100/1 -50,-100>0,-100/1 0,0>-50,0/1 -50,-100>-50,0/1"},
        {"with Ctrl the source is marked",
         Tool::TransformBySegments,
         {{0, 0}, {100, 50}, {0, 0}, {-50, 100}},
         true,
         "0,0 100,50",
         "0,0>100,0/4 0,-50>100,-50/4 0,0>0,-50/4 100,0>100,-50/4 0,0>100,-50/4 "
         "0,0>-50,-100/1 0,0>0,-100/1 -50,-100>0,-100/1 0,0>-50,0/1 -50,-100>-50,0/1"},
        {"a source segment of no length",
         Tool::TransformBySegments,
         {{7, 7}, {7, 7}, {0, 0}, {10, 0}},
         false,
         "0,0 10,0",
         "7,-7>7,-7/4 7,-7>7,-7/4 7,-7>7,-7/4 7,-7>7,-7/4 7,-7>7,-7/4 0,0>10,0/1"},
        {"parallelograms",
         Tool::QuadWarp1,
         {{0, 0}, {10, 0}, {0, 10}, {100, 100}, {120, 100}, {100, 130}},
         false,
         "100,100 120,100 100,130",
         "0,0>10,0/4 0,0>0,-10/4 0,0>10,-10/4 10,0>10,-10/4 0,-10>10,-10/4 "
         "100,-100>120,-100/1 100,-100>100,-130/1 100,-100>120,-130/1 120,-100>120,-130/1 "
         "100,-130>120,-130/1"},
        {"quadrilaterals with Ctrl",
         Tool::QuadWarp2,
         {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {6, 5}, {6, 6}, {5, 6}},
         true,
         "0,0 10,0 10,10 0,10",
         "0,0>10,0/4 0,0>0,-10/4 0,0>10,-10/4 10,0>10,-10/4 0,-10>10,-10/4 5,-5>6,-5/1 "
         "5,-5>5,-6/1 5,-5>6,-6/1 6,-5>6,-6/1 5,-6>6,-6/1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig(c.tool, c.placed, {0, 0});
        rig.ctrl = c.ctrl;
        rig.build();
        EXPECT_EQ(rig.pointList(), c.points);
        EXPECT_EQ(rig.lines(), c.lines);
    }
    Rig grid(Tool::AffineGrid, {}, {0, 0});
    grid.params.affineGridX1 = 10;
    grid.params.affineGridY1 = 20;
    grid.params.affineGridXx = 100;
    grid.params.affineGridXy = 5;
    grid.params.affineGridYy = 50;
    grid.build();
    EXPECT_EQ(grid.pointList(), "10,20 110,20 15,70");
    EXPECT_EQ(grid.lines(), "10,-20>110,-20/1 10,-20>15,-70/1 115,-70>110,-20/1 115,-70>15,-70/1");
}

TEST(GeneratorPreview, ReelTerrainAndProfiles) {
    Rig still(Tool::Reel, {{0, 0}}, {0, 0});
    still.params.reelC = 2;
    still.params.reelD = 100;
    still.build();
    EXPECT_EQ(still.pointList(), "0,0 0,0");
    EXPECT_EQ(still.lines(), "");
    EXPECT_EQ(still.label, "268:0,");

    Rig reel(Tool::Reel, {{0, 0}}, {1000, 0});
    reel.params.reelC = 2;
    reel.params.reelD = 100;
    reel.build();
    EXPECT_EQ(reel.lines(),
              "0,100>1000,100/1 0,0>1000,0/1 0,-100>1000,-100/1 1000,100>1000,-100/1 "
              "0,100>0,-100/1");

    struct TerrainCase {
        IntPoint hit;
        const char* label;
        const char* points;
    } const terrain[] = {
        {{300, 0}, "1273:100,173", "0,173 100,0 200,173 300,0 200,173 100,0"},
        {{-300, 0}, "1273:-100,-173", "0,-173 -100,0 -200,-173 -300,0 -200,-173 -100,0"},
    };
    for (const TerrainCase& c : terrain) {
        Rig rig(Tool::TerrainFromTile, {{0, 0}}, c.hit);
        rig.params.terrainParamA = 2;
        rig.params.terrainParamB = 1;
        rig.build();
        EXPECT_EQ(rig.label, c.label);
        EXPECT_EQ(rig.pointList(), c.points);
        EXPECT_EQ(rig.lists->overlayLineCount, 6);
    }

    Rig sweep(Tool::ProfileSweep, {{0, 0}}, {1000, 0});
    sweep.build();
    EXPECT_EQ(sweep.pointList(), "0,0 1000,0");
    EXPECT_EQ(sweep.lines(), "0,0>1000,0/4");
    EXPECT_EQ(sweep.label, "269:1000,");

    // Layouts: 2 + 4 n segments points, each group of four one quadrilateral.
    for (Tool t : {Tool::ProfileSweep, Tool::ProfileRevolve}) {
        for (int32_t n = 1; n <= 6; ++n) {
            Rig rig(t, {{0, 0}}, {1000, 0});
            rig.contour = {{100, 0, 0, 200, 0, 0}, {200, 0, 0, 300, 0, 0}};
            rig.params.contourCount = 2;
            rig.tool.toolDetail = n;
            rig.build();
            const int32_t sides = t == Tool::ProfileRevolve && n < 3 ? 3 : n;
            EXPECT_EQ(rig.tool.toolDetail, sides);
            EXPECT_EQ(rig.lists->overlayPointCount, 2 + 4 * sides * 2);
            EXPECT_EQ(rig.lists->overlayLineCount, 1 + 4 * sides * 2);
        }
    }
    // The first sweep section starts at the mouse end, the profile to its right on screen.
    Rig one(Tool::ProfileSweep, {{0, 0}}, {1000, 0});
    one.contour = {{100, 0, 0, 200, 0, 0}};
    one.params.contourCount = 1;
    one.tool.toolDetail = 2;
    one.build();
    EXPECT_EQ(one.pointList(2), "1000,100 500,100 500,200 1000,200 500,100 0,100 0,200 500,200");
}

TEST(GeneratorPreview, HostileCountsGiveAReadOutOrACutPreview) {
    struct Case {
        const char* name;
        Tool tool;
        int32_t count;
        int32_t detail;
    } const cases[] = {
        {"reel, no slats", Tool::Reel, 0, 6},       {"reel, negative", Tool::Reel, -1, 6},
        {"reel, many", Tool::Reel, 100000, 6},      {"arch, no strips", Tool::Arch, 0, 6},
        {"arch, many", Tool::Arch, 100000, 6},      {"sphere, no sides", Tool::Sphere, 0, 6},
        {"sphere, many", Tool::Sphere, 100000, 6},  {"terrain, minus one", Tool::TerrainFromTile, -1, 6},
        {"terrain, many", Tool::TerrainFromTile, 100000, 6},
        {"sweep, detail 0", Tool::ProfileSweep, 4096, 0},
        {"sweep, huge", Tool::ProfileSweep, 4096, 100000},
        {"revolve, huge", Tool::ProfileRevolve, 4096, INT32_MAX},
        {"revolve, no profile", Tool::ProfileRevolve, 0, INT32_MAX},
        {"rounded star, huge", Tool::CurveShape, 0, 100000},
    };
    for (const Case& c : cases) {
        for (IntPoint far : {IntPoint{1000, 0}, IntPoint{INT32_MAX, INT32_MIN}}) {
            SCOPED_TRACE(c.name);
            std::vector<IntPoint> placed{{INT32_MIN + 5, 3}};
            if (c.tool == Tool::CurveShape) placed = {{0, 0}, {INT32_MAX, 0}, {0, INT32_MIN}};
            Rig rig(c.tool, placed, far);
            rig.params.reelC = rig.params.arch2C = rig.params.sphere1C = c.count;
            rig.params.reelD = rig.params.arch1C = 2048;
            rig.params.sphere2C = c.count;
            rig.params.terrainParamA = rig.params.terrainParamB = c.count;
            rig.contour.assign(4096, ContourSegment{100, 0, 0, 200, 0, 0});
            rig.params.contourCount = c.tool == Tool::ProfileSweep || c.tool == Tool::ProfileRevolve
                                          ? c.count
                                          : 0;
            rig.tool.toolDetail = c.detail;
            rig.tool.toolSecDetail = c.tool == Tool::CurveShape ? -1 : 16;
            rig.build();
            EXPECT_FALSE(rig.label.empty());
            EXPECT_LE(rig.lists->overlayLineCount, kOverlayCapacity);
            if (rig.lists->overlayLineCount == kOverlayCapacity ||
                rig.lists->overlayPointCount == kOverlayCapacity)
                EXPECT_EQ(rig.lists->toolPreviewDegenerate, 1);
            const bool counted =
                c.tool == Tool::Reel || c.tool == Tool::Arch || c.tool == Tool::Sphere;
            if (counted && c.count < 1) EXPECT_EQ(rig.lists->overlayLineCount, 0);
        }
    }
}

}  // namespace
}  // namespace korvel::test
