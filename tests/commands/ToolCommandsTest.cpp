#include "commands/ToolCommands.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editing/DrawingTool.h"
#include "geometry/SectorBooleans.h"
#include "geometry/SectorDeletion.h"
#include "map/UndoSnapshot.h"
#include "support/EditCommandRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::EditCommandRig;

TEST(ToolCommands, TwoPickStateMachine) {
    EditCommandRig r;
    r.twoRooms();
    Editor& ed = *r.ed;
    ed.hover.hoveredSector = 0;
    joinSectorsCommand(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::JoinSectors);
    EXPECT_EQ(ed.tool.toolTargetSector, 0);
    EXPECT_EQ(ed.app.helpTopic, 4);
    EXPECT_EQ(ed.app.helpPopupStep, 0);
    EXPECT_EQ(ed.app.statusText, r.msg(91));
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});

    // The target picked again only ends the tool.
    joinSectorsCommand(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_EQ(ed.app.helpPopupStep, -1);
    EXPECT_EQ(ed.app.statusText, r.msg(91));
    EXPECT_TRUE(r.cues().empty());
    EXPECT_EQ(r.map.undoState, UndoState::Nothing);

    // No target yet: the hovered sector becomes it silently.
    ed.tool.currentTool = Tool::JoinSectors;
    ed.tool.toolTargetSector = -1;
    ed.hover.hoveredSector = 1;
    joinSectorsCommand(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::JoinSectors);
    EXPECT_EQ(ed.tool.toolTargetSector, 1);
    EXPECT_TRUE(r.cues().empty());

    // A target that is no longer a sector ends the tool with the map unchanged.
    ed.tool.toolTargetSector = 3000;
    const auto before = std::make_unique<MapStore>(r.map);
    joinSectorsCommand(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_EQ(test::contentDifference(*before, r.map), "");

    // Another tool active: the key leaves it alone.
    ed.tool.currentTool = Tool::Circle;
    joinSectorsCommand(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::Circle);
}

TEST(ToolCommands, TwoPickRunsTheOperationUnderOneSnapshot) {
    EditCommandRig r;
    r.twoRooms();
    Editor& ed = *r.ed;
    r.map.mapModified = MapModifiedState::Unmodified;
    const auto before = std::make_unique<MapStore>(r.map);
    ed.hover.hoveredSector = 0;
    joinSectorsCommand(ed);
    r.cues();
    ed.hover.hoveredSector = 1;
    joinSectorsCommand(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    EXPECT_EQ(test::describeViolations(test::checkMapInvariants(r.map)), "");
    EXPECT_EQ(r.map.undoState, UndoState::Snapshot);
    restoreUndo(r.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
    EXPECT_EQ(test::recordDifference(*before, r.map), "");
}

// Rooms 3 and 7 overlap. U subtracts the second pick from the first: the variant is chosen by
// the picks' index order (the variants order their operands by index), so 7 then 3 runs the
// higher-minus-lower variant and 3 then 7 the lower-minus-higher one.
TEST(ToolCommands, SubtractionPicksTheVariantByIndexOrder) {
    auto rooms = [] {
        auto r = std::make_unique<EditCommandRig>();
        test::MapBuilder b(r->map);
        for (int32_t k = 0; k < 7; ++k) b.addRoom(k * 2048, 0, k * 2048 + 1024, 1024);
        b.addRoom(3 * 2048 + 512, 512, 3 * 2048 + 1536, 1536);
        return r;
    };
    using Variant = bool (*)(MapStore&, MapEvents&, ShapeFeed&, int32_t, int32_t);
    const struct {
        int32_t first, second;
        Variant direct;
    } cases[] = {{7, 3, subtractSectorsBA}, {3, 7, subtractSectorsAB}};
    std::vector<std::unique_ptr<EditCommandRig>> results;
    for (const auto& c : cases) {
        auto picked = rooms();
        picked->ed->hover.hoveredSector = c.first;
        subtractSectorsTool(*picked->ed);
        picked->ed->hover.hoveredSector = c.second;
        subtractSectorsTool(*picked->ed);
        EXPECT_EQ(picked->map.undoState, UndoState::Snapshot);
        EXPECT_EQ(test::describeViolations(test::checkMapInvariants(picked->map)), "");

        auto direct = rooms();
        DrawingToolFeed feed(*direct->ed);
        ASSERT_TRUE(c.direct(direct->map, direct->ed->events, feed, c.first, c.second));
        EXPECT_EQ(test::recordDifference(direct->map, picked->map), "") << c.first << " then " << c.second;
        results.push_back(std::move(picked));
    }
    EXPECT_NE(test::recordDifference(results[0]->map, results[1]->map), "")
        << "the two orders leave different pieces";
}

TEST(ToolCommands, HidingSpritesAndTheIntersectPick) {
    EditCommandRig r;
    r.twoRooms();
    test::MapBuilder(r.map).addSprite(10, 10, 0, 0);
    test::MapBuilder(r.map).addSprite(20, 10, 0, 0);
    r.selectSprite(0);
    r.selectSprite(1);
    hideSpritesOrIntersect(*r.ed);
    EXPECT_EQ(r.map.spriteIgnored[0], 2);
    EXPECT_EQ(r.map.spriteIgnored[1], 2);
    EXPECT_EQ(r.map.selectedSpriteCount, 0);
    EXPECT_EQ(r.ed->app.statusText, r.msg(1197));
    EXPECT_EQ(r.map.undoState, UndoState::Nothing);

    // Nothing selected over a sector in sprite selection mode: nothing.
    r.ed->hover.hoveredSector = 1;
    r.ed->tool.selectionMode = SelectionMode::Sprites;
    hideSpritesOrIntersect(*r.ed);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    hideSpritesOrIntersect(*r.ed);
    EXPECT_EQ(r.ed->tool.currentTool, Tool::IntersectSectors);
    EXPECT_EQ(r.ed->app.helpTopic, 6);
    EXPECT_EQ(r.ed->app.statusText, r.msg(89));
}

TEST(ToolCommands, ToolStarts) {
    EditCommandRig r;
    r.twoRooms();
    Editor& ed = *r.ed;
    ed.hover.hitPointX = 64;
    ed.hover.hitPointY = 32;
    placeStartPosition(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::PlaceStartPosition);
    EXPECT_EQ(ed.app.helpTopic, 3);
    EXPECT_EQ(ed.drawVertices.toolPointCount, 1);
    EXPECT_EQ(ed.drawVertices.toolPointsX[0], 64);
    EXPECT_EQ(ed.app.statusText, r.msg(22));
    EXPECT_TRUE(r.cues().empty());

    ed.tool.currentTool = Tool::Idle;
    toggleWallSegmentTool(ed);  // nothing to divide
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    r.selectWall(3);
    ed.hover.hoveredWall = 1;
    toggleWallSegmentTool(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::DivideWall);
    EXPECT_EQ(ed.tool.toolTargetSector, 16777215);
    EXPECT_EQ(ed.app.helpTopic, 14);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});

    ed.tool.currentTool = Tool::Idle;
    ed.dispatch.areaSelectLatch = 1;
    toggleAffineGridTool(ed);
    EXPECT_EQ(ed.settings.affineGridMode, 1);
    EXPECT_EQ(ed.tool.currentTool, Tool::AffineGrid);
    EXPECT_EQ(ed.app.helpTopic, 33);
    EXPECT_EQ(ed.app.statusText, r.msg(1177));
    EXPECT_EQ(ed.dispatch.areaSelectLatch, 0);
    toggleAffineGridTool(ed);
    EXPECT_EQ(ed.settings.affineGridMode, 0);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_EQ(ed.app.statusText, r.msg(1178));

    // C over a wall with no sprite about starts the wall curve.
    ed.map.wallSelected.fill(0);
    ed.map.selectedWallCount = 0;
    toggleSpriteCentreOrBendWall(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::CurveWall);
    EXPECT_EQ(ed.tool.toolTargetSector, 1);
    EXPECT_EQ(ed.app.helpTopic, 13);
    EXPECT_EQ(ed.app.statusText, r.msg(97));
}

TEST(ToolCommands, BackspaceDropsAPointOrTurnsTheView) {
    EditCommandRig r;
    Editor& ed = *r.ed;
    ed.tool.currentTool = Tool::DrawPolygon;
    for (int32_t i = 0; i < 3; ++i) appendToolPoint(ed.drawVertices, i * 10, 0);
    ed.tool.toolAltMode = 1;
    dropPointOrToggleCeilView(ed);
    EXPECT_EQ(ed.drawVertices.toolPointCount, 2);
    EXPECT_EQ(ed.tool.toolAltMode, 1);
    dropPointOrToggleCeilView(ed);
    EXPECT_EQ(ed.drawVertices.toolPointCount, 1);
    EXPECT_EQ(ed.tool.toolAltMode, 0);
    EXPECT_TRUE(r.cues().empty());
    dropPointOrToggleCeilView(ed);  // the last point: the tool is cancelled
    EXPECT_EQ(ed.drawVertices.toolPointCount, 1);
    ed.tool.currentTool = Tool::Idle;

    ed.app.currentPage = Page::View3D;
    ed.pages.view3d.view3dValid = 3;
    dropPointOrToggleCeilView(ed);
    EXPECT_EQ(ed.settings.ceilingView, 1);
    EXPECT_EQ(ed.pages.view3d.view3dValid, 0);
    // Dropping the last point cancelled the tool with its cue.
    EXPECT_EQ(r.cues(), (std::vector<std::string>{"cancel", "mode1"}));
    EXPECT_EQ(r.map.undoState, UndoState::Nothing);
}

TEST(ToolCommands, AligningSprites) {
    EditCommandRig r;
    r.twoRooms();
    test::MapBuilder(r.map).addSprite(10, 10, 0, 0);
    Editor& ed = *r.ed;
    int32_t answer = -1;
    std::vector<int32_t> aligned;
    ed.operations.alignSprite = [&](Editor&, int32_t k) {
        aligned.push_back(k);
        return answer;
    };
    ed.hover.hoveredSprite = 0;
    alignSpriteCommand(ed);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"beep1"});
    EXPECT_EQ(ed.app.statusText, r.msg(166, {"0"}));
    answer = 3;
    alignSpriteCommand(ed);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
    EXPECT_EQ(ed.app.statusText, r.msg(165, {"0", "3"}));
    EXPECT_EQ(aligned, (std::vector<int32_t>{0, 0}));

    // The side view toggles the subject's bottom alignment bit.
    r.sideViewOnWall(2, 0);
    alignSpriteCommand(ed);
    EXPECT_EQ(r.map.walls[2].cstat, kWallAlignBottom);
    EXPECT_EQ(ed.app.statusText, r.msg(168));
    EXPECT_EQ(aligned.size(), 2u);
}

TEST(ToolCommands, CtrlEnterPastesRoundTheLoopPerWallPart) {
    struct Case {
        uint8_t part;
        bool swapBottom;
        bool masked;
        bool twinFirst;
    };
    const Case cases[] = {{1, false, false, false}, {1, true, false, true},
                          {2, true, false, false},  {3, false, true, false},
                          {4, false, false, false}, {0, false, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.part));
        EditCommandRig r;
        r.twoRooms();
        const int32_t w = r.sharedWall(0);
        r.map.walls[size_t(w)].cstat = c.swapBottom ? kWallSwapBottom : 0;
        r.sideViewOnWall(w, 1, c.part);
        std::vector<int32_t> plain, masked;
        r.ed->operations.pasteWallAttributes = [&](Editor&, int32_t x) { plain.push_back(x); };
        r.ed->operations.pasteMaskedWallAttributes = [&](Editor&, int32_t x) {
            masked.push_back(x);
        };
        pasteAttributesAroundLoop(*r.ed);
        if (c.part == 0) {
            EXPECT_TRUE(plain.empty() && masked.empty());
            EXPECT_EQ(r.map.undoState, UndoState::Nothing);
            continue;
        }
        const std::vector<int32_t>& got = c.masked ? masked : plain;
        ASSERT_EQ(got.size(), 4u);
        EXPECT_EQ(got[0], c.twinFirst ? r.map.walls[size_t(w)].nextwall : w);
        EXPECT_EQ(got[1], r.map.walls[size_t(w)].point2);
        EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
        EXPECT_EQ(r.map.undoState, UndoState::Snapshot);
    }
}

TEST(ToolCommands, FirstWallAndTextureAlignment) {
    EditCommandRig r;
    r.twoRooms();
    r.ed->hover.hoveredWall = 6;
    r.ed->dispatch.areaSelectLatch = 1;
    setFirstWallCommand(*r.ed);
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 0);
    EXPECT_EQ(r.map.sectors[1].wallptr, 4);
    EXPECT_EQ(r.ed->app.statusText, r.msg(208, {"1"}));
    EXPECT_EQ(test::describeViolations(test::checkMapInvariants(r.map)), "");

    std::vector<int32_t> aligned;
    r.ed->operations.alignWallTexture = [&](Editor&, int32_t w) { aligned.push_back(w); };
    r.sideViewOnWall(2, 0);
    alignWallTextureCommand(*r.ed);
    EXPECT_EQ(aligned, std::vector<int32_t>{2});
    EXPECT_EQ(r.ed->app.statusText, r.msg(240));
}

TEST(ToolCommands, CInTheStrokeToolStrokesTheTargetsWalls) {
    struct Case {
        const char* name;
        int32_t target;
        bool emptyTarget;
        bool strokes;
    };
    const Case cases[] = {{"a room", 0, false, true},
                          {"no sector", -2, false, false},
                          {"a stale sector", 77, false, false},
                          {"a sector without walls", 1, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditCommandRig r;
        r.twoRooms();
        if (c.emptyTarget) r.map.sectors[1].wallnum = 0;
        r.map.booleanTargetSector = c.target;
        r.ed->tool.currentTool = Tool::Stroke;
        r.ed->tool.booleanMode = BooleanMode::None;
        r.ed->tool.lineWidth = 16;
        const auto before = std::make_unique<MapStore>(r.map);
        toggleSpriteCentreOrBendWall(*r.ed);
        if (!c.strokes) {
            EXPECT_EQ(test::contentDifference(*before, r.map), "");
            EXPECT_EQ(r.ed->tool.currentTool, Tool::Stroke);
            EXPECT_TRUE(r.cues().empty());
            continue;
        }
        EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
        EXPECT_EQ(r.ed->app.helpPopupStep, -1);
        EXPECT_GT(r.map.wallCount, before->wallCount);
        EXPECT_EQ(r.map.undoState, UndoState::Snapshot);
        EXPECT_EQ(r.ed->settings.enableSounds, 1);
        EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
        EXPECT_EQ(test::describeViolations(test::checkMapInvariants(r.map)), "");
    }
}

// A ring of eight rooms around an empty middle.
struct Ring : EditCommandRig {
    int32_t holeWall = -1, outerWall = -1;
    Ring() {
        test::MapBuilder b(map);
        b.addGrid(0, 0, 3, 3, 256);
        b.link();
        for (int32_t s = 0; s < map.sectorCount; ++s) {
            map.sectors[size_t(s)].ceilingz = -8192;
            map.sectors[size_t(s)].floorpicnum = int16_t(s == 1 ? 77 : 5);
        }
        EXPECT_TRUE(deleteSector(map, ed->events, 4));
        map.walls[size_t(map.sectors[1].wallptr)].picnum = 33;
        for (int32_t w = 0; w < map.wallCount; ++w) {
            const WallRecord& a = map.walls[size_t(w)];
            const WallRecord& b2 = map.walls[size_t(a.point2)];
            if (a.nextwall >= 0) continue;
            if (map.wallSector[size_t(w)] == 1 && a.y == 256 && b2.y == 256) holeWall = w;
            if (map.wallSector[size_t(w)] == 1 && a.y == 0 && b2.y == 0) outerWall = w;
        }
        ed->hover.hoveredWall = holeWall;
    }
};

TEST(FillHole, FillsTheHoleWithTheOuterSectorsLook) {
    Ring r;
    ASSERT_GE(r.holeWall, 0);
    r.map.mapModified = MapModifiedState::Unmodified;
    const int32_t sectors = r.map.sectorCount;
    fillLoopWithSector(*r.ed);
    EXPECT_EQ(r.ed->app.statusText, r.msg(187));
    ASSERT_EQ(r.map.sectorCount, sectors + 1);
    const SectorRecord& made = r.map.sectors[size_t(sectors)];
    EXPECT_EQ(made.floorpicnum, 77);
    EXPECT_EQ(made.ceilingz, -8192);
    EXPECT_EQ(made.wallnum, 4);
    for (int32_t w = made.wallptr; w < made.wallptr + made.wallnum; ++w)
        EXPECT_EQ(r.map.walls[size_t(w)].picnum, 33);
    EXPECT_EQ(test::describeViolations(test::checkMapInvariants(r.map)), "");
    EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
    EXPECT_EQ(r.ed->tool.selectionMode, SelectionMode::SpritesAndVertices);
    EXPECT_EQ(r.ed->settings.enableSounds, 1);
    EXPECT_EQ(r.cues(), std::vector<std::string>{"command"});
}

TEST(FillHole, RefusalsLeaveTheMapByteForByte) {
    struct Case {
        const char* name;
        void (*setUp)(Ring&);
    };
    const Case cases[] = {
        {"a trace of +65536 round the outside",
         [](Ring& r) { r.ed->hover.hoveredWall = r.outerWall; }},
        {"a wall with a sector behind it", [](Ring& r) { r.ed->hover.hoveredWall = 0; }},
        {"no wall", [](Ring& r) { r.ed->hover.hoveredWall = -1; }},
        {"a stale wall", [](Ring& r) { r.ed->hover.hoveredWall = 40000; }},
        {"no room for a sector", [](Ring& r) { r.map.sectorCount = kMaxSectors; }},
        {"no room for the walls", [](Ring& r) { r.map.wallCount = kMaxWalls - 2; }},
        {"a broken ring", [](Ring& r) { r.map.walls[size_t(r.holeWall)].point2 = 31000; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Ring r;
        c.setUp(r);
        const auto before = std::make_unique<MapStore>(r.map);
        r.ed->dispatch.areaSelectLatch = 1;
        fillLoopWithSector(*r.ed);
        EXPECT_EQ(r.ed->app.statusText, r.msg(188));
        EXPECT_EQ(test::contentDifference(*before, r.map), "");
        EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 0);
        EXPECT_TRUE(r.cues().empty());
    }
}

// Ctrl+period clears the marks a script may have left, aligns the walls through the real
// operation, and one undo gives the map back.
TEST(ToolCommands, TextureAlignmentClearsStaleMarksAndUndoes) {
    EditCommandRig r;
    r.twoRooms();
    Editor& ed = *r.ed;
    ed.tiles.tileWidths[4] = ed.tiles.tileHeights[4] = 64;
    for (auto& p : ed.pages.scriptEditor.pointBuffer1) p.x = 1;
    for (int32_t w = 0; w < r.map.wallCount; ++w) r.map.walls[w].xpanning = 0;
    const auto before = std::make_unique<MapStore>(r.map);
    r.sideViewOnWall(2, 0);
    alignWallTextureCommand(ed);
    // Wall 2 (xrepeat 8) carries wall 3 on by 64; aligned walls are squared to xrepeat 2 (256
    // long) and carry the next on by 16.
    EXPECT_EQ(r.map.walls[2].xpanning, 0);
    EXPECT_EQ(r.map.walls[3].xpanning, 64);
    EXPECT_EQ(r.map.walls[3].xrepeat, 2);
    EXPECT_EQ(r.map.walls[0].xpanning, 80);
    EXPECT_EQ(r.map.walls[1].xpanning, 96);
    EXPECT_EQ(r.map.walls[4].xpanning, 96);  // around the shared vertex, from wall 0
    for (int32_t w = 0; w < r.map.wallCount; ++w)
        EXPECT_EQ(ed.pages.scriptEditor.pointBuffer1[size_t(w)].x, 1) << w;
    ASSERT_EQ(r.map.undoState, UndoState::Snapshot);
    restoreUndo(r.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
    EXPECT_EQ(test::recordDifference(*before, r.map), "");
}

}  // namespace
}  // namespace korvel
