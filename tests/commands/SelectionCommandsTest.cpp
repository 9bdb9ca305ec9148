#include "commands/SelectionCommands.h"

#include <gtest/gtest.h>

#include <random>

#include "app/Editor.h"
#include "map/UndoSnapshot.h"
#include "views/PlanView.h"
#include "support/EditingCommandMix.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/MapInvariants.h"
#include "support/NumberedMessages.h"
#include "support/RandomMaps.h"

namespace korvel::test {
namespace {

// A 2 x 2 grid of linked rooms 256 wide (sector s holds walls 4s .. 4s+3), a sprite in each
// room, messages "#<number>".
struct SelectionRig : EditorRig {
    SelectionRig() : EditorRig("", false) {
        ed->langs = numberedMessages();
        MapBuilder b(ed->map);
        b.addGrid(0, 0, 2, 2, 256);
        b.link();
        for (int32_t s = 0; s < 4; ++s) {
            const int32_t x = 128 + 256 * (s % 2), y = 128 + 256 * (s / 2);
            b.addSprite(x, y, 0, s);
        }
        ed->app.currentPage = Page::PlanView;
    }
    MapStore& map() { return ed->map; }
    void mode(SelectionMode m, SelectionMode previous) {
        ed->tool.previousSelectionMode = previous;
        ed->tool.selectionMode = m;
        convertSelection(*ed);
    }
    int32_t sectorOf(int32_t w) const { return ed->map.wallSector[w]; }
};

int32_t flagsSet(const uint8_t* f, int32_t n) {
    int32_t c = 0;
    for (int32_t i = 0; i < n; ++i) c += f[i] != 0;
    return c;
}

void expectCountsMatchFlags(const MapStore& m) {
    EXPECT_EQ(m.selectedSectorCount, flagsSet(m.sectorSelected.begin(), m.sectorCount));
    EXPECT_EQ(m.selectedWallCount, flagsSet(m.wallSelected.begin(), m.wallCount));
    EXPECT_EQ(m.selectedVertexCount, flagsSet(m.vertexSelected.begin(), m.wallCount));
    EXPECT_EQ(m.selectedSpriteCount, flagsSet(m.spriteSelected.begin(), m.spriteCount));
}

TEST(ConvertSelection, EachModeBuildsItsKindFromTheSelectionBefore) {
    // Sector 1 selected, or wall 0 (in sector 0) selected, before each conversion.
    enum Start { Sector1, Wall0 };
    const struct {
        Start start;
        SelectionMode to, from;
        int32_t sectors, walls, vertices, sprites, loops;
    } cases[] = {
        {Sector1, SelectionMode::Sprites, SelectionMode::Sectors, 0, 0, 0, 1, 0},
        {Sector1, SelectionMode::Vertices, SelectionMode::Sectors, 0, 0, 4, 0, 0},
        {Wall0, SelectionMode::Vertices, SelectionMode::Walls, 0, 0, 1, 0, 0},
        {Sector1, SelectionMode::Walls, SelectionMode::Sectors, 0, 4, 0, 0, 0},
        {Wall0, SelectionMode::Sectors, SelectionMode::Walls, 1, 0, 0, 0, 0},
        {Wall0, SelectionMode::Loops, SelectionMode::Walls, 0, 4, 0, 0, 1},
        {Wall0, SelectionMode::Loops, SelectionMode::Sprites, 0, 0, 0, 0, 0},
        {Sector1, SelectionMode::Loops, SelectionMode::Sectors, 0, 4, 0, 0, 1},
        {Sector1, SelectionMode::SpritesAndVertices, SelectionMode::Sectors, 0, 0, 4, 1, 0},
        {Sector1, SelectionMode::BooleanTarget, SelectionMode::Sectors, 1, 0, 0, 0, 0},
        {Wall0, SelectionMode::AreaSettings, SelectionMode::Walls, 0, 1, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SelectionRig r;
        MapStore& m = r.map();
        if (c.start == Sector1) {
            m.sectorSelected[1] = 1;
            m.selectedSectorCount = 1;
        } else {
            m.wallSelected[0] = 1;
            m.selectedWallCount = 1;
        }
        r.mode(c.to, c.from);
        SCOPED_TRACE(testing::Message() << "start " << c.start << " to " << int(c.to));
        EXPECT_EQ(m.selectedSectorCount, c.sectors);
        EXPECT_EQ(m.selectedWallCount, c.walls);
        EXPECT_EQ(m.selectedVertexCount, c.vertices);
        EXPECT_EQ(m.selectedSpriteCount, c.sprites);
        EXPECT_EQ(m.selectedLoopCount, c.loops);
        expectCountsMatchFlags(m);
        if (c.sprites) EXPECT_TRUE(m.spriteSelected[1]);
        if (c.to == SelectionMode::BooleanTarget) EXPECT_EQ(m.booleanTargetSector, 1);
    }
}

TEST(ConvertSelection, SectorsToWallsAndBackAndTwoBooleanTargets) {
    SelectionRig r;
    MapStore& m = r.map();
    m.sectorSelected[2] = m.sectorSelected[3] = 1;
    m.selectedSectorCount = 2;
    r.mode(SelectionMode::Walls, SelectionMode::Sectors);
    EXPECT_EQ(m.selectedWallCount, 8);
    EXPECT_EQ(m.selectedSectorCount, 0);
    r.mode(SelectionMode::Sectors, SelectionMode::Walls);
    EXPECT_EQ(m.selectedSectorCount, 2);
    EXPECT_TRUE(m.sectorSelected[2] && m.sectorSelected[3]);
    r.mode(SelectionMode::BooleanTarget, SelectionMode::Sectors);
    EXPECT_EQ(m.selectedSectorCount, 0);
    EXPECT_EQ(m.booleanTargetSector, -2);
}

TEST(ConvertSelection, DamagedIndicesAreSkipped) {
    SelectionRig r;
    MapStore& m = r.map();
    m.sprites[0].sectnum = 30000;
    m.sprites[1].sectnum = -7;
    m.walls[5].point2 = 30000;   // a loop walk that leaves the walls
    m.walls[9].point2 = 9;       // a loop of one
    m.sectors[0].wallnum = 30000;
    m.wallSector[3] = 9999;
    for (int32_t w = 0; w < m.wallCount; ++w) m.wallSelected[w] = 1;
    m.selectedWallCount = m.wallCount;
    m.sectorSelected[0] = m.sectorSelected[1] = 1;
    m.selectedSectorCount = 2;
    for (const SelectionMode to :
         {SelectionMode::Loops, SelectionMode::Sectors, SelectionMode::Sprites,
          SelectionMode::Walls, SelectionMode::Vertices, SelectionMode::SpritesAndVertices}) {
        r.mode(to, SelectionMode::Walls);
        expectCountsMatchFlags(m);
    }
}

TEST(SelectionCommands, SelectAllByModeAndPage) {
    const struct {
        SelectionMode mode;
        Page page;
        int32_t sectors, walls, vertices, sprites;
        const char* message;
    } cases[] = {
        {SelectionMode::Sprites, Page::PlanView, 0, 0, 0, 3, "#228"},
        {SelectionMode::Sprites, Page::SideView, 0, 0, 0, 1, "#228"},
        {SelectionMode::Vertices, Page::PlanView, 0, 0, 15, 0, "#229"},
        {SelectionMode::Walls, Page::PlanView, 0, 15, 0, 0, "#230"},
        {SelectionMode::Sectors, Page::PlanView, 2, 0, 0, 0, "#231"},
        {SelectionMode::Loops, Page::PlanView, 0, 15, 0, 0, "#232"},
        {SelectionMode::SpritesAndVertices, Page::SideView, 0, 0, 15, 3, "#233"},
        {SelectionMode::BooleanTarget, Page::PlanView, 0, 0, 0, 0, ""},
    };
    for (const auto& c : cases) {
        SelectionRig r;
        MapStore& m = r.map();
        // One sprite, one wall and two sectors (one dimmed) are left out.
        m.spriteIgnored[3] = 2;
        m.wallIgnored[15] = 2;
        m.sectorIgnored[0] = 1;
        m.sectorIgnored[3] = 2;
        r.ed->view.sideViewSprites[2] = 1;
        r.ed->app.currentPage = c.page;
        r.ed->tool.selectionMode = c.mode;
        selectAll(*r.ed);
        SCOPED_TRACE(int(c.mode));
        EXPECT_EQ(m.selectedSectorCount, c.sectors);
        EXPECT_EQ(m.selectedWallCount, c.walls);
        EXPECT_EQ(m.selectedVertexCount, c.vertices);
        EXPECT_EQ(m.selectedSpriteCount, c.sprites);
        EXPECT_EQ(r.ed->app.statusText, c.message);
        expectCountsMatchFlags(m);
        if (c.mode == SelectionMode::Loops) EXPECT_EQ(m.selectedLoopCount, 3);  // wall 15 hidden
    }
    // On the script page the whole text is selected.
    SelectionRig r;
    r.ed->app.currentPage = Page::ScriptEditor;
    r.ed->pages.scriptEditor.scriptText = "abc\r\nde";
    r.ed->pages.scriptEditor.scriptCursor = 2;
    selectAll(*r.ed);
    EXPECT_EQ(r.ed->pages.scriptEditor.scriptAnchor, 0);
    EXPECT_EQ(r.ed->pages.scriptEditor.scriptCursor, 7);
    EXPECT_EQ(r.map().selectedSpriteCount, 0);
}

TEST(SelectionCommands, HideAndUnhide) {
    SelectionRig r;
    MapStore& m = r.map();
    Editor& ed = *r.ed;
    ed.hover.hoveredSector = 2;
    m.sectorSelected[0] = 1;
    m.selectedSectorCount = 1;
    hideSectors(ed);
    EXPECT_EQ(m.sectorIgnored[0], 2);
    EXPECT_EQ(m.sectorIgnored[2], 0);
    EXPECT_EQ(m.selectedSectorCount, 0);
    EXPECT_EQ(ed.app.statusText, "#1200");
    m.sectorSelected[1] = 0;
    hideSectors(ed);
    EXPECT_EQ(m.sectorIgnored[2], 2);
    EXPECT_EQ(ed.app.statusText, "#1199");
    unhideAllSectors(ed);
    EXPECT_EQ(flagsSet(m.sectorIgnored.begin(), kMaxSectors), 0);
    m.spriteIgnored[kMaxSprites - 1] = 2;
    unhideAllSprites(ed);
    EXPECT_EQ(m.spriteIgnored[kMaxSprites - 1], 0);
    EXPECT_EQ(ed.app.statusText, "#189");
}

TEST(SelectionCommands, DeletingAdjacentSpritesAndUndoingIt) {
    SelectionRig r;
    MapStore& m = r.map();
    Editor& ed = *r.ed;
    MapBuilder b(m);
    for (int32_t i = 0; i < 4; ++i) b.addSprite(40 + i, 40, 0, 0);
    for (int32_t k = 0; k < m.spriteCount; ++k) m.sprites[k].lotag = int16_t(k);
    const MapStore before = m;
    m.spriteSelected[4] = m.spriteSelected[5] = m.spriteSelected[6] = 1;
    m.selectedSpriteCount = 3;
    ed.tool.selectionMode = SelectionMode::Sprites;
    deleteSelected(ed);
    ASSERT_EQ(m.spriteCount, 5);
    EXPECT_EQ(m.sprites[4].lotag, 7);
    EXPECT_EQ(m.selectedSpriteCount, 0);
    EXPECT_EQ(ed.app.statusText, "#32");
    EXPECT_TRUE(checkMapInvariants(m).empty()) << describeViolations(checkMapInvariants(m));
    restoreUndo(m, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
    EXPECT_EQ(m.spriteCount, 8);
    EXPECT_EQ(recordDifference(before, m), "");
}

TEST(SelectionCommands, DeletingVerticesWallsAndSectors) {
    {
        // Vertices: each selected vertex goes; one that cannot go does not stall the walk.
        SelectionRig r;
        MapStore& m = r.map();
        r.ed->tool.selectionMode = SelectionMode::Vertices;
        for (int32_t w = 0; w < m.wallCount; ++w) m.vertexSelected[w] = 1;
        m.selectedVertexCount = m.wallCount;
        deleteSelected(*r.ed);
        EXPECT_EQ(m.selectedVertexCount, flagsSet(m.vertexSelected.begin(), m.wallCount));
        EXPECT_TRUE(checkMapInvariants(m).empty()) << describeViolations(checkMapInvariants(m));
    }
    {
        SelectionRig r;
        MapStore& m = r.map();
        r.ed->tool.selectionMode = SelectionMode::Walls;
        r.ed->hover.hoveredWall = 0;
        deleteSelected(*r.ed);
        EXPECT_EQ(r.ed->app.statusText, "#37");
        EXPECT_EQ(r.ed->hover.hoveredWall, -1);
        EXPECT_TRUE(checkMapInvariants(m).empty()) << describeViolations(checkMapInvariants(m));
    }
    {
        // Sectors mode: Delete does nothing; Ctrl+Delete with nothing selected deletes the
        // hovered sector with its sprites.
        SelectionRig r;
        MapStore& m = r.map();
        r.ed->tool.selectionMode = SelectionMode::Sectors;
        r.ed->hover.hoveredSector = 3;
        deleteSelected(*r.ed);
        EXPECT_EQ(m.sectorCount, 4);
        deleteSectorsCommand(*r.ed);
        EXPECT_EQ(m.sectorCount, 3);
        EXPECT_EQ(m.spriteCount, 3);
        EXPECT_EQ(r.ed->app.statusText, "#227");
        m.sectorSelected[0] = m.sectorSelected[1] = 1;
        m.selectedSectorCount = 2;
        deleteSectorsCommand(*r.ed);
        EXPECT_EQ(m.sectorCount, 1);
        EXPECT_EQ(m.selectedSectorCount, 0);
        EXPECT_TRUE(checkMapInvariants(m).empty()) << describeViolations(checkMapInvariants(m));
    }
}

TEST(SelectionCommands, SpriteInsertedInTheSideViewFacesTheWall) {
    EditorRig rig("", false);
    Editor& ed = *rig.ed;
    ed.langs = numberedMessages();
    MapBuilder(ed.map).addSector({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    ed.app.currentPage = Page::SideView;
    ed.view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    ed.view.sideViewSubject = 0;
    ed.view.sideViewX1 = 0;
    ed.view.sideViewY1 = 0;
    ed.view.sideViewX2 = 100;
    ed.view.sideViewY2 = 0;
    ed.hover.hitPointX = 50;
    ed.hover.hitPointY = 0;
    ed.hover.hitPointZ = -1234;
    insertSprite(ed);
    ASSERT_EQ(ed.map.spriteCount, 1);
    const SpriteRecord& sp = ed.map.sprites[0];
    EXPECT_EQ(sp.ang, 512);
    EXPECT_EQ(sp.x, 50);
    EXPECT_EQ(sp.y, 1);
    EXPECT_EQ(sp.cstat & 0x30, 0x10);
    EXPECT_EQ(sp.z, -1234);
    EXPECT_EQ(ed.app.statusText, "#19");
    EXPECT_EQ(ed.map.undoState, UndoState::Snapshot);

    // A full map refuses: the refusal stays in the status line and no sprite is fitted.
    ed.map.spriteCount = kMaxSprites;
    ed.map.sprites[kMaxSprites - 1].z = 77;
    ed.app.statusText.clear();
    insertSprite(ed);
    EXPECT_EQ(ed.map.spriteCount, kMaxSprites);
    EXPECT_NE(ed.app.statusText, "#19");
    EXPECT_EQ(ed.map.sprites[kMaxSprites - 1].z, 77);
}

TEST(SelectionCommands, SkySelectWithSeveralSelectedKeepsTheCountTrue) {
    SelectionRig r;
    MapStore& m = r.map();
    r.ed->tool.selectionMode = SelectionMode::Sectors;
    m.sectorSelected[0] = m.sectorSelected[1] = 1;
    m.selectedSectorCount = 2;
    r.ed->hover.hoveredSector = 3;
    selectConnectedSkyCommand(*r.ed);
    EXPECT_TRUE(m.sectorSelected[3]);
    expectCountsMatchFlags(m);
}

// Random sequences of these commands, with undo between, keep the map sound.
TEST(SelectionCommands, SeededSequencesKeepTheMapSound) {
    void (*const commands[])(Editor&) = {
        selectAll,          invertSelectionCommand, deselectAllCommand,
        convertSelection,   hideSectors,            unhideAllSectors,
        deleteSelected,     deleteSectorsCommand,   insertVertexCommand,
        insertSprite,       cloneSelectionCommand,  selectConnectedSkyCommand,
        levelSkyCeilingsCommand};
    EditorRig rig("", false);
    Editor& ed = *rig.ed;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        ed.map = MapStore{};
        ed.undo = UndoSnapshot{};
        ed.clipboard = MapClipboard{};
        ed.tool = ToolState{};
        std::mt19937 rng(seed);
        buildRandomMap(ed.map, rng);
        for (int step = 0; step < 12; ++step) {
            ed.tool.previousSelectionMode = ed.tool.selectionMode;
            ed.tool.selectionMode = SelectionMode(rng() % 6);
            ed.app.currentPage = rng() % 4 ? Page::PlanView : Page::SideView;
            const int32_t w = std::max(1, ed.map.wallCount), s = std::max(1, ed.map.sectorCount);
            ed.hover.hoveredWall = ed.hover.hoveredVertex = int32_t(rng() % uint32_t(w));
            ed.hover.hoveredSector = int32_t(rng() % uint32_t(s));
            ed.hover.hoveredSprite = ed.map.spriteCount ? int32_t(rng() % ed.map.spriteCount) : -1;
            if (isWall(ed.map, ed.hover.hoveredWall)) {
                ed.hover.hoverWallPointX = ed.map.walls[ed.hover.hoveredWall].x + 1;
                ed.hover.hoverWallPointY = ed.map.walls[ed.hover.hoveredWall].y;
            }
            commands[rng() % std::size(commands)](ed);
            if (rng() % 5 == 0)
                restoreUndo(ed.map, ed.undo, ed.clipboard, ed.tool.selectionMode, ed.events);
            const auto v = checkMapInvariants(ed.map);
            ASSERT_TRUE(v.empty()) << "seed " << seed << " step " << step << "\n"
                                   << describeViolations(v);
        }
    }
}


// Whatever the record editor and the search page hold (any value in every field, stale or
// whole-selection targets), the editing commands of the map pages and of those pages, undo and
// the plan view's painter finish without a sanitizer finding.
TEST(EditingCommands, AnyFieldValuesThenEveryCommandKeepTheMapSound) {
    const Page pages[] = {Page::PlanView, Page::SideView,   Page::RecordEditor,
                          Page::Search,   Page::TilePicker, Page::FileBrowser};
    EditorRig rig("", false);
    Editor& ed = *rig.ed;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        ed.map = MapStore{};
        ed.undo = UndoSnapshot{};
        ed.clipboard = MapClipboard{};
        ed.tool = ToolState{};
        ed.app.modeStackDepth = 0;
        ed.prompt.promptKind = 0;
        std::mt19937 rng(seed);
        buildRandomMap(ed.map, rng);
        for (int step = 0; step < 16; ++step) {
            if (rng() % 3 == 0) scrambleEditingFields(ed, rng);
            ed.tool.selectionMode = SelectionMode(rng() % 8);
            ed.app.currentPage = pages[rng() % std::size(pages)];
            ed.hover.hoveredWall = int32_t(rng() % uint32_t(ed.map.wallCount + 2)) - 1;
            ed.hover.hoveredSector = int32_t(rng() % uint32_t(ed.map.sectorCount + 2)) - 1;
            ed.hover.hoveredSprite = int32_t(rng() % uint32_t(ed.map.spriteCount + 2)) - 1;
            ed.hover.panelSubject = PanelSubject(rng() % 7);
            const size_t c = rng() % kEditingCommandCount;
            kEditingCommands[c](ed);
            ed.prompt.promptKind = 0;
            if (rng() % 5 == 0) undoCommand(ed);
            if (rng() % 8 == 0) {
                ed.app.currentPage = Page::PlanView;
                draw2DView(ed, 0);
            }
            // The record editor writes any field, wall links and ranges too: the map may be
            // damaged, but no command may leave its counts outside capacity.
            ASSERT_TRUE(ed.map.sectorCount >= 0 && ed.map.sectorCount <= kMaxSectors &&
                        ed.map.wallCount >= 0 && ed.map.wallCount <= kMaxWalls &&
                        ed.map.spriteCount >= 0 && ed.map.spriteCount <= kMaxSprites)
                << "seed " << seed << " step " << step << " command " << c;
        }
    }
}

}  // namespace
}  // namespace korvel::test
