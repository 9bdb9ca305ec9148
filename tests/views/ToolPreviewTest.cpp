#include "views/ToolPreview.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "geometry/ShapeCompletion.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"

namespace korvel::test {
namespace {

// Every read-out as "n:first,second", so a label names its message and arguments.
Languages readOutTexts() {
    std::map<int32_t, std::string> texts;
    for (int32_t n : {253, 254, 255, 256, 257, 258, 259, 260, 266, 267, 1205})
        texts[n] = std::to_string(n) + ":&1,&2";
    return languageWith(texts);
}

struct PreviewRig {
    ToolState tool;
    std::unique_ptr<DrawVertexList> points = std::make_unique<DrawVertexList>();
    HoverState hover;
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    Languages langs = readOutTexts();
    std::unique_ptr<OverlayLists> lists = std::make_unique<OverlayLists>();
    std::string label;
    bool shift = false, ctrl = false;

    PreviewRig(Tool t, std::vector<IntPoint> placed, IntPoint hit) {
        tool.currentTool = t;
        for (IntPoint p : placed) appendToolPoint(*points, p.x, p.y);
        hover.hitPointX = hit.x;
        hover.hitPointY = hit.y;
    }
    void build() {
        ToolPreviewFrame f{tool, *points, hover, shift, ctrl, *map, 0, langs, *lists, label};
        buildToolPreview(f);
    }
    // The lists as text: lines "x1,y1>x2,y2/kind" with their stored y, points "x,y".
    std::string lines() const {
        std::string s;
        for (int32_t i = 0; i < lists->overlayLineCount; ++i) {
            const OverlayLine& l = lists->overlayLines[i];
            s += (i ? " " : "") + std::to_string(l.x1) + "," + std::to_string(l.y1) + ">" +
                 std::to_string(l.x2) + "," + std::to_string(l.y2) + "/" + std::to_string(l.kind);
        }
        return s;
    }
    std::string pointList() const {
        std::string s;
        for (int32_t i = 0; i < lists->overlayPointCount; ++i) {
            const OverlayPoint& p = lists->overlayPoints[i];
            s += (i ? " " : "") + std::to_string(p.x) + "," + std::to_string(p.y);
        }
        return s;
    }
};

TEST(ToolPreview, PolygonRubberBandLockAndTangentArc) {
    struct Case {
        const char* name;
        IntPoint hit;
        bool shift, ctrl, arc;
        const char* lines;
        const char* points;
        const char* label;
    } const cases[] = {
        {"free band",
         {150, 30},
         false,
         false,
         false,
         "0,0>100,0/1 100,0>150,-30/2",
         "0,0 100,0",
         "254:58,"},
        {"Shift locks to x",
         {150, 30},
         true,
         false,
         false,
         "0,0>100,0/1 100,0>150,0/2",
         "0,0 100,0",
         "254:50,"},
        {"a diagonal locks to y",
         {130, 30},
         true,
         false,
         false,
         "0,0>100,0/1 100,0>100,-30/2",
         "0,0 100,0",
         "254:30,"},
        {"Shift with Ctrl is free",
         {150, 30},
         true,
         true,
         false,
         "0,0>100,0/1 100,0>150,-30/2",
         "0,0 100,0",
         "254:58,"},
        // The half circle from (100, 0) round (200, 100) to the hit point; each arc point may
        // be a unit off through the single-precision angles.
        {"tangent arc",
         {100, 200},
         false,
         false,
         true,
         "0,0>100,0/1 100,-1>170,-30/4 170,-30>199,-101/4 199,-101>170,-171/4 "
         "170,-171>99,-200/4",
         "0,0 100,0 170,30 199,101 170,171 99,200 100,100",
         "253:100,180"},
        {"no arc on the segment's line",
         {200, 0},
         false,
         false,
         true,
         "0,0>100,0/1",
         "0,0 100,0",
         "253:0,0"},
        // A centre a billion units away is too far on either side.
        {"no arc with a huge radius",
         {54872, 1},
         false,
         false,
         true,
         "0,0>100,0/1",
         "0,0 100,0",
         nullptr},
        {"nor with a huge negative radius",
         {54872, -1},
         false,
         false,
         true,
         "0,0>100,0/1",
         "0,0 100,0",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewRig r(Tool::DrawPolygon, {{0, 0}, {100, 0}}, c.hit);
        r.shift = c.shift;
        r.ctrl = c.ctrl;
        r.tool.toolAltMode = c.arc ? 1 : 0;
        r.tool.toolSecDetail = 4;
        r.build();
        EXPECT_EQ(r.lines(), c.lines);
        EXPECT_EQ(r.pointList(), c.points);
        if (c.label) EXPECT_EQ(r.label, c.label);
        EXPECT_EQ(r.lists->toolPreviewDegenerate, 0);
        // Only a drawn arc is offered to the press: its four points after the placed ones.
        EXPECT_EQ(r.lists->arcPointCount, std::string(c.name) == "tangent arc" ? 4 : 0);
        EXPECT_EQ(r.lists->arcPointFirst, std::string(c.name) == "tangent arc" ? 2 : 0);
    }
}

TEST(ToolPreview, TheArcChoosesItsStepsWhileTheDetailIsLocked) {
    PreviewRig r(Tool::DrawPolygon, {{0, 0}, {100, 0}}, {100, 200});
    r.tool.toolAltMode = 1;
    r.tool.toolDetailLocked = 1;
    r.build();
    EXPECT_EQ(r.tool.toolSecDetail, 37);  // half a turn at 12 steps a radian
    EXPECT_EQ(r.lists->arcPointCount, 37);
}

TEST(ToolPreview, StartPositionFacing) {
    struct Case {
        IntPoint hit;
        const char* label;
    } const cases[] = {{{100, 0}, "255:0,"},
                       {{0, 100}, "255:512,"},
                       {{-100, 0}, "255:1024,"},
                       {{0, -100}, "255:1536,"}};
    for (const Case& c : cases) {
        PreviewRig r(Tool::PlaceStartPosition, {{0, 0}}, c.hit);
        r.build();
        EXPECT_EQ(r.label, c.label);
    }
    PreviewRig r(Tool::PlaceStartPosition, {{0, 0}}, {100, 0});
    r.build();
    // The guide, then the shaft pointing at the mouse and its two barbs.
    EXPECT_EQ(r.lines(), "0,0>100,0/4 -192,0>192,0/1 192,0>0,-192/1 192,0>0,192/1");
    EXPECT_EQ(r.pointList(), "0,0");
    PreviewRig none(Tool::PlaceStartPosition, {}, {100, 0});
    none.build();
    EXPECT_EQ(none.lists->overlayLineCount, 0);
}

TEST(ToolPreview, ThePickedSectorOfTheTwoPickToolsIsOutlinedOnlyWhenItExists) {
    for (Tool tool : {Tool::JoinSectors, Tool::SubtractSectors, Tool::IntersectSectors}) {
        for (int32_t target : {-1, 0, 1, 5}) {
            PreviewRig r(tool, {}, {0, 0});
            MapBuilder(*r.map).addRoom(0, 0, 64, 32);
            r.tool.toolTargetSector = target;
            r.build();
            EXPECT_EQ(r.lines(), target == 0 ? "0,0>64,0/1 64,0>64,-32/1 64,-32>0,-32/1 "
                                               "0,-32>0,0/1"
                                             : "");
            EXPECT_EQ(r.lists->overlayPointCount, 0);
        }
    }
}

TEST(ToolPreview, SimpleToolsMarkTheirPoints) {
    PreviewRig pick(Tool::PickArrayCentre, {{5, 6}}, {10, 20});
    pick.build();
    EXPECT_EQ(pick.pointList(), "10,20 5,6");
    EXPECT_EQ(pick.lines(), "10,-20>5,-6/2");
    PreviewRig aim(Tool::AimSprites, {}, {7, 8});
    aim.build();
    EXPECT_EQ(aim.pointList(), "7,8");
    PreviewRig cut(Tool::LinearCut, {{0, 0}}, {30, 40});
    cut.build();
    EXPECT_EQ(cut.lines(), "0,0>30,-40/1");
    EXPECT_EQ(cut.pointList(), "0,0 30,40");
    EXPECT_EQ(cut.label, "267:50,");
    PreviewRig early(Tool::LinearCut, {}, {30, 40});
    early.build();
    EXPECT_EQ(early.lists->overlayLineCount + early.lists->overlayPointCount, 0);
    PreviewRig shade(Tool::ShadeFromLight, {}, {0, 0});
    shade.hover.hoveredSector = 0;
    shade.tool.lightPlaneSector = 3;
    shade.build();
    EXPECT_EQ(shade.label, "1205:0,32");  // no lights: no light, and the base shade
    EXPECT_EQ(shade.tool.lightPlaneSector, -1);
}

TEST(ToolPreview, ClosedShapes) {
    struct Case {
        const char* name;
        Tool tool;
        std::vector<IntPoint> placed;
        IntPoint hit;
        int32_t detail;
        const char* points;
        const char* firstLines;  // the lines the list starts with
        const char* label;
        bool degenerate;
    } const cases[] = {
        {"square",
         Tool::RegularPolygon,
         {{0, 0}},
         {0, -100},
         4,
         "0,0 0,-100 100,0 0,100 -100,0",
         "0,0>0,100/4 0,100>-100,0/1 100,0>0,100/1",
         "256:100,",
         false},
        {"on the centre",
         Tool::RegularPolygon,
         {{0, 0}},
         {0, 0},
         4,
         nullptr,
         nullptr,
         "256:0,",
         true},
        {"ellipse",
         Tool::EllipsePolygon,
         {{0, 0}},
         {200, -100},
         4,
         "0,0 100,-100 0,-50 100,0 200,-50",
         "0,0>200,100/4",
         "257:200,100",
         false},
        {"halves truncate",
         Tool::EllipsePolygon,
         {{0, 0}},
         {-3, 5},
         4,
         nullptr,
         nullptr,
         "257:3,5",
         false},
        {"flat ellipse",
         Tool::EllipsePolygon,
         {{0, 0}},
         {200, 0},
         4,
         nullptr,
         nullptr,
         "257:200,0",
         true},
        {"rectangle",
         Tool::Rectangle,
         {{100, 50}},
         {0, 0},
         4,
         "0,0 100,0 100,50 0,50",
         "100,-50>0,0/4 100,-50>100,0/1 0,-50>0,0/1 100,-50>0,-50/1 100,0>0,0/1",
         "260:100,50",
         false},
        {"rectangle without width",
         Tool::Rectangle,
         {{0, 0}},
         {0, 50},
         4,
         "0,0 0,0 0,50 0,50",
         nullptr,
         "260:0,50",
         true},
        {"circle of two steps",
         Tool::Circle,
         {{0, 0}},
         {100, 0},
         2,
         "0,0 100,0 0,100 -100,0 0,-100",
         "0,0>100,0/4 100,0>0,100/1",
         "258:100,",
         false},
        {"star",
         Tool::Circle,
         {{0, 0}, {0, 50}},
         {100, 0},
         2,
         "0,0 100,0 0,50 -100,0 0,-50",
         "0,0>100,0/4 100,0>0,50/1",
         "259:100,",
         false},
        {"three points make no circle",
         Tool::Circle,
         {{0, 0}, {1, 1}, {2, 2}},
         {100, 0},
         2,
         "",
         "",
         "",
         false},
        {"stroke",
         Tool::Stroke,
         {{0, 0}},
         {100, 0},
         2,
         "0,0 100,0 100,-10 110,0 100,10 0,10 -10,0 0,-10",
         "0,0>100,0/4 100,10>0,10/1 100,10>110,0/1 110,0>100,-10/1 100,-10>0,-10/1",
         "266:100,",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreviewRig r(c.tool, c.placed, c.hit);
        r.tool.toolDetail = c.detail;
        r.tool.lineWidth = 20;
        r.build();
        if (c.points) EXPECT_EQ(r.pointList(), c.points);
        if (c.firstLines)
            EXPECT_EQ(r.lines().substr(0, std::string(c.firstLines).size()), c.firstLines);
        EXPECT_EQ(r.label, c.label);
        EXPECT_EQ(r.lists->toolPreviewDegenerate, c.degenerate ? 1 : 0);
        if (std::string(c.name) == "halves truncate")
            EXPECT_EQ(r.lists->overlayPoints[1].x, -1);  // the centre (-1, 2), top: 2 - 2.5
    }
}

TEST(ToolPreview, DetailsBelowTheirMinimumAreRaisedAndStay) {
    struct Case {
        Tool tool;
        int32_t raised;
        int32_t points;
    } const cases[] = {{Tool::RegularPolygon, 3, 4},
                       {Tool::EllipsePolygon, 3, 4},
                       {Tool::Circle, 2, 5},
                       {Tool::Stroke, 1, 6}};
    for (const Case& c : cases) {
        for (int32_t detail : {1, 0, -5}) {
            SCOPED_TRACE(::testing::Message() << int(c.tool) << " " << detail);
            PreviewRig r(c.tool, {{0, 0}}, {100, 0});
            r.tool.toolDetail = detail;
            r.build();
            EXPECT_EQ(r.tool.toolDetail, c.raised);
            EXPECT_EQ(r.lists->overlayPointCount, c.points);
            r.build();
            EXPECT_EQ(r.tool.toolDetail, c.raised);
        }
    }
}

TEST(ToolPreview, APreviewThatWouldOverflowItsListsIsCutAndDegenerate) {
    for (Tool tool : {Tool::RegularPolygon, Tool::EllipsePolygon, Tool::Circle, Tool::Stroke}) {
        SCOPED_TRACE(int(tool));
        PreviewRig r(tool, {{0, 0}}, {100000, 0});
        r.tool.toolDetail = 2147483647;
        r.build();
        EXPECT_EQ(r.lists->overlayPointCount, kOverlayCapacity);
        EXPECT_EQ(r.lists->toolPreviewDegenerate, 1);
    }
    PreviewRig arc(Tool::DrawPolygon, {{0, 0}, {100, 0}}, {100, 200});
    arc.tool.toolAltMode = 1;
    arc.tool.toolSecDetail = 2147483647;
    arc.build();
    EXPECT_EQ(arc.lists->toolPreviewDegenerate, 1);
    EXPECT_EQ(arc.lists->arcPointCount, 0);
}

}  // namespace
}  // namespace korvel::test
