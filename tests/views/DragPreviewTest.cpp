// The drag preview: where dragged vertices, slices and sprites are drawn, the read-out of each
// kind of drag, and the write-through of a single vertex or sprite.
#include "views/DragPreview.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"

namespace korvel::test {
namespace {

Languages dragTexts() {
    std::map<int32_t, std::string> texts;
    for (int32_t n = 273; n <= 286; ++n) texts[n] = std::to_string(n) + ":&1,&2";
    return languageWith(texts);
}

struct DragRig {
    std::unique_ptr<MapStore> map = std::make_unique<MapStore>();
    DragState drag;
    HoverState hover;
    ToolState tool;
    Languages langs = dragTexts();
    std::unique_ptr<OverlayLists> lists = std::make_unique<OverlayLists>();
    std::string label;
    std::vector<SectionSlice> slices;
    int32_t mouseY = 300;
    bool shift = false, realtime = false, sideView = false, button = true;
    uint8_t subjectKind = 0;

    DragRig() {
        MapBuilder b(*map);
        b.addRoom(0, 0, 100, 100);  // walls 0..3 from (0,0), (100,0), (100,100), (0,100)
        b.addSprite(10, 10, 0, 0);
        b.addSprite(50, 20, -256, 0);
        tool.draggedSprite = -1;
    }
    void hit(int32_t x, int32_t y, int32_t z = 0) {
        hover.hitPointX = x;
        hover.hitPointY = y;
        hover.hitPointZ = z;
    }
    void build() {
        resetOverlayLists(*lists);
        label.clear();
        DragPreviewFrame f{*map, drag, hover, tool, langs, *lists, label};
        f.mouseY = mouseY;
        f.dragStartMouseY = 300;
        f.shiftHeld = shift;
        f.realtimeUpdate = realtime;
        f.sideView = sideView;
        f.leftButtonHeld = button;
        f.slices = slices.data();
        f.sliceCount = int32_t(slices.size());
        f.sectionStart = {0, 0};
        f.sectionEnd = {100, 0};
        f.sideViewSubjectKind = subjectKind;
        buildDragPreview(f);
    }
    // Vertices 0 and 1 selected and dragged with the whole selection.
    void dragBottomEdge() {
        map->vertexSelected[0] = map->vertexSelected[1] = 1;
        map->movedWallCount = kAllWallsMarked;
        map->wallMoveState[0] = 3;
        map->wallMoveState[1] = 1;
        map->wallMoveState[3] = 2;
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
    std::string points() const {
        std::string s;
        for (int32_t i = 0; i < lists->overlayPointCount; ++i) {
            const OverlayPoint& p = lists->overlayPoints[i];
            s += (i ? " " : "") + std::to_string(p.x) + "," + std::to_string(p.y);
        }
        return s;
    }
};

TEST(DragPreview, TurnAndScaleTextsFollowTheVerticalMotion) {
    struct Case {
        DragKind kind;
        bool shift;
        int32_t dy;
        const char* label;
    } const cases[] = {
        {DragKind::Rotate, true, 22, "274:0,"},      {DragKind::Rotate, true, 23, "274:22.5,"},
        {DragKind::Rotate, true, -1, "274:337.5,"},  {DragKind::Rotate, false, 90, "274:90,"},
        {DragKind::Rotate, true, 0, ""},             {DragKind::Scale, true, 1, "275:100,"},
        {DragKind::Scale, true, 49, "275:100,"},     {DragKind::Scale, true, 50, "275:150,"},
        {DragKind::Scale, true, -1, "275:50,"},      {DragKind::Scale, true, -50, "275:50,"},
        {DragKind::Scale, true, -51, "275:0,"},      {DragKind::Scale, true, -101, "275:-50,"},
        {DragKind::Scale, false, -100, "275:0,"},    {DragKind::Scale, false, -150, "275:-50,"},
        {DragKind::Scale, false, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.kind) << " shift " << c.shift << " dy " << c.dy);
        DragRig rig;
        rig.dragBottomEdge();
        rig.tool.dragKind = c.kind;
        rig.shift = c.shift;
        rig.mouseY = 300 + c.dy;
        rig.build();
        EXPECT_EQ(rig.label, c.label);
    }
}

TEST(DragPreview, WholeSelectionMovesMarkedWallsAboutTheDragStart) {
    struct Case {
        const char* name;
        DragKind kind;
        IntPoint hit;
        int32_t dy;
        bool shift;
        const char* points;
        const char* lines;
    } const cases[] = {
        {"move", DragKind::Move, {10, 5}, 0, false, "10,5 110,5",
         "10,-5>110,-5/1 110,-5>100,-100/1 0,-100>10,-5/1"},
        {"move, a tie keeps the vertical motion", DragKind::Move, {10, 10}, 0, true,
         "0,10 100,10", "0,-10>100,-10/1 100,-10>100,-100/1 0,-100>0,-10/1"},
        {"move, not moved yet", DragKind::Move, {0, 0}, 0, false, "", ""},
        {"scale to nothing", DragKind::Scale, {0, 0}, -100, false, "0,0 0,0",
         "0,0>0,0/1 0,0>100,-100/1 0,-100>0,0/1"},
        {"scale mirrors at half size", DragKind::Scale, {0, 0}, -150, false, "0,0 -50,0",
         "0,0>-50,0/1 -50,0>100,-100/1 0,-100>0,0/1"},
        {"free drag draws nothing", DragKind::Free, {10, 5}, 20, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DragRig rig;
        rig.dragBottomEdge();
        rig.tool.dragKind = c.kind;
        rig.hit(c.hit.x, c.hit.y);
        rig.mouseY = 300 + c.dy;
        rig.shift = c.shift;
        rig.build();
        EXPECT_EQ(rig.points(), c.points);
        EXPECT_EQ(rig.lines(), c.lines);
    }
    // Without the button held a vertex drag shows nothing.
    DragRig released;
    released.dragBottomEdge();
    released.button = false;
    released.hit(10, 5);
    released.build();
    EXPECT_EQ(released.lists->overlayLineCount, 0);
    EXPECT_EQ(released.label, "");
}

TEST(DragPreview, SingleVertexFromTheFirstFrameAndItsWriteThrough) {
    DragRig rig;
    rig.map->movedWallCount = 3;
    rig.map->wallMoveState[0] = 0;     // starts at the dragged vertex
    rig.map->wallMoveState[1] = 3;     // ends there
    rig.map->wallMoveState[2] = 9999;  // a wall removed since the drag began
    rig.tool.dragKind = DragKind::Free;
    rig.build();
    EXPECT_EQ(rig.points(), "0,0 0,0");
    EXPECT_EQ(rig.lines(), "0,0>100,0/1 0,-100>0,0/1 0,0>0,0/4");
    EXPECT_EQ(rig.label, "276:0,0");

    // A wall that no longer starts at the last target is left where it is.
    rig.map->wallMoveState[2] = 2;
    rig.map->walls[2].x = 7;
    rig.map->walls[2].y = 0;
    rig.realtime = true;
    rig.hit(20, 30);
    rig.build();
    EXPECT_EQ(rig.label, "276:20,30");
    EXPECT_EQ(rig.map->walls[0].x, 20);
    EXPECT_EQ(rig.map->walls[0].y, 30);
    EXPECT_EQ(rig.map->walls[2].x, 7);
    EXPECT_EQ(rig.drag.lastDragTargetX, 20);
    EXPECT_EQ(rig.drag.lastDragTargetY, 30);
    rig.hit(25, 30);
    rig.build();
    EXPECT_EQ(rig.map->walls[0].x, 25);
}

TEST(DragPreview, SpriteDragsAndTheirMessages) {
    struct Case {
        const char* name;
        int32_t dragged;
        DragKind kind;
        SelectionMode mode;
        bool sideView;
        int32_t dy;
        const char* label;
        const char* points;
    } const cases[] = {
        // Turning (10, 10) and (50, 20) a quarter about the origin; the distance is cut to a
        // whole unit first, so 53.85 turns as 53.
        {"selection move", 16777215, DragKind::Move, SelectionMode::Sprites, false, 0, "279:5,-5",
         "15,5 55,15"},
        {"selection move, other mode", 16777215, DragKind::Move, SelectionMode::Vertices, false, 0,
         "280:5,-5", "15,5 55,15"},
        {"selection turn", 16777215, DragKind::Rotate, SelectionMode::Sprites, false, 90,
         "281:90,", "-10,10 -20,49"},
        {"selection turn, other mode", 16777215, DragKind::Rotate, SelectionMode::Walls, false, 90,
         "282:90,", "-10,10 -20,49"},
        {"selection scale", 16777215, DragKind::Scale, SelectionMode::Sprites, false, 100,
         "283:200,", "20,20 100,40"},
        {"selection scale, other mode", 16777215, DragKind::Scale, SelectionMode::Sectors, false,
         100, "284:200,", "20,20 100,40"},
        {"selection in the side view", 16777215, DragKind::Move, SelectionMode::Sprites, true, 0,
         "277:-64,", "15,-64 53,-320"},
        {"one sprite", 1, DragKind::Move, SelectionMode::Sprites, false, 0, "286:5,-5",
         "5,-5 0,0"},
        {"one sprite in the side view", 1, DragKind::Move, SelectionMode::Sprites, true, 0,
         "285:-64,", "3,-64 0,0"},
        {"a sprite past the count", 2, DragKind::Move, SelectionMode::Sprites, false, 0, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DragRig rig;
        rig.map->spriteSelected[0] = rig.map->spriteSelected[1] = 1;
        rig.tool.draggedSprite = c.dragged;
        rig.tool.dragKind = c.kind;
        rig.tool.selectionMode = c.mode;
        rig.sideView = c.sideView;
        rig.mouseY = 300 + c.dy;
        rig.hit(5, -5, -64);
        rig.hover.sideHitPos = 3;
        rig.build();
        EXPECT_EQ(rig.label, c.label);
        EXPECT_EQ(rig.points(), c.points);
    }
}

TEST(DragPreview, SpritesWithVerticesShowTheSpriteTextAndSlicesFourLinesEach) {
    DragRig both;
    both.dragBottomEdge();
    both.map->spriteSelected[0] = 1;
    both.tool.draggedSprite = 16777215;
    both.tool.selectionMode = SelectionMode::SpritesAndVertices;
    both.hit(10, 5);
    both.build();
    EXPECT_EQ(both.label, "280:10,5");
    EXPECT_EQ(both.points(), "10,5 110,5 20,15");
    EXPECT_EQ(both.lists->overlayLineCount, 3);

    DragRig side;
    MapBuilder(*side.map).addRoom(200, 0, 300, 100);
    side.map->movedWallCount = kAllWallsMarked;
    side.map->sectorSelected[1] = 1;
    side.sideView = true;
    side.drag.dragStartY = -100;
    side.hit(0, 0, -300);
    side.slices = {{0, 0, 100, 0, 0, -1000, -1000, 0, 0, 0, 0, 0, 0},
                   {1, 200, 300, 10, 20, -900, -800, 0, 0, 0, 0, 0, 0},
                   {77, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
    side.build();
    EXPECT_EQ(side.label, "278:-200,");
    EXPECT_EQ(side.lines(),
              "200,-190>200,-1100/1 300,-180>300,-1000/1 200,-190>300,-180/1 "
              "200,-1100>300,-1000/1");
}

TEST(DragPreview, SideViewSpriteWriteThroughStepsOffAWall) {
    DragRig rig;
    rig.tool.draggedSprite = 0;
    rig.sideView = true;
    rig.realtime = true;
    rig.subjectKind = 2;
    rig.hit(40, 0, -512);
    rig.build();
    // The section runs along +x, so the sprite steps one unit towards +y.
    EXPECT_EQ(rig.map->sprites[0].x, 40);
    EXPECT_EQ(rig.map->sprites[0].y, 1);
    EXPECT_EQ(rig.map->sprites[0].z, -512);
}

}  // namespace
}  // namespace korvel::test
