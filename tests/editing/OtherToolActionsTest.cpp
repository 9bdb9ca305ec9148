#include "editing/OtherToolActions.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "support/DrawingRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"

namespace korvel::test {
namespace {

using Points = std::set<std::pair<int32_t, int32_t>>;

// The start points of sector s's walls.
Points cornersOf(const MapStore& m, int32_t s) {
    Points out;
    for (int32_t w = m.sectors[s].wallptr; w < m.sectors[s].wallptr + m.sectors[s].wallnum; ++w)
        out.insert({m.walls[w].x, m.walls[w].y});
    return out;
}

std::string sound(const MapStore& map) {
    return describeViolations(checkMapInvariants(map));
}

// The wall of sector s that starts at (x, y), or -1.
int32_t wallAt(const MapStore& m, int32_t s, int32_t x, int32_t y) {
    for (int32_t w = m.sectors[s].wallptr; w < m.sectors[s].wallptr + m.sectors[s].wallnum; ++w)
        if (m.walls[w].x == x && m.walls[w].y == y) return w;
    return -1;
}

// Two rooms side by side sharing the wall x = 256.
struct TwoRoomTools : DrawingRig {
    TwoRoomTools() {
        MapBuilder b(ed->map);
        b.addRoom(0, 0, 256, 256);
        b.addRoom(256, 0, 512, 256);
        b.link();
    }
    void startTool(Tool tool, int32_t target) {
        ed->tool.currentTool = tool;
        ed->tool.toolTargetSector = target;
        ed->drawVertices.toolPointCount = 0;
    }
};

TEST(OtherToolActions, DividingWallsPutsTheSameVerticesOnBothSidesOfAPairOnce) {
    struct Case {
        const char* name;
        bool selectBothSides;
        bool wholeSelection;
    } const cases[] = {
        {"one wall by its index", false, false},
        {"the selection, one side of the pair", false, true},
        {"the selection, both sides of the pair", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TwoRoomTools r;
        MapStore& m = r.ed->map;
        const int32_t shared = wallAt(m, 1, 256, 256);  // the right room's side of x = 256
        ASSERT_GE(shared, 0);
        const int32_t twin = m.walls[shared].nextwall;
        ASSERT_GE(twin, 0);
        m.wallSelected[shared] = 1;
        m.selectedWallCount = 1;
        if (c.selectBothSides) m.wallSelected[twin] = 1, m.selectedWallCount = 2;
        r.ed->tool.toolDetail = 4;
        r.startTool(Tool::DivideWall, c.wholeSelection ? kAllWallsMarked : shared);
        r.press(300, 100, 1);
        EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
        EXPECT_EQ(m.undoState, UndoState::Snapshot);
        EXPECT_EQ(m.mapModified, MapModifiedState::Modified);
        EXPECT_EQ(r.status(), "28:");
        const Points quarters{{256, 64}, {256, 128}, {256, 192}};
        for (int32_t s : {0, 1}) {
            const Points got = cornersOf(m, s);
            for (const auto& p : quarters) EXPECT_EQ(got.count(p), 1u) << "sector " << s;
            EXPECT_EQ(got.size(), 7u) << "sector " << s;
        }
        EXPECT_EQ(m.wallCount, 14);
        EXPECT_EQ(m.selectedWallCount, c.wholeSelection ? 0 : 1);
        EXPECT_EQ(sound(m), "");
    }
}

TEST(OtherToolActions, CurvingAWallFromEitherSideOfAPairBendsBothSides) {
    for (const bool fromLowerSide : {true, false}) {
        SCOPED_TRACE(fromLowerSide);
        TwoRoomTools r;
        MapStore& m = r.ed->map;
        const int32_t right = wallAt(m, 1, 256, 256);
        const int32_t left = m.walls[right].nextwall;
        const int32_t t = fromLowerSide ? std::min(left, right) : std::max(left, right);
        r.ed->tool.toolDetail = 4;
        r.startTool(Tool::CurveWall, t);
        r.press(300, 128, 1);  // the bulge towards +x
        EXPECT_EQ(r.status(), "27:");
        const auto points = size_t(r.ed->overlays.overlayLineCount - 1);
        ASSERT_GE(points, 1u);
        EXPECT_EQ(size_t(m.wallCount), 8 + 2 * points);
        // Every new corner of one side is a corner of the other.
        Points bent0, bent1;
        for (const auto& p : cornersOf(m, 0))
            if (p.first != 0 && p != std::pair{256, 0} && p != std::pair{256, 256}) bent0.insert(p);
        for (const auto& p : cornersOf(m, 1))
            if (p.first != 512 && p != std::pair{256, 0} && p != std::pair{256, 256}) bent1.insert(p);
        EXPECT_EQ(bent0, bent1);
        EXPECT_EQ(bent0.size(), points);
        EXPECT_EQ(sound(m), "");
    }
}

TEST(OtherToolActions, DividingWallsThatDoNotFitChangesNothing) {
    TwoRoomTools r;
    MapStore& m = r.ed->map;
    m.wallSelected[0] = 1;
    m.selectedWallCount = 1;
    const auto before = std::make_unique<MapStore>(m);
    m.wallCount = kMaxWalls - 2;  // pretend the map is all but full
    r.ed->tool.toolDetail = 8;
    r.startTool(Tool::DivideWall, kAllWallsMarked);
    r.press(100, 100, 0);
    EXPECT_EQ(r.status(), "1335:");
    EXPECT_EQ(m.wallCount, kMaxWalls - 2);
    m.wallCount = before->wallCount;
    EXPECT_EQ(m.walls[0].x, before->walls[0].x);
    EXPECT_EQ(m.undoState, before->undoState) << "a refusal keeps the earlier snapshot";
}

TEST(OtherToolActions, CurvingThroughVerticesRoundsOnlyTheCornersThatTurn) {
    DrawingRig r;
    MapStore& m = r.ed->map;
    // A room with a straight vertex at (128, 0) between two corners.
    MapBuilder b(m);
    b.addSector({{0, 0}, {128, 0}, {256, 0}, {256, 256}, {0, 256}});
    for (int32_t w = 0; w < 3; ++w) m.vertexSelected[w] = 1;  // (0,0), (128,0), (256,0)
    m.selectedVertexCount = 3;
    r.ed->tool.toolDetail = 3;
    r.ed->tool.currentTool = Tool::CurveThroughVertices;
    r.press(32, 32);
    ASSERT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(r.status(), "29:");
    // Two rounded corners of three new walls each; the straight vertex stays.
    EXPECT_EQ(m.wallCount, 5 + 2 * 3);
    const Points corners = cornersOf(m, 0);
    EXPECT_EQ(corners.count({128, 0}), 1u);
    EXPECT_EQ(corners.count({0, 0}), 0u);
    EXPECT_EQ(corners.count({256, 0}), 0u);
    EXPECT_EQ(m.selectedVertexCount, 0);
    EXPECT_EQ(sound(m), "");
}

TEST(OtherToolActions, AimedSpritesFaceTheHitPoint) {
    struct Case {
        int32_t hx, hy;
        int16_t angle;
    } const cases[] = {{200, 100, 0}, {100, 200, 512}, {0, 100, 1024}, {200, 50, -152}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        DrawingRig r;
        MapStore& m = r.ed->map;
        MapBuilder b(m);
        b.addRoom(0, 0, 256, 256);
        b.addSprite(100, 100, 0, 0);
        b.addSprite(50, 50, 0, 0);
        m.spriteSelected[0] = 1;
        m.selectedSpriteCount = 1;
        m.sprites[1].ang = 7;
        r.ed->tool.currentTool = Tool::AimSprites;
        r.press(c.hx, c.hy, 0);
        EXPECT_EQ(m.sprites[0].ang, c.angle);
        EXPECT_EQ(m.sprites[1].ang, 7) << "not selected";
        EXPECT_EQ(r.status(), "309:");
        EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    }
}

TEST(OtherToolActions, MergingWithAnyVertexSelectedVisitsEveryWall) {
    DrawingRig r;
    MapStore& m = r.ed->map;
    MapBuilder b(m);
    b.addRoom(0, 0, 256, 256);
    b.addRoom(257, 0, 512, 256);  // one unit from the first room
    m.vertexSelected[7] = 1;      // a vertex of the second room, far from the gap
    m.selectedVertexCount = 1;
    r.ed->tool.currentTool = Tool::MergeVertices;
    r.press(400, 400);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::MergeVertices) << "the tool stays armed";
    EXPECT_EQ(m.undoState, UndoState::Snapshot);
    int32_t onSeam = 0;
    for (int32_t w = 0; w < m.wallCount; ++w) onSeam += m.walls[w].x == 256 || m.walls[w].x == 257;
    EXPECT_EQ(onSeam, 4);
    Points seam;
    for (int32_t w = 0; w < m.wallCount; ++w)
        if (m.walls[w].x == 256 || m.walls[w].x == 257) seam.insert({m.walls[w].x, m.walls[w].y});
    EXPECT_EQ(seam.size(), 2u) << "the corners one unit apart now coincide";
}

TEST(OtherToolActions, TwoPointToolsActOnTheSecondPress) {
    DrawingRig r;
    MapStore& m = r.ed->map;
    MapBuilder b(m);
    b.addRoom(0, 0, 256, 256);
    m.sectorSelected[0] = 1;
    m.selectedSectorCount = 1;
    r.ed->tool.currentTool = Tool::MirrorAcrossLine;
    r.press(300, 0);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::MirrorAcrossLine);
    EXPECT_EQ(m.undoState, UndoState::Nothing);
    r.press(300, 256);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(cornersOf(m, 0), (Points{{344, 0}, {600, 0}, {600, 256}, {344, 256}}));
    EXPECT_EQ(m.undoState, UndoState::Snapshot);
}

TEST(OtherToolActions, SpaceOnOtherPages) {
    DrawingRig r;
    r.ed->app.currentPage = Page::SparksToy;
    std::vector<int32_t> cycle;
    for (int i = 0; i < 9; ++i) {
        hitSpace(*r.ed);
        cycle.push_back(r.ed->pages.sparksToy.sparkColorCycle);
    }
    EXPECT_EQ(cycle, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 0, 1}));
    EXPECT_EQ(r.status(), "30:1");

    r.ed->app.currentPage = Page::TilePicker;
    hitSpace(*r.ed);
    EXPECT_EQ(r.ed->app.currentPage, Page::TileZoom);

    r.ed->app.currentPage = Page::SideView;
    r.ed->view.sideViewSubjectKind = SideViewSubjectKind::Section;
    r.ed->hover.sideHitPos = 40;
    r.ed->hover.hitPointZ = -512;
    hitSpace(*r.ed);
    EXPECT_EQ(r.ed->view.measureActive, 1);
    EXPECT_EQ(r.ed->view.measureStartPos, 40);
    EXPECT_EQ(r.ed->view.measureStartZ, -512);
    hitSpace(*r.ed);
    EXPECT_EQ(r.ed->view.measureActive, 0);
}

TEST(OtherToolActions, SpaceWithAValueFieldFocusedOpensTheCalculatorOnX) {
    DrawingRig r;
    WidgetState& w = r.ed->widgets;
    w.valueFields[0] = {100, 100, 5001, Page::WallLighting, 1};
    w.valueFieldCount = 1;
    r.ed->app.currentPage = Page::WallLighting;
    r.ed->app.focusedField = -1;
    hitSpace(*r.ed);
    EXPECT_EQ(r.ed->prompt.promptKind, 0) << "no field has the focus";
    r.ed->app.focusedField = 5001;
    hitSpace(*r.ed);
    EXPECT_EQ(r.ed->prompt.promptKind, int32_t(ValuePromptKind::Calculator));
    EXPECT_EQ(r.ed->prompt.promptInput, "x");
    EXPECT_EQ(r.ed->prompt.promptText, "");
}

}  // namespace
}  // namespace korvel::test
