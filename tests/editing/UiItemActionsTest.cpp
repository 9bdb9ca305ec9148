#include "editing/UiItemActions.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "map/GeometryQueries.h"
#include "support/CommandRig.h"
#include "support/MapInvariants.h"

namespace korvel {
namespace {

using test::CommandRig;
using Want = test::FileOutcome;

TEST(UiItemActions, TheFileButtonsActOnTheirRelease) {
    struct Case {
        int32_t slot;
        int16_t code;  // the slot's code for the press; 0 keeps the toolbar's own
        bool enabled;
        Want want;
    } const cases[] = {
        {15, 0, true, Want::Saved},       // save
        {16, 0, true, Want::NamePrompt},  // save as
        {15, 0, false, Want::Nothing},    // a grey button takes no click
        {7, 170, true, Want::Nothing},    // a code whose action has not arrived
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        CommandRig r;
        rebuildToolbar(*r.ed);
        ToolbarButton& b = r.ed->toolbar.toolbarButtons[size_t(c.slot)];
        if (c.code != 0) b.code = c.code;
        b.enabled = c.enabled ? 1 : 0;
        EXPECT_FALSE(pressUiItem(*r.ed, c.slot)) << "nothing of these acts on the press";
        r.clickOn(c.slot);
        r.expectOutcome(c.want);
    }
}

// A UI item in a spare slot carrying the code under test, pressed or released directly.
constexpr int32_t kSpareSlot = 200;

struct ItemRig : CommandRig {
    ItemRig() { ed->app.currentPage = Page::PlanView; }
    void setCode(int16_t code) {
        ToolbarButton& b = ed->toolbar.toolbarButtons[kSpareSlot];
        b.code = code;
        b.enabled = 1;
    }
    bool press(int16_t code) {
        setCode(code);
        return pressUiItem(*ed, kSpareSlot);
    }
    void release(int16_t code) {
        setCode(code);
        ed->app.hoveredWidget = kSpareSlot;
        releaseUiItem(*ed);
    }
    std::string message(int32_t n) const { return getMessage(n, ed->langs); }
    // The map replaced by rooms of 64 units in a row, each with its index as its lotag.
    void rooms(int32_t count) {
        auto m = std::make_unique<MapStore>();
        test::MapBuilder b(*m);
        for (int32_t i = 0; i < count; ++i) b.addRoom(64 * i, 0, 64 * i + 64, 64);
        b.link();
        for (int32_t i = 0; i < count; ++i) m->sectors[i].lotag = int16_t(i);
        static_cast<MapContent&>(ed->map) = *m;
        ed->map.mapModified = MapModifiedState::Unmodified;
        platform->clearPlayedSounds();
    }
    void selectSectors(std::initializer_list<int32_t> list) {
        for (int32_t s : list) ed->map.sectorSelected[s] = 1;
        ed->map.selectedSectorCount = int32_t(list.size());
    }
    std::vector<int32_t> lotags() const {
        std::vector<int32_t> out;
        for (int32_t s = 0; s < ed->map.sectorCount; ++s) out.push_back(ed->map.sectors[s].lotag);
        return out;
    }
};

TEST(UiItemActions, PressCodesSwitchModesAndSettingsWithTheirCues) {
    struct Case {
        int16_t code;
        const char* cue;
        std::function<bool(const Editor&)> took;
    } const cases[] = {
        {3, "mode2", [](const Editor& e) { return e.tool.selectionMode == SelectionMode::Sectors; }},
        {88, "mode2",
         [](const Editor& e) {
             return e.tool.selectionMode == SelectionMode::BooleanTarget &&
                    e.map.booleanTargetSector == -2;
         }},
        {89, "mode2",
         [](const Editor& e) { return e.tool.selectionMode == SelectionMode::AreaSettings; }},
        {49, "mode3", [](const Editor& e) { return e.tool.dragKind == DragKind::Rotate; }},
        {58, "mode3", [](const Editor& e) { return e.tool.dragKind == DragKind::Free; }},
        {60, "mode3", [](const Editor& e) { return e.settings.regionSelectMode == 1; }},
        {41, "command", [](const Editor& e) { return e.settings.showSprites == 0; }},
        {47, "command", [](const Editor& e) { return e.settings.wallTags == 0; }},
        {44, "command", [](const Editor& e) { return e.settings.showGrid == 0; }},
        {45, "command", [](const Editor& e) { return e.settings.ceilingView == 1; }},
        {61, "command", [](const Editor& e) { return e.settings.autoWallSquare == 0; }},
        {113, "mode2", [](const Editor& e) { return e.settings.zRangeMode == 1; }},
        {150, "mode1", [](const Editor& e) { return e.tool.booleanMode == BooleanMode::Subtract; }},
        {151, "mode1", [](const Editor& e) { return e.tool.booleanMode == BooleanMode::None; }},
        {159, "mode1", [](const Editor& e) { return e.tool.booleanMode == BooleanMode::Rip; }},
        {122, "mode1", [](const Editor& e) { return e.tool.selAreaMode == 1; }},
        {133, "mode2", [](const Editor& e) { return e.pages.view3d.dither3d == 1; }},
        {16, "mode1", [](const Editor& e) { return e.app.currentPage == Page::SideView; }},
        {21, "mode1", [](const Editor& e) { return e.app.currentPage == Page::Statistics; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ItemRig r;
        r.ed->settings.autoWallSquare = 1;
        r.ed->tool.dragKind = DragKind::Move;
        r.ed->tool.booleanMode = BooleanMode::Join;
        r.ed->map.booleanTargetSector = 0;
        EXPECT_TRUE(r.press(c.code));
        EXPECT_TRUE(c.took(*r.ed));
        EXPECT_TRUE(r.played(c.cue));
        r.platform->clearPlayedSounds();
        r.release(c.code);
        EXPECT_TRUE(r.platform->playedSounds().empty()) << "nothing more at the release";
    }
}

TEST(UiItemActions, TheViewMenuIsDrawnAgainOnlyWhileOpen) {
    ItemRig r;
    r.ed->menus.openMenu = 3;
    r.press(42);
    EXPECT_EQ(r.ed->settings.sectorHighlight, 0);
    EXPECT_EQ(r.ed->menus.openMenu, 3);
}

TEST(UiItemActions, ToolStartsSetTheToolTopicMessageAndPoints) {
    struct Case {
        int16_t code;
        Tool tool;
        int32_t topic, message, points;
    } const cases[] = {
        {51, Tool::IntersectSectors, 6, 290, -1},  {53, Tool::SubtractSectors, 5, 289, -1},
        {54, Tool::TransformBySegments, 18, 299, 4}, {55, Tool::QuadWarp1, 19, 300, 6},
        {56, Tool::QuadWarp2, 20, 301, 8},          {57, Tool::MirrorAcrossLine, 28, 307, 0},
        {73, Tool::PlaceStartPosition, 3, 287, 0},  {94, Tool::CurveThroughVertices, 17, 0, -1},
        {95, Tool::LinearCut, 22, 303, 0},          {99, Tool::DivideWall, 14, 0, -1},
        {106, Tool::MergeVertices, 29, 1171, 0},    {111, Tool::CastShadows, 32, 1174, 0},
        {146, Tool::Circle, 9, 293, 0},             {158, Tool::CurveShape, 11, 295, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ItemRig r;
        r.ed->drawVertices.toolPointCount = 3;
        r.ed->app.statusText = "before";
        EXPECT_FALSE(r.press(c.code)) << "tools start at the release";
        EXPECT_EQ(r.ed->tool.currentTool, Tool::Idle);
        r.release(c.code);
        EXPECT_EQ(r.ed->tool.currentTool, c.tool);
        EXPECT_EQ(r.ed->app.helpTopic, c.topic);
        EXPECT_EQ(r.ed->app.helpPopupStep, 0);
        EXPECT_EQ(r.ed->app.statusText, c.message ? r.message(c.message) : "before");
        if (c.points >= 0) EXPECT_EQ(r.ed->drawVertices.toolPointCount, c.points);
        EXPECT_TRUE(r.played("command"));
    }
}

TEST(UiItemActions, TransformStartsTakeTheSelectionBoxAsSourceAndTarget) {
    ItemRig r;
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    r.release(56);  // nothing selected: the empty box
    const DrawVertexList& p = r.ed->drawVertices;
    const int32_t far = 16777216;
    const std::vector<std::pair<int32_t, int32_t>> emptyBox{
        {far, far}, {-far, far}, {-far, -far}, {far, -far}};
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(p.toolPointsX[i], emptyBox[size_t(i % 4)].first) << i;
        EXPECT_EQ(p.toolPointsY[i], emptyBox[size_t(i % 4)].second) << i;
    }
    r.rooms(2);
    r.selectSectors({1});
    r.release(54);
    ASSERT_EQ(p.toolPointCount, 4);
    EXPECT_EQ((std::vector<int32_t>{p.toolPointsX[0], p.toolPointsY[0], p.toolPointsX[1],
                                    p.toolPointsY[1]}),
              (std::vector<int32_t>{64, 0, 128, 64}));
    EXPECT_EQ(p.toolPointsX[2], p.toolPointsX[0]);
    EXPECT_EQ(p.toolPointsY[3], p.toolPointsY[1]);
}

TEST(UiItemActions, SectorOrderEdits) {
    struct Case {
        int16_t code;
        std::initializer_list<int32_t> selected;
        std::vector<int32_t> order;  // the lotags, that is the old indices, in the new order
    } const cases[] = {
        {165, {0, 1, 3}, {0, 1, 3, 2}},
        {165, {2, 3}, {0, 2, 3, 1}},
        {166, {0, 2, 3}, {1, 0, 2, 3}},
        {166, {0, 1}, {2, 0, 1, 3}},
        {167, {1, 3}, {1, 3, 0, 2}},
        {168, {0, 2}, {1, 3, 0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ItemRig r;
        r.rooms(4);
        r.selectSectors(c.selected);
        r.release(c.code);
        EXPECT_EQ(r.lotags(), c.order);
        EXPECT_EQ(r.ed->map.undoState, UndoState::Snapshot);
        EXPECT_EQ(r.ed->map.mapModified, MapModifiedState::Modified);
        EXPECT_TRUE(r.played("command"));
        EXPECT_EQ(test::checkMapInvariants(r.ed->map), std::vector<std::string>{});
    }
}

TEST(UiItemActions, DeletionsOfTheSelection) {
    struct Case {
        const char* name;
        int16_t code;
        std::function<void(MapStore&)> select;
        std::function<bool(const MapStore&)> left;
        int32_t message;
        const char* cue;
    } const cases[] = {
        {"no vertex: snapshot, mark and message only", 85, [](MapStore&) {},
         [](const MapStore& m) { return m.wallCount == 12; }, 34, "spriexpl"},
        {"two vertices of the middle room", 85,
         [](MapStore& m) {
             m.vertexSelected[m.sectors[1].wallptr] = 1;
             m.vertexSelected[m.sectors[1].wallptr + 2] = 1;
             m.selectedVertexCount = 2;
         },
         [](const MapStore& m) { return m.selectedVertexCount == 0 && m.wallCount < 12; }, 34,
         "spriexpl"},
        {"sectors 0 and 2", 86, [](MapStore& m) {
             m.sectorSelected[0] = m.sectorSelected[2] = 1;
             m.selectedSectorCount = 2;
         },
         [](const MapStore& m) { return m.sectorCount == 1 && m.sectors[0].lotag == 1; }, 226,
         "sectexpl"},
        {"sprites 0 and 1 of three", 80, [](MapStore& m) {
             m.spriteSelected[0] = m.spriteSelected[1] = 1;
             m.selectedSpriteCount = 2;
         },
         [](const MapStore& m) { return m.spriteCount == 1 && m.sprites[0].lotag == 2; }, 32,
         "spriexpl"},
        {"copies of the selected sprites", 82, [](MapStore& m) {
             m.spriteSelected[0] = m.spriteSelected[2] = 1;
             m.selectedSpriteCount = 2;
         },
         [](const MapStore& m) {
             return m.spriteCount == 5 && m.sprites[3].lotag == 0 && m.sprites[4].lotag == 2 &&
                    m.spriteSelected[3] && m.spriteSelected[4] && !m.spriteSelected[0] &&
                    !m.spriteSelected[2] && m.selectedSpriteCount == 2;
         },
         184, "command"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ItemRig r;
        r.rooms(3);
        MapStore& m = r.ed->map;
        for (int32_t k = 0; k < 3; ++k) {
            test::MapBuilder(m).addSprite(16 + 64 * k, 16, 0, k);
            m.sprites[k].lotag = int16_t(k);
        }
        c.select(m);
        r.release(c.code);
        EXPECT_TRUE(c.left(m));
        EXPECT_EQ(m.undoState, UndoState::Snapshot);
        EXPECT_EQ(m.mapModified, MapModifiedState::Modified);
        EXPECT_EQ(r.ed->app.statusText, r.message(c.message));
        EXPECT_TRUE(r.played(c.cue));
        EXPECT_EQ(test::checkMapInvariants(m), std::vector<std::string>{});
    }
}

TEST(UiItemActions, DeletingLoopsTakesExactlyTheLoopOfASelectedWall) {
    ItemRig r;
    auto built = std::make_unique<MapStore>();
    test::MapBuilder b(*built);
    b.addRoom(0, 0, 512, 512);
    b.addRectHole(64, 64, 128, 128);
    b.addRectHole(256, 256, 320, 320);
    static_cast<MapContent&>(r.ed->map) = *built;
    MapStore& m = r.ed->map;
    ASSERT_EQ(m.wallCount, 12);
    m.wallSelected[9] = 1;  // the middle of the second hole
    m.selectedWallCount = 1;
    r.release(87);
    EXPECT_EQ(m.wallCount, 8);
    EXPECT_EQ(m.sectorCount, 1);
    EXPECT_TRUE(pointInSector(m, 300, 300, 0)) << "the second hole is gone";
    EXPECT_FALSE(pointInSector(m, 100, 100, 0)) << "the first stays";
    EXPECT_EQ(r.ed->app.statusText, r.message(308));
    EXPECT_TRUE(r.played("sectexpl"));
}

TEST(UiItemActions, RefusedEditsLeaveTheMapAsItWas) {
    {
        SCOPED_TRACE("copies past the sprite capacity");
        ItemRig r;
        r.rooms(1);
        MapStore& m = r.ed->map;
        m.spriteCount = kMaxSprites - 1;
        m.spriteSelected[0] = m.spriteSelected[1] = 1;
        m.selectedSpriteCount = 2;
        r.release(82);
        EXPECT_EQ(m.spriteCount, kMaxSprites - 1);
        EXPECT_EQ(m.undoState, UndoState::Nothing);
        EXPECT_EQ(m.mapModified, MapModifiedState::Unmodified);
        EXPECT_EQ(r.ed->app.statusText, r.message(kMsgNoRoomForSprites));
    }
    {
        SCOPED_TRACE("rip with no sector");
        ItemRig r;
        r.rooms(0);
        r.release(76);
        EXPECT_EQ(r.ed->map.undoState, UndoState::Nothing);
        EXPECT_EQ(r.ed->map.mapModified, MapModifiedState::Unmodified);
    }
}

TEST(UiItemActions, PageChangesAndForwardedCommandsAreReachedOnce) {
    struct Case {
        int16_t code;
        std::function<bool(const Editor&)> took;
    } const cases[] = {
        {78, [](const Editor& e) { return e.app.currentPage == Page::TerrainSetup; }},
        {101, [](const Editor& e) { return e.app.currentPage == Page::WallLighting; }},
        {118,
         [](const Editor& e) {
             return e.app.currentPage == Page::View3D && e.pages.view3d.view3dState == 2 &&
                    e.pages.view3d.enter3dPending == 1;
         }},
        {154, [](const Editor& e) { return e.app.currentPage == Page::ArchSetup; }},
        {157,
         [](const Editor& e) {
             return e.app.currentPage == Page::ProfileEditor &&
                    e.pages.profileEditor.profileToolKind == 1;
         }},
        {117, [](const Editor& e) { return e.app.currentPage == Page::Search; }},
        {120, [](const Editor& e) { return e.tool.currentTool == Tool::AffineGrid; }},
        {105,
         [](const Editor& e) {
             return e.prompt.promptKind == int32_t(ValuePromptKind::ZShift) &&
                    e.prompt.promptInput == "0";
         }},
        {129, [](const Editor& e) { return e.pages.profileEditor.profileZoom == 32; }},
        {130, [](const Editor& e) { return e.pages.profileEditor.profileZoom == 8; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ItemRig r;
        r.ed->settings.affineGridMode = 0;
        r.release(c.code);
        EXPECT_TRUE(c.took(*r.ed));
    }
}

TEST(UiItemActions, AKeyPendingClickActsOnceThroughTheFrame) {
    ItemRig r;
    r.rooms(4);
    r.selectSectors({3});
    rebuildToolbar(*r.ed);
    r.setCode(168);
    r.click(kSpareSlot);
    EXPECT_EQ(r.lotags(), (std::vector<int32_t>{0, 1, 2, 3})) << "already last";
    r.ed->map.sectorSelected[3] = 0;
    r.selectSectors({0});
    r.setCode(166);
    r.click(kSpareSlot);
    EXPECT_EQ(r.lotags(), (std::vector<int32_t>{1, 0, 2, 3})) << "one step, not two";
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
}

}  // namespace
}  // namespace korvel
