#include <gtest/gtest.h>

#include "editing/WindowChrome.h"
#include "pages/MessageBox.h"
#include "pages/PageButtons.h"
#include "support/EditCommandRig.h"

namespace korvel::test {
namespace {

struct PageButtons : ::testing::Test, EditCommandRig {
    void release(int32_t id) {
        ed->app.hoveredWidget = id;
        releasePageButton(*ed);
    }
    ProfileEditorState& profile() { return ed->pages.profileEditor; }
};

TEST_F(PageButtons, ProfileSegmentsAreAddedUpToTheCapacityDeletedOnlyWhenSelectedAndCleared) {
    release(22003);
    release(22003);
    EXPECT_EQ(profile().contourCount, 2);
    EXPECT_EQ(profile().contourSelected, 1);
    EXPECT_EQ(profile().contour[1].leftX, -256);
    EXPECT_EQ(profile().contour[1].rightZB, -8192);

    profile().contourCount = kContourCapacity;
    profile().contourSelected = 5;
    release(22003);
    EXPECT_EQ(profile().contourCount, kContourCapacity) << "a full profile takes no more";
    EXPECT_EQ(profile().contourSelected, 5);

    // Delete: nothing without a selection (or a stray one), the last one moves the selection.
    struct Case {
        int32_t count, selected;
        int32_t countAfter, selectedAfter;
    };
    const Case cases[] = {{3, -1, 3, -1}, {3, 3, 3, 3}, {3, 99999, 3, 99999},
                          {3, 2, 2, 1},   {3, 0, 2, 0}, {1, 0, 0, -1}};
    for (const Case& c : cases) {
        for (int32_t i = 0; i < 3; ++i) profile().contour[size_t(i)].leftX = i;
        profile().contourCount = c.count;
        profile().contourSelected = c.selected;
        release(22004);
        EXPECT_EQ(profile().contourCount, c.countAfter) << c.count << " " << c.selected;
        EXPECT_EQ(profile().contourSelected, c.selectedAfter) << c.count << " " << c.selected;
    }
    profile().contourCount = 3;
    profile().contourSelected = 0;
    release(22004);
    EXPECT_EQ(profile().contour[0].leftX, 1) << "the later segments move down";
    release(22005);
    EXPECT_EQ(profile().contourCount, 0);
    EXPECT_EQ(profile().contourSelected, -1);
}

TEST_F(PageButtons, GeneratorsStartOnlyWithEnoughPieces) {
    struct Case {
        int32_t button;
        void (*setCounts)(Pages&, int32_t bad);
        Tool tool;
        int32_t topic, message;
    };
    const Case cases[] = {
        {19001, [](Pages& p, int32_t bad) { p.reelSetup.reelD = bad ? 0 : 1; }, Tool::Reel, 24, 304},
        {20001, [](Pages& p, int32_t bad) { p.archSetup.arch1C = bad ? 0 : 1; }, Tool::Arch, 25, 305},
        {21001, [](Pages& p, int32_t bad) { p.sphereSetup.sphere1C = bad ? 2 : 3; }, Tool::Sphere, 26,
         306},
    };
    for (const Case& c : cases) {
        for (const int32_t bad : {1, 0}) {
            EditCommandRig rig;
            rig.ed->app.currentPage = Page::ReelSetup;
            rig.ed->app.previousPage = Page::PlanView;
            c.setCounts(rig.ed->pages, bad);
            rig.ed->app.hoveredWidget = c.button;
            releasePageButton(*rig.ed);
            EXPECT_EQ(rig.ed->tool.currentTool, bad ? Tool::Idle : c.tool) << c.button;
            EXPECT_EQ(rig.ed->app.statusText, rig.msg(bad ? 1198 : c.message)) << c.button;
            if (!bad) EXPECT_EQ(rig.ed->app.helpTopic, c.topic);
            EXPECT_NE(rig.ed->app.currentPage, Page::ReelSetup) << "the page closes either way";
        }
    }
}

TEST_F(PageButtons, ProfileStartClosesThePageAndArmsTheToolOfItsKind) {
    struct Case {
        uint8_t kind;
        Tool tool;
        int32_t topic, message;
    };
    const Case cases[] = {{0, Tool::ProfileSweep, 34, 1191}, {1, Tool::ProfileRevolve, 35, 1192}};
    for (const Case& c : cases) {
        EditCommandRig rig;
        rig.ed->app.currentPage = Page::ProfileEditor;
        rig.ed->app.previousPage = Page::PlanView;
        rig.ed->pages.profileEditor.profileToolKind = c.kind;
        rig.ed->drawVertices.toolPointCount = 3;
        rig.ed->app.helpPopupStep = -1;
        rig.ed->app.hoveredWidget = 22001;
        releasePageButton(*rig.ed);
        EXPECT_EQ(rig.ed->tool.currentTool, c.tool);
        EXPECT_EQ(rig.ed->app.helpTopic, c.topic);
        EXPECT_EQ(rig.ed->app.statusText, rig.msg(c.message));
        EXPECT_EQ(rig.ed->drawVertices.toolPointCount, 0);
        EXPECT_EQ(rig.ed->app.helpPopupStep, 0);
        EXPECT_NE(rig.ed->app.currentPage, Page::ProfileEditor);
    }
}

TEST_F(PageButtons, ColourSchemeAndTileFilterCancelChangePagesOnly) {
    ed->app.currentPage = Page::DisplayOptions;
    release(8004);
    EXPECT_EQ(ed->app.currentPage, Page::ColorSchemeEditor);

    TilePickerState& t = ed->pages.tilePicker;
    t.tilePickerShowAll = 1, t.tilePickerTopRow = 7, t.tilePickerCursor = 40;
    ed->app.currentPage = Page::TileFilter;
    release(18002);
    EXPECT_NE(ed->app.currentPage, Page::TileFilter);
    EXPECT_EQ(t.tilePickerShowAll, 1) << "cancel leaves the picker as it was";
    EXPECT_EQ(t.tilePickerTopRow, 7);
    EXPECT_EQ(t.tilePickerCursor, 40);
}

TEST_F(PageButtons, LightingApplyShadesOnlyTheSelectedWallsAsOneUndoableEdit) {
    twoRooms();
    for (int32_t w = 0; w < map.wallCount; ++w) map.walls[size_t(w)].shade = 99;
    selectWall(0);
    WallLightingState& l = ed->pages.wallLighting;
    l.lightDirectional = 1, l.lightFalloffMode = 1, l.lightShadeMin = 3, l.lightShadeMax = 20;
    ed->app.currentPage = Page::WallLighting;
    release(5001);
    EXPECT_EQ(ed->app.currentPage, Page::PlanView);
    EXPECT_GE(map.walls[0].shade, 3);
    EXPECT_LE(map.walls[0].shade, 20);
    for (int32_t w = 1; w < map.wallCount; ++w) EXPECT_EQ(map.walls[size_t(w)].shade, 99) << w;
    EXPECT_NE(map.mapModified, MapModifiedState::Unmodified);
    EXPECT_NE(map.undoState, UndoState::Nothing) << "the walls' old shades can be had back";
}

TEST_F(PageButtons, ExportBoxBoundsTheSelectionOrTheWholeMap) {
    twoRooms();
    MapBuilder(map).addSprite(100, -300, 0, 0);
    struct Case {
        int32_t button;
        bool selectSprite, selectVertex;
        int32_t left, bottom, right, top;
    };
    // Vertex 1 is the first room's corner (256, 0); the sprite stands at (100, -300).
    const Case cases[] = {
        {24001, true, true, 100, -300, 256, 0},
        {24001, false, true, 256, 0, 256, 0},
        {24001, false, false, 16777216, 16777216, -16777216, -16777216},
        {24002, false, false, 0, -300, 512, 256},
    };
    for (const Case& c : cases) {
        map.spriteSelected[0] = c.selectSprite;
        map.vertexSelected[1] = c.selectVertex;
        ASSERT_EQ(map.walls[1].x, 256);
        ASSERT_EQ(map.walls[1].y, 0);
        ed->app.currentPage = Page::ImageExport;
        release(c.button);
        const ViewState& v = ed->view;
        EXPECT_EQ(v.exportLeft, c.left) << &c - cases;
        EXPECT_EQ(v.exportBottom, c.bottom) << &c - cases;
        EXPECT_EQ(v.exportRight, c.right) << &c - cases;
        EXPECT_EQ(v.exportTop, c.top) << &c - cases;
        EXPECT_EQ(ed->app.currentPage, Page::ImageExport) << "the page stays";
    }
}

TEST_F(PageButtons, AboutCopiesItsLinesAndFullScreenActsOnlyWhenChosen) {
    release(15001);
    EXPECT_EQ(platform->clipboardText(), msg(312));
    release(15002);
    EXPECT_EQ(platform->clipboardText(), msg(313));

    platform->refuseDisplayModes(true);
    ed->app.currentPage = Page::DisplayOptions;
    ed->settings.fullScreen = 0;
    release(8001);
    EXPECT_EQ(ed->app.currentPage, Page::DisplayOptions) << "a window asked for: no switch";
    ed->settings.fullScreen = 1;
    release(8001);
    EXPECT_EQ(ed->app.currentPage, Page::MessageBox) << "a refused switch says so";
}

TEST_F(PageButtons, ScriptButtonsSaveStartAnotherAndAskBeforeDeleting) {
    dir.makeFolder("KorvelD");
    ScriptState& s = ed->pages.scriptEditor;
    s.scriptName = "mine";
    s.scriptText = "mov r01 1\r\n";
    ed->app.currentPage = Page::ScriptEditor;
    release(26007);
    EXPECT_EQ(dir.read("KorvelD/mine.kvs"), "mov r01 1\r\n");
    release(26008);
    EXPECT_EQ(s.scriptText, "");
    EXPECT_NE(s.scriptName, "mine");
    EXPECT_EQ(dir.read("KorvelD/mine.kvs"), "mov r01 1\r\n") << "the saved script stays";
    release(26011);
    EXPECT_EQ(ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(ed->pages.messageBox.messageBoxKind, MessageBoxKind::ConfirmDeleteScript);
}

TEST_F(PageButtons, TerrainTileChoiceOpensThePickerOnEveryTileAtTheTerrainTile) {
    ed->pages.terrainSetup.terrainTile = 77;
    ed->prompt.targetSector = ed->prompt.targetWall = ed->prompt.targetSprite = 3;
    ed->tileCatalog.tileList.assign(ed->tileCatalog.tileList.size(), 5);
    ed->app.currentPage = Page::TerrainSetup;
    release(25001);
    EXPECT_EQ(ed->app.currentPage, Page::TilePicker);
    EXPECT_EQ(ed->pages.tilePicker.tilePickerShowAll, 1);
    EXPECT_EQ(ed->pages.tilePicker.tilePickerCursor, 77);
    EXPECT_EQ(ed->prompt.targetSector, -1);
    EXPECT_EQ(ed->prompt.targetWall, -1);
    EXPECT_EQ(ed->prompt.targetSprite, -1);
    for (const int32_t t : ed->tileCatalog.tileList) ASSERT_EQ(t, -1);
}

TEST_F(PageButtons, APressOnThePropertyBoxFocusesTheRowOrClosesTheBox) {
    struct Case {
        PropertyBoxKind kind;
        int32_t x, y;
        int32_t field;  // -1: the box closes
    };
    // The box at the view centre, one unit per pixel: the value columns start 84 and 212 pixels
    // right of it; the top row of a sector box is at 403, of a wall box at 379.
    const Case cases[] = {
        {PropertyBoxKind::Sector, 484, 405, 191}, {PropertyBoxKind::Sector, 527, 395, 192},
        {PropertyBoxKind::Sector, 612, 403, 203}, {PropertyBoxKind::Sector, 655, 323, 213},
        {PropertyBoxKind::Sector, 484, 300, -1},  {PropertyBoxKind::Sector, 528, 403, -1},
        {PropertyBoxKind::Sector, 484, 411, -1},  {PropertyBoxKind::Wall, 484, 379, 191},
        {PropertyBoxKind::Wall, 612, 379, 200},   {PropertyBoxKind::Wall, 612, 315, -1},
    };
    for (const Case& c : cases) {
        DispatchState d;
        d.propertyBoxKind = c.kind;
        ViewState view;
        view.viewOriginX = 0, view.viewOriginY = 0, view.viewZoom = 1;
        InputState in;
        in.mouseX = c.x, in.mouseY = c.y;
        int32_t field = 77;
        pressPropertyBox(d, view, in, field);
        EXPECT_EQ(field, c.field) << c.x << "," << c.y;
        EXPECT_EQ(d.propertyBoxKind, c.field < 0 ? PropertyBoxKind::None : c.kind) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace korvel::test
