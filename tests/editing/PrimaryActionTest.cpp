#include "editing/PrimaryAction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "editing/DrawingTool.h"
#include "geometry/ShapeCompletion.h"
#include "map/GeometryQueries.h"
#include "map/MapFile.h"
#include "map/UndoSnapshot.h"
#include "pages/ProfileEditor.h"
#include "support/CommandRig.h"
#include "support/DrawingRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "views/Projection.h"

namespace korvel::test {
namespace {

// The shoelace sum of the loop that starts at wall w (negative: clockwise on the screen).
double loopSum(const MapStore& map, int32_t w) {
    std::vector<int32_t> xs, ys;
    int32_t v = w;
    do {
        xs.push_back(map.walls[v].x);
        ys.push_back(map.walls[v].y);
        v = map.walls[v].point2;
    } while (v != w && v >= 0 && xs.size() <= size_t(map.wallCount));
    return shoelaceSum(xs.data(), ys.data(), int32_t(xs.size()));
}

std::string sound(const MapStore& map) {
    return describeViolations(checkMapInvariants(map));
}

TEST(PrimaryAction, TheFirstPressSaysWhereThePolygonStarts) {
    struct Case {
        const char* name;
        IntPoint at;
        int32_t hovered;
        bool hideWalls;
        int32_t mode;
        const char* status;
    } const cases[] = {
        {"free space", {512, 512}, -1, false, DrawMode::FreeSpace, "23:"},
        {"inside the room", {64, 64}, 0, false, DrawMode::InsideSector, "24:0"},
        {"on a corner", {256, 0}, 0, false, DrawMode::FromVertex, "25:"},
        {"on a hidden wall's corner", {256, 0}, 0, true, DrawMode::InsideSector, "24:0"},
        {"a hovered sector that is not there", {64, 64}, 9, false, DrawMode::FreeSpace, "23:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingRig r;
        MapBuilder(r.ed->map).addRoom(0, 0, 256, 256);
        if (c.hideWalls)
            for (int32_t w = 0; w < 4; ++w) r.ed->map.wallIgnored[w] = 1;
        r.press(c.at.x, c.at.y, c.hovered);
        EXPECT_EQ(r.ed->tool.currentTool, Tool::DrawPolygon);
        EXPECT_EQ(r.ed->tool.toolDrawMode, c.mode);
        EXPECT_EQ(r.status(), c.status);
        EXPECT_EQ(r.placed(), std::vector<IntPoint>{c.at});
    }
    // In the boolean-target mode every drawn polygon starts as a new sector, waiting.
    DrawingRig r;
    MapBuilder(r.ed->map).addRoom(0, 0, 256, 256);
    r.ed->tool.selectionMode = SelectionMode::BooleanTarget;
    r.press(64, 64, 0);
    EXPECT_EQ(r.ed->tool.toolDrawMode, DrawMode::FreeSpace);
    EXPECT_EQ(r.ed->tool.booleanPending, 1);
}

TEST(PrimaryAction, ShiftLocksToAnAxisAndARepeatedPointIsIgnored) {
    struct Case {
        bool shift, ctrl;
        IntPoint hit, placed;
    } const cases[] = {
        {true, false, {100, 40}, {100, 0}},   {true, false, {40, -100}, {0, -100}},
        {true, false, {50, 50}, {0, 50}},    // a tie locks to the vertical
        {true, true, {100, 40}, {100, 40}},  // no boundary here: Ctrl+Shift is unlocked
        {false, false, {100, 40}, {100, 40}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.hit.x << "," << c.hit.y << " " << c.shift << c.ctrl);
        DrawingRig r;
        r.press(0, 0);
        r.ed->dispatch.shiftHeld = c.shift;
        r.ed->dispatch.ctrlHeld = c.ctrl;
        r.press(c.hit.x, c.hit.y);
        EXPECT_EQ(r.placed(), (std::vector<IntPoint>{{0, 0}, c.placed}));
        r.ed->dispatch.shiftHeld = 0;
        r.ed->dispatch.ctrlHeld = 0;
        r.press(c.placed.x, c.placed.y);
        EXPECT_EQ(r.placed().size(), 2u) << "the same point again";
    }
}

TEST(PrimaryAction, CtrlWalksTheBoundaryEitherWayAndTheCloseCommandFollowsIt) {
    // A room whose right side has a corner half way up.
    const std::vector<IntPoint> room = {{0, 0}, {256, 0}, {256, 128}, {256, 256}, {0, 256}};
    std::vector<IntPoint> ways[2];
    for (bool backward : {false, true}) {
        DrawingRig r;
        MapBuilder(r.ed->map).addSector(room);
        r.press(256, 0, 0);
        r.ed->dispatch.ctrlHeld = 1;
        r.ed->dispatch.shiftHeld = backward;
        r.press(0, 256);
        ways[backward] = r.placed();
        EXPECT_EQ(r.ed->dispatch.ctrlHeld, 1);
        EXPECT_EQ(r.ed->dispatch.shiftHeld, backward);
    }
    // Each way places every corner it passes, ending on the point pressed.
    EXPECT_EQ(ways[0].back(), (IntPoint{0, 256}));
    EXPECT_EQ(ways[1].back(), (IntPoint{0, 256}));
    // (256, 128) and (256, 256) one way, (0, 0) the other.
    EXPECT_EQ(ways[0].size() + ways[1].size(), 4u + 3u);
    EXPECT_NE(ways[0], ways[1]);

    // A room to the right drawn from two of its corners, closed by the close command: the
    // boundary corner between them is placed and the walls are twinned.
    DrawingRig r;
    MapStore& map = r.ed->map;
    MapBuilder(map).addSector(room);
    for (IntPoint p : {IntPoint{256, 0}, {512, 0}, {512, 256}, {256, 256}}) r.press(p.x, p.y);
    r.ed->tool.currentTool = Tool::DrawPolygon;
    closeDrawnPolygon(*r.ed);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    ASSERT_EQ(map.sectorCount, 2);
    EXPECT_EQ(map.sectors[1].wallnum, 5);
    EXPECT_EQ(sound(map), "");
    int32_t twinned = 0;
    for (int32_t w = 0; w < map.wallCount; ++w)
        if (map.walls[w].nextwall >= 0) ++twinned;
    EXPECT_EQ(twinned, 4);
    EXPECT_LE(loopSum(map, map.sectors[1].wallptr), 0);
}

TEST(PrimaryAction, TheArcIsPlacedOnlyAsThePreviewDrewIt) {
    struct Case {
        const char* name;
        IntPoint hit;
        int32_t secDetail;
        size_t placed;  // after the press
    } const cases[] = {
        {"the half circle's four steps", {100, 200}, 4, 2 + 4},
        {"no arc on the segment's line", {200, 0}, 4, 3},
        {"no steps", {100, 200}, 0, 3},
        {"steps below none", {100, 200}, -5, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingRig r;
        r.press(0, 0);
        r.press(100, 0);
        r.ed->tool.toolAltMode = 1;
        r.ed->tool.toolSecDetail = c.secDetail;
        r.press(c.hit.x, c.hit.y);
        const std::vector<IntPoint> placed = r.placed();
        ASSERT_EQ(placed.size(), c.placed);
        EXPECT_EQ(placed.back(), c.hit);
        EXPECT_EQ(placed[1], (IntPoint{100, 0})) << "the placed points stay";
    }
}

TEST(PrimaryAction, TheDrawnTurnIsFoundAtTheEndsOfTheCoordinates) {
    constexpr int32_t lo = INT32_MIN, hi = INT32_MAX;
    struct Case {
        std::vector<IntPoint> points;
        bool clockwise;
    } const cases[] = {
        {{{0, 0}, {0, 64}, {64, 64}}, true},
        {{{0, 0}, {64, 64}, {0, 64}}, false},
        {{{lo, lo}, {lo, hi}, {hi, hi}}, true},
        {{{lo, lo}, {hi, hi}, {lo, hi}}, false},
        {{{hi, lo}, {lo, lo}, {lo, hi}, {hi, hi}}, true},
        {{{0, 0}, {64, 64}}, false},  // no area
    };
    for (const Case& c : cases) {
        DrawVertexList list;
        list.toolPointCount = int32_t(c.points.size());
        for (size_t i = 0; i < c.points.size(); ++i) {
            list.toolPointsX[int32_t(i)] = c.points[i].x;
            list.toolPointsY[int32_t(i)] = c.points[i].y;
        }
        EXPECT_EQ(isDrawnPolygonClockwise(list), c.clockwise) << c.points[1].x;
    }
}

SplitState allowAll(const MapStore&, const SplitPath&, int32_t, int32_t, bool, bool) {
    return SplitState::SplitsSector;
}
int32_t splitFrom = -1, splitTo = -1;
bool recordSplit(MapStore& map, MapEvents&, ShapeFeed&, const SplitPath&, int32_t a, int32_t b) {
    splitFrom = a;
    splitTo = b;
    map.sectors[0].lotag = 99;  // the split's work, to see it kept
    return true;
}

TEST(PrimaryAction, APathBetweenTwoCornersOfOneSectorSplitsItAtOnce) {
    DrawingRig r;
    MapStore& map = r.ed->map;
    MapBuilder(map).addRoom(0, 0, 256, 256);
    const SectorSplitOps ops{allowAll, recordSplit};
    r.at(0, 0, 0);
    pressDrawingTool(*r.ed, ops);
    r.at(128, 128, 0);
    pressDrawingTool(*r.ed, ops);
    EXPECT_EQ(map.undoState, UndoState::Nothing);
    r.at(256, 256, 0);
    const DrawingPress press = pressDrawingTool(*r.ed, ops);
    EXPECT_FALSE(press.closed);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(map.walls[splitFrom].x, 256);
    EXPECT_EQ(map.walls[splitTo].x, 0);
    EXPECT_EQ(map.sectorCount, 1);
    EXPECT_EQ(map.sectors[0].lotag, 99);
    EXPECT_EQ(map.undoState, UndoState::Snapshot);
}

TEST(PrimaryAction, ClosesOfTwoCornersAndFullDrawingsAreRefusedLeavingTheMap) {
    DrawingRig r;
    MapStore& map = r.ed->map;
    MapBuilder(map).addRoom(0, 0, 256, 256);
    auto before = std::make_unique<MapStore>(map);
    // A, B, A.
    r.press(512, 0);
    r.press(600, 0);
    r.press(512, 0);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(r.status(), "1349:");
    EXPECT_EQ(contentDifference(*before, map), "");
    EXPECT_EQ(map.undoState, UndoState::Nothing);

    // The points are full: a further press says so and places nothing.
    r.press(512, 0);
    r.ed->drawVertices.toolPointCount = kDrawVertexCapacity;
    r.press(700, 700);
    EXPECT_EQ(r.ed->drawVertices.toolPointCount, kDrawVertexCapacity);
    EXPECT_EQ(r.status(), "1348:");

    // No room for a sector or for the walls: the map stays as it was.
    for (const auto& [sectors, walls, message] :
         {std::tuple{kMaxSectors, 4, "1337:"}, std::tuple{1, kMaxWalls - 2, "1335:"}}) {
        DrawingRig q;
        MapBuilder(q.ed->map).addRoom(0, 0, 256, 256);
        q.ed->map.sectorCount = sectors;
        q.ed->map.wallCount = walls;
        auto kept = std::make_unique<MapStore>(q.ed->map);
        q.drawClosed(rect(1024, 0, 1280, 256));
        EXPECT_EQ(contentDifference(*kept, q.ed->map), "");
        EXPECT_EQ(q.status(), message);
        EXPECT_EQ(q.ed->tool.currentTool, Tool::Idle);
    }
}

TEST(PrimaryAction, DrawingOnDamagedMapsFinishesAndKeepsTheCounts) {
    struct Case {
        const char* name;
        void (*damage)(MapStore&);
    } const cases[] = {
        {"point2 out of range", [](MapStore& m) { m.walls[1].point2 = 30000; }},
        {"point2 negative", [](MapStore& m) { m.walls[2].point2 = -7; }},
        {"a ring that never closes", [](MapStore& m) { m.walls[3].point2 = 3; }},
        {"nextwall out of range", [](MapStore& m) { m.walls[1].nextwall = 32000; }},
        {"a one-way link", [](MapStore& m) { m.walls[1].nextwall = 6; }},
        {"wallptr past the walls", [](MapStore& m) { m.sectors[0].wallptr = 30000; }},
        {"wallnum negative", [](MapStore& m) { m.sectors[1].wallnum = -3; }},
        {"a sector claiming every wall", [](MapStore& m) { m.sectors[0].wallnum = 8; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingRig r;
        MapStore& map = r.ed->map;
        MapBuilder(map).addRoom(0, 0, 256, 256);
        MapBuilder(map).addRoom(256, 0, 512, 256);
        MapBuilder(map).link();
        c.damage(map);
        r.drawClosed(rect(512, 0, 768, 256));
        r.drawClosed(rect(64, 64, 128, 128), 0);
        r.drawClosed(rect(256, 0, 512, 256));
        r.ed->tool.currentTool = Tool::Circle;
        r.ed->drawVertices.toolPointCount = 0;
        for (IntPoint p : {IntPoint{128, 128}, {200, 128}, {128, 200}}) r.press(p.x, p.y, 0);
        EXPECT_LE(map.sectorCount, 6);
        EXPECT_LE(map.wallCount, 8 + 4 + 4 + 4 + 12);  // the circle has 12 corners
        EXPECT_FALSE(r.ed->undo.editOpen);
    }
}

TEST(PrimaryAction, ShapeToolsBuildTheirPreviewedOutlines) {
    struct Case {
        const char* name;
        Tool tool;
        int32_t detail;
        std::vector<IntPoint> presses;
        int32_t walls;  // of the new sector; 0: none made
    } const cases[] = {
        {"triangle", Tool::RegularPolygon, 3, {{0, 0}, {256, 0}}, 3},
        {"heptagon", Tool::RegularPolygon, 7, {{0, 0}, {256, 0}}, 7},
        {"rectangle", Tool::Rectangle, 6, {{0, 0}, {256, 256}}, 4},
        {"circle on the third press", Tool::Circle, 5, {{0, 0}, {256, 0}, {0, 256}}, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingRig r;
        r.ed->tool.currentTool = c.tool;
        r.ed->tool.toolDetail = c.detail;
        r.ed->tool.toolSecDetail = 2;
        for (size_t i = 0; i + 1 < c.presses.size(); ++i) {
            r.press(c.presses[i].x, c.presses[i].y);
            EXPECT_EQ(r.ed->map.sectorCount, 0) << "press " << i;
        }
        r.press(c.presses.back().x, c.presses.back().y);
        ASSERT_EQ(r.ed->map.sectorCount, 1);
        if (c.walls > 0) EXPECT_EQ(r.ed->map.sectors[0].wallnum, c.walls);
        EXPECT_EQ(sound(r.ed->map), "");
        EXPECT_LE(loopSum(r.ed->map, 0), 0);
        EXPECT_EQ(r.ed->tool.currentTool, c.tool) << "armed for the next shape";
        EXPECT_EQ(r.ed->map.undoState, UndoState::Snapshot);
    }
}

// The curve shape and profile previews are laid out by hand here, as their preview builders lay
// them out: the primary action reads only the counts and index ranges.
void layOut(OverlayLists& o, const std::vector<IntPoint>& points) {
    o.overlayPointCount = int32_t(points.size());
    for (size_t i = 0; i < points.size(); ++i) o.overlayPoints[i] = {points[i].x, points[i].y};
    o.toolPreviewDegenerate = 0;
}

TEST(PrimaryAction, TheCurveShapeBuildsOnTheFifthPressSkippingItsFilletCentres) {
    DrawingRig r;
    r.ed->tool.currentTool = Tool::CurveShape;
    r.ed->tool.toolSecDetail = 2;  // groups of 7 points, the fourth of each a fillet centre
    for (IntPoint p : {IntPoint{0, 0}, {512, 0}, {512, 512}, {0, 512}}) r.press(p.x, p.y);
    EXPECT_EQ(r.ed->map.sectorCount, 0);
    // Point 0 unused; 1..14 an octagon-like outline with centres at 4 and 11.
    std::vector<IntPoint> points(15, IntPoint{256, 256});
    const IntPoint outline[] = {{0, 0},     {128, -64}, {256, -96}, {384, -64},
                                {512, 0},   {576, 128}, {576, 384}, {512, 512},
                                {384, 576}, {128, 576}, {0, 512},   {-64, 256}};
    for (int32_t i = 1, k = 0; i <= 14; ++i)
        if (i != 4 && i != 11) points[size_t(i)] = outline[k++];
    layOut(r.ed->overlays, points);
    r.at(0, 0);
    hitSpace(*r.ed);
    ASSERT_EQ(r.ed->map.sectorCount, 1);
    EXPECT_EQ(r.ed->map.sectors[0].wallnum, 12);
    EXPECT_EQ(sound(r.ed->map), "");
}

TEST(PrimaryAction, AProfileBuildsOneSlopedSectorPerSoundSegment) {
    for (int32_t segments : {0, 2}) {
        SCOPED_TRACE(segments);
        DrawingRig r;
        ProfileEditorState& profile = r.ed->pages.profileEditor;
        profile.contourCount = segments;
        profile.contour[0] = {64, 0, -4096, 64, 0, -4096};  // left x not below right x
        profile.contour[1] = {0, 1024, -8192, 256, 0, -4096};
        r.ed->tool.currentTool = Tool::ProfileSweep;
        r.press(0, 0);
        std::vector<IntPoint> points = {{0, 0}, {512, 0}};
        for (IntPoint p : rect(0, 0, 64, 64)) points.push_back(p);     // segment 0's
        for (IntPoint p : rect(0, 64, 256, 128)) points.push_back(p);  // segment 1's
        layOut(r.ed->overlays, points);
        r.at(512, 0);
        hitSpace(*r.ed);
        EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
        if (segments == 0) {
            EXPECT_EQ(r.ed->map.sectorCount, 0);
            continue;
        }
        ASSERT_EQ(r.ed->map.sectorCount, 1);
        const SectorRecord& s = r.ed->map.sectors[0];
        EXPECT_EQ(s.floorz, 0);
        EXPECT_EQ(s.ceilingz, -4096);
        EXPECT_EQ(s.floorheinum, 1024);  // (0 - 1024) * 256 / (0 - 256)
        EXPECT_EQ(s.ceilingheinum, -4096);
        EXPECT_NE(s.floorstat & kSurfaceSloped, 0);
        int32_t minY = INT32_MAX;
        for (int32_t w = 0; w < 4; ++w) minY = std::min(minY, r.ed->map.walls[w].y);
        EXPECT_EQ(minY, 64) << "built from segment 1's four points";
        EXPECT_EQ(sound(r.ed->map), "");
    }
}

TEST(PrimaryAction, AShapeOverABooleanTargetBecomesAFurtherLoopOfIt) {
    for (bool centreInside : {true, false}) {
        SCOPED_TRACE(centreInside);
        DrawingRig r;
        MapStore& map = r.ed->map;
        MapBuilder(map).addRoom(0, 0, 1024, 1024);
        map.booleanTargetSector = 0;
        r.ed->tool.booleanMode = BooleanMode::None;
        r.ed->tool.currentTool = Tool::RegularPolygon;
        r.ed->tool.toolDetail = 4;
        // Outside the room the loop is still the target's, fed the other way.
        const int32_t c = centreInside ? 512 : 2048;
        r.press(c, c);
        r.press(c + 128, c);
        EXPECT_EQ(map.sectorCount, 1);
        EXPECT_EQ(map.sectors[0].wallnum, 8);
        const double turn = loopSum(map, 4);
        EXPECT_EQ(turn > 0, centreInside);
    }
    // A target outside the sectors counts as none.
    for (int32_t target : {-1, 5}) {
        DrawingRig r;
        MapBuilder(r.ed->map).addRoom(0, 0, 1024, 1024);
        r.ed->map.booleanTargetSector = target;
        r.ed->tool.booleanMode = BooleanMode::None;
        r.ed->tool.currentTool = Tool::RegularPolygon;
        r.ed->tool.toolDetail = 4;
        r.press(2048, 2048);
        r.press(2176, 2048);
        EXPECT_EQ(r.ed->map.sectorCount, 2);
        EXPECT_EQ(sound(r.ed->map), "");
    }
}

TEST(PrimaryAction, AStrokeChainsFromItsEndAndAPressNotReadyOnlySaysSo) {
    DrawingRig r;
    r.ed->tool.currentTool = Tool::Stroke;
    r.ed->tool.toolDetail = 4;
    r.ed->tool.lineWidth = 64;
    r.press(0, 0);
    r.press(512, 0);
    ASSERT_EQ(r.ed->map.sectorCount, 1);
    EXPECT_EQ(r.placed(), std::vector<IntPoint>{r.placed()[0]});
    const IntPoint end = r.placed()[0];
    EXPECT_NE(end, (IntPoint{0, 0}));
    r.press(512, 512);
    EXPECT_EQ(r.ed->map.sectorCount, 2);
    EXPECT_EQ(sound(r.ed->map), "");

    // A rectangle without its second corner's preview: message 26, nothing else.
    DrawingRig q;
    q.ed->tool.currentTool = Tool::Rectangle;
    q.press(0, 0);
    q.ed->overlays.overlayPointCount = 0;
    const std::string before = serializeMap(q.ed->map);
    q.at(256, 256);
    hitSpace(*q.ed);
    EXPECT_EQ(q.status(), "26:");
    EXPECT_EQ(serializeMap(q.ed->map), before);
}

TEST(PrimaryAction, ADegeneratePreviewMakesSpaceDoNothing) {
    DrawingRig r;
    r.press(0, 0);
    r.at(256, 0);
    buildToolPreview(*r.ed);
    r.ed->overlays.toolPreviewDegenerate = 1;
    hitSpace(*r.ed);
    EXPECT_EQ(r.placed().size(), 1u);
}

// Seeded sequences: rooms of 3 x 3 cells of 64 units on a 5 x 5 layout (neighbours share whole
// walls), pillars of one cell in a room's middle, and undo between. After every step the map is
// sound, rooms turn one way and pillars the other, shared walls are twinned, and undo gives the
// map back byte for byte.
TEST(PrimaryAction, RandomRoomsAndPillarsDrawnBySpaceKeepTheMapSound) {
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        DrawingRig r;
        MapStore& map = r.ed->map;
        std::mt19937 random(seed);
        int32_t roomAt[5][5];
        bool pillar[5][5] = {};
        for (auto& row : roomAt)
            for (int32_t& s : row) s = -1;
        for (int32_t step = 0; step < 30; ++step) {
            const int32_t i = int32_t(random() % 5), j = int32_t(random() % 5);
            const std::string before = serializeMap(map);
            const int32_t x = i * 192, y = j * 192;
            bool room = roomAt[i][j] < 0;
            if (!room && pillar[i][j]) continue;
            if (room) {
                r.drawClosed(rect(x, y, x + 192, y + 192));
                roomAt[i][j] = map.sectorCount - 1;
                ASSERT_EQ(map.sectors[roomAt[i][j]].wallnum >= 4, true);
                EXPECT_LE(loopSum(map, map.sectors[roomAt[i][j]].wallptr), 0);
            } else {
                const int32_t s = roomAt[i][j];
                r.drawClosed(rect(x + 64, y + 64, x + 128, y + 128), s);
                pillar[i][j] = true;
                const int32_t hole = map.sectors[s].wallptr + map.sectors[s].wallnum - 4;
                EXPECT_GT(loopSum(map, hole), 0);
            }
            ASSERT_EQ(sound(map), "") << "step " << step;
            for (int32_t w = 0; w < map.wallCount; ++w) {
                const int32_t t = map.walls[w].nextwall;
                // A wall with a reversed twin anywhere in the map is linked to it.
                bool hasTwin = false;
                for (int32_t v = 0; v < map.wallCount && !hasTwin; ++v) {
                    const int32_t w2 = map.walls[w].point2, v2 = map.walls[v].point2;
                    hasTwin = v != w && map.walls[v].x == map.walls[w2].x &&
                              map.walls[v].y == map.walls[w2].y &&
                              map.walls[v2].x == map.walls[w].x &&
                              map.walls[v2].y == map.walls[w].y;
                }
                EXPECT_EQ(t >= 0, hasTwin) << "wall " << w;
            }
            if (random() % 3 == 0) {
                restoreUndo(map, r.ed->undo, r.ed->clipboard, r.ed->tool.selectionMode,
                            r.ed->events);
                ASSERT_EQ(serializeMap(map), before) << "undo of step " << step;
                if (room)
                    roomAt[i][j] = -1;
                else
                    pillar[i][j] = false;
            }
        }
    }
}

// Whole frames on the headless platform: the hit point is put under the pointer (the pixel the
// plan view draws it at) and Space goes through the keyboard.
struct DrawingFrames : CommandRig {
    DrawingFrames() {
        resetMap(*ed);
        ed->app.currentPage = Page::PlanView;
        ed->settings.autoGrid = 0;
        ed->settings.gridSpacing = 64;
        ed->view.viewZoom = 2;
        ed->view.viewOriginX = -256;
        ed->view.viewOriginY = 256;
        runFrame(*ed);
    }
    IntPoint pixelOf(IntPoint p) const {
        const PlanProjection view(ed->view);
        return {view.column(p.x), view.row(p.y)};
    }
    void space(IntPoint p, int32_t hovered = -1) {
        const IntPoint px = pixelOf(p);
        platform->setPointer(px.x, 599 - px.y);
        ed->hover.hitPointX = p.x;
        ed->hover.hitPointY = p.y;
        if (hovered >= 0 && ed->tool.currentTool == Tool::Idle) {
            // The picking of the sector under the pointer, for the press that starts a loop.
            ed->hover.hoveredSector = hovered;
            hitSpace(*ed);
            return;
        }
        press({' '});
    }
    void drawClosed(const std::vector<IntPoint>& corners, int32_t hovered = -1) {
        for (IntPoint p : corners) space(p, hovered);
        space(corners[0], hovered);
    }
};

TEST(PrimaryAction, RoomsAPillarAndACircleDrawnAndSavedThroughFrames) {
    DrawingFrames f;
    MapStore& map = f.ed->map;
    f.drawClosed(rect(0, 0, 256, 256));
    f.drawClosed(rect(256, 0, 512, 256));
    f.drawClosed(rect(64, 64, 128, 128), 0);
    ASSERT_EQ(map.sectorCount, 2);
    EXPECT_EQ(map.sectors[0].wallnum, 8);
    EXPECT_EQ(map.sectors[1].wallnum, 4);
    EXPECT_EQ(sound(map), "");
    int32_t twinned = 0;
    for (int32_t w = 0; w < map.wallCount; ++w) twinned += map.walls[w].nextwall >= 0;
    EXPECT_EQ(twinned, 2);

    f.ed->tool.currentTool = Tool::Circle;
    f.ed->drawVertices.toolPointCount = 0;
    f.ed->tool.toolDetail = 6;
    for (IntPoint p : {IntPoint{-512, -512}, {-384, -512}, {-512, -384}}) f.space(p);
    ASSERT_EQ(map.sectorCount, 3);
    EXPECT_EQ(map.sectors[2].wallnum, 12);
    EXPECT_EQ(sound(map), "");
    f.ed->tool.currentTool = Tool::Idle;

    // The walls are drawn: a pixel on each room's far side and on the pillar.
    runFrame(*f.ed);
    for (IntPoint p : {IntPoint{0, 128}, {512, 128}, {96, 64}}) {
        const IntPoint px = f.pixelOf(p);
        EXPECT_NE(f.platform->framePixel(px.x, px.y), f.platform->framePixel(px.x + 20, px.y + 7))
            << p.x << "," << p.y;
    }

    // Saved under a typed name: the file holds the same records.
    f.ed->mapFile.mapPath.clear();
    f.ed->mapFile.mapTitle = "";
    f.press({kCtrlKey, 'S'});
    ASSERT_EQ(f.ed->prompt.promptKind, int32_t(ValuePromptKind::MapFileName));
    for (int k : {int('H'), int('A'), int('L'), int('L'), 13}) f.press({k});
    EXPECT_EQ(f.ed->prompt.promptKind, 0);
    const std::string saved = serializeMap(map);
    EXPECT_EQ(f.dir.read("hall.map"), saved);
    loadMap(*f.ed, f.dir.file("hall.map"), true);
    EXPECT_EQ(serializeMap(f.ed->map), saved);
}

}  // namespace
}  // namespace korvel::test
