#include "commands/PageCommands.h"

#include <gtest/gtest.h>

#include "app/Editor.h"
#include "commands/PageStack.h"
#include "map/GeometryQueries.h"
#include "support/EditorRig.h"
#include "support/MapBuilder.h"
#include "support/NumberedMessages.h"

namespace korvel::test {
namespace {

// A bare editor (no start-up) on two rooms side by side sharing the wall x = 256, whose
// messages read "#<number>".
struct PageRig : EditorRig {
    PageRig() : EditorRig("", false) {
        ed->langs = numberedMessages();
        MapBuilder b(ed->map);
        b.addRoom(0, 0, 256, 256);
        b.addRoom(256, 0, 512, 256);
        b.link();
        ed->map.sectors[0].floorz = 8192;
        ed->map.sectors[0].ceilingz = -8192;
    }
    const std::string& status() const { return ed->app.statusText; }
};

TEST(PageCommands, CamerasOfTheTwo3DKeys) {
    PageRig r;
    Editor& ed = *r.ed;
    ed.map.startX = 100;
    ed.map.startY = 200;
    ed.map.startZ = -300;
    ed.map.startAngle = 512;
    enterWalkView(ed);
    const View3DState& v = ed.pages.view3d;
    EXPECT_EQ(ed.app.currentPage, Page::View3D);
    EXPECT_EQ((std::array{v.camX, v.camY, v.camZ, v.camAngle}),
              (std::array<double, 4>{100, 200, -300, 512}));
    EXPECT_EQ(v.view3dState, 1);

    const struct {
        int32_t sector;
        double camZ;
    } cases[] = {{0, 8192 - 6144}, {-1, 0}, {99, 0}};
    for (const auto& c : cases) {
        ed.hover.hoveredSector = c.sector;
        ed.hover.hitPointX = 64;
        ed.hover.hitPointY = 32;
        ed.pages.view3d.camAngle = 100;
        ed.pages.view3d.view3dValid = 1;
        ed.dispatch.areaSelectLatch = 1;
        enter3DView(ed);
        EXPECT_EQ(v.camZ, c.camZ) << c.sector;
        EXPECT_EQ(v.camX, 64);
        EXPECT_EQ(v.camY, 32);
        EXPECT_EQ(v.camAngle, 0);
        EXPECT_EQ(v.view3dState, 0);
        EXPECT_EQ(v.view3dValid, 0);
        EXPECT_EQ(ed.dispatch.areaSelectLatch, 0);
    }
}

TEST(PageCommands, OtherWallSideTwiceReturnsToTheFirstSide) {
    PageRig r;
    Editor& ed = *r.ed;
    ed.app.currentPage = Page::SideView;
    ed.view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    int32_t shared = -1;
    for (int32_t w = 0; w < ed.map.wallCount; ++w)
        if (ed.map.walls[size_t(w)].nextwall >= 0 && ed.map.wallSector[size_t(w)] == 0) shared = w;
    ASSERT_GE(shared, 0);
    ed.view.sideViewSubject = shared;
    const int32_t twin = ed.map.walls[size_t(shared)].nextwall;
    gotoOtherWallSide(ed);
    EXPECT_EQ(ed.view.sideViewSubject, twin);
    EXPECT_EQ(ed.view.sideViewX1, ed.map.walls[size_t(twin)].x);
    EXPECT_EQ(ed.view.sideViewY1, ed.map.walls[size_t(twin)].y);
    gotoOtherWallSide(ed);
    EXPECT_EQ(ed.view.sideViewSubject, shared);
    EXPECT_EQ(ed.view.sideViewX2, ed.map.walls[size_t(twin)].x);

    // A one-sided wall, or a subject past the walls, does nothing.
    for (const int32_t subject : {0, 1000000, -5}) {
        if (subject == 0 && ed.map.walls[0].nextwall >= 0) continue;
        ed.view.sideViewSubject = subject;
        gotoOtherWallSide(ed);
        EXPECT_EQ(ed.view.sideViewSubject, subject);
    }
}

TEST(PageCommands, ArrayDialogCentresOnTheSelectedSprites) {
    PageRig r;
    Editor& ed = *r.ed;
    MapBuilder b(ed.map);
    b.addSprite(10, 20, -101, 0);
    b.addSprite(110, 60, 300, 0);
    b.addSprite(400, 200, 5000, 1);  // not selected
    openSpriteArrayDialog(ed);
    EXPECT_EQ(ed.app.currentPage, Page::PlanView) << "nothing selected";
    ed.map.spriteSelected[0] = ed.map.spriteSelected[1] = 1;
    ed.map.selectedSpriteCount = 2;
    ed.app.currentPage = Page::HelpViewer;
    openSpriteArrayDialog(ed);
    EXPECT_EQ(ed.app.currentPage, Page::HelpViewer) << "refused above the side view";
    ed.app.currentPage = Page::SideView;
    openSpriteArrayDialog(ed);
    EXPECT_EQ(ed.app.currentPage, Page::ArrayTool);
    const ArrayToolState& a = ed.pages.arrayTool;
    EXPECT_EQ(a.arrayCenterZ, 99);  // (-101 + 300) / 2 toward zero
    EXPECT_EQ(a.arrayCenterX, 60);
    EXPECT_EQ(a.arrayCenterY, 40);
}

TEST(PageCommands, PropertyBoxGrabOrderBySelectionMode) {
    PageRig r;
    Editor& ed = *r.ed;
    MapBuilder(ed.map).addSprite(50, 60, 0, 0);
    HoverState& h = ed.hover;
    h.hoveredSector = 0;
    h.hoveredWall = 2;
    h.hoveredSprite = 0;
    h.mouseMapX = 7;
    h.mouseMapY = 8;
    h.hoverWallPointX = 9;
    h.hoverWallPointY = 10;
    const struct {
        SelectionMode mode;
        PropertyBoxKind kind;
        int32_t x;
    } cases[] = {
        {SelectionMode::Walls, PropertyBoxKind::Wall, 9},
        {SelectionMode::Loops, PropertyBoxKind::Wall, 9},
        {SelectionMode::Sectors, PropertyBoxKind::Sector, 7},
        {SelectionMode::Sprites, PropertyBoxKind::Sprite, 50},
        {SelectionMode::Vertices, PropertyBoxKind::Sprite, 50},
        {SelectionMode::BooleanTarget, PropertyBoxKind::None, 0},
        {SelectionMode::AreaSettings, PropertyBoxKind::None, 0},
    };
    for (const auto& c : cases) {
        ed.dispatch.propertyBoxKind = PropertyBoxKind::None;
        ed.dispatch.propertyBoxX = 0;
        ed.tool.selectionMode = c.mode;
        showPropertyBox(ed);
        EXPECT_EQ(ed.dispatch.propertyBoxKind, c.kind) << int(c.mode);
        EXPECT_EQ(ed.dispatch.propertyBoxX, c.x) << int(c.mode);
    }
    // Without a hovered sprite the walls mode falls through to the sector only after the wall.
    h.hoveredSprite = -1;
    h.hoveredWall = -1;
    ed.tool.selectionMode = SelectionMode::Walls;
    showPropertyBox(ed);
    EXPECT_EQ(ed.dispatch.propertyBoxKind, PropertyBoxKind::Sector);
}

TEST(PageCommands, ArrowsInTheFileBrowserHelpViewerAndTilePicker) {
    PageRig r;
    Editor& ed = *r.ed;
    FileBrowserState& fb = ed.pages.fileBrowser;
    ed.app.currentPage = Page::FileBrowser;
    fb.browserFocus = 1;
    fb.browserFileCount = 40;
    fb.browserFileCursor = 31;
    navigateDown(ed);
    EXPECT_EQ(fb.browserFileCursor, 32);
    EXPECT_EQ(fb.browserFileTop, 1);
    fb.browserFileCursor = 39;
    navigateDown(ed);
    EXPECT_EQ(fb.browserFileCursor, 39);
    fb.browserFileCursor = 1;
    navigateUp(ed);
    EXPECT_EQ(fb.browserFileTop, 0);
    navigateNext(ed);
    EXPECT_EQ(fb.browserFocus, 0);

    // The help viewer scrolls within 0 .. max(0, height - 256); the heights stand for a topic
    // whose layout the repaint keeps.
    ed.app.currentPage = Page::HelpViewer;
    ed.calls.renderHelpTopic = [](Editor&) {};
    const struct {
        int32_t height, scroll;
        bool down;
        int32_t after;
    } help[] = {{1000, 0, true, 12},  {1000, 740, true, 744}, {1000, 744, true, 744},
                {100, 0, true, 0},    {1000, 5, false, 0},    {1000, 0, false, 0},
                {0, 50, false, 0}};
    for (const auto& c : help) {
        ed.help.documentHeight = c.height;
        ed.help.documentScroll = c.scroll;
        c.down ? navigateDown(ed) : navigateUp(ed);
        EXPECT_EQ(ed.help.documentScroll, c.after) << c.height << " " << c.scroll;
    }

    // The tile picker's list mode stops at the terminator; the all-tiles mode at the last tile.
    ed.app.currentPage = Page::TilePicker;
    std::vector<int32_t>& list = ed.tileCatalog.tileList;
    std::fill(list.begin(), list.end(), -1);
    for (int32_t i = 0; i < 15; ++i) list[size_t(i)] = 100 + i;
    TilePickerState& t = ed.pages.tilePicker;
    t.tilePickerShowAll = 0;
    t.tilePickerCursor = 3;
    navigateDown(ed);
    EXPECT_EQ(t.tilePickerCursor, 3) << "entry 15 is the terminator";
    t.tilePickerCursor = 2;
    navigateDown(ed);
    EXPECT_EQ(t.tilePickerCursor, 14);
    navigateNext(ed);
    EXPECT_EQ(t.tilePickerCursor, 14);
    navigateUp(ed);
    EXPECT_EQ(t.tilePickerCursor, 2);
    navigateUp(ed);
    EXPECT_EQ(t.tilePickerCursor, 2);
    t.tilePickerShowAll = 1;
    t.tilePickerCursor = 15359;
    navigateNext(ed);
    EXPECT_EQ(t.tilePickerCursor, 15359);
    // Every entry in use: the cursor never reads past the list.
    std::fill(list.begin(), list.end(), 7);
    t.tilePickerShowAll = 0;
    t.tilePickerCursor = int32_t(list.size()) - 1;
    navigateNext(ed);
    navigateDown(ed);
    EXPECT_EQ(t.tilePickerCursor, int32_t(list.size()) - 1);
}

TEST(PageCommands, MenusTakeOnlyLeftAndRight) {
    PageRig r;
    Editor& ed = *r.ed;
    const struct {
        uint8_t open;
        void (*key)(Editor&);
        uint8_t after;
    } cases[] = {{6, navigateNext, 1}, {1, navigatePrevious, 6}, {3, navigateNext, 4},
                 {3, navigateUp, 3},   {3, navigateDown, 3}};
    ed.app.currentPage = Page::FileBrowser;
    for (const auto& c : cases) {
        ed.menus.openMenu = c.open;
        ed.pages.fileBrowser.browserFocus = 0;
        c.key(ed);
        EXPECT_EQ(ed.menus.openMenu, c.after);
        EXPECT_EQ(ed.pages.fileBrowser.browserFocus, 0) << "the page under an open menu";
    }
    ed.menus.openMenu = 0;
    toggleMenuBar(ed);
    EXPECT_EQ(ed.menus.openMenu, 1);
    toggleMenuBar(ed);
    EXPECT_EQ(ed.menus.openMenu, 0);
}

TEST(PageCommands, SwitchesAndTheirMessages) {
    PageRig r;
    Editor& ed = *r.ed;
    ed.tool.selAreaMode = 0;
    toggleAreaSelectShape(ed);
    EXPECT_EQ(r.status(), "#1187");
    toggleAreaSelectShape(ed);
    EXPECT_EQ(r.status(), "#1186");
    EXPECT_EQ(ed.tool.selAreaMode, 0);

    // L: on the map pages and the shaded 3D plans; elsewhere only when forced.
    const struct {
        Page page;
        uint8_t state3d;
        int32_t force;
        bool toggles;
    } snap[] = {{Page::PlanView, 0, 0, true},  {Page::SideView, 0, 0, true},
                {Page::View3D, 1, 0, true},    {Page::View3D, 0, 0, false},
                {Page::HelpViewer, 0, 0, false}, {Page::HelpViewer, 0, 1, true}};
    for (const auto& c : snap) {
        ed.app.currentPage = c.page;
        ed.pages.view3d.view3dState = c.state3d;
        ed.settings.snapToGrid = 1;
        ed.app.statusText.clear();
        toggleSnapToGrid(ed, c.force);
        EXPECT_EQ(ed.settings.snapToGrid, c.toggles ? 0 : 1) << int(c.page);
        EXPECT_EQ(r.status(), c.toggles ? "#85" : "") << int(c.page);
    }
    ed.app.currentPage = Page::PlanView;
    toggleSnapToGrid(ed, 0);
    EXPECT_EQ(r.status(), "#84");
}

TEST(PageCommands, FullScreenOnlyWhenTheDisplayAgrees) {
    for (const bool refuse : {false, true}) {
        PageRig r;
        Editor& ed = *r.ed;
        ed.settings.fullScreen = 0;
        r.platform->refuseDisplayModes(refuse);
        toggleFullscreen(ed);
        EXPECT_EQ(ed.settings.fullScreen, refuse ? 0 : 1);
        EXPECT_EQ(r.status(), refuse ? "" : "#185");
        if (refuse) {
            EXPECT_EQ(ed.app.pendingMessageBox.has_value() || ed.app.currentPage == Page::MessageBox,
                      true);
            continue;
        }
        EXPECT_EQ(r.platform->windowState(), WindowState::Maximised);
        toggleFullscreen(ed);
        EXPECT_EQ(ed.settings.fullScreen, 0);
        EXPECT_EQ(r.status(), "#186");
        EXPECT_EQ(r.platform->windowState(), WindowState::Normal);
    }
}

TEST(PageCommands, EscapeLeavesPagesAndCancelsTools) {
    PageRig r;
    Editor& ed = *r.ed;
    cancelAction(ed);
    EXPECT_EQ(ed.app.currentPage, Page::PlanView) << "nothing to cancel";
    ed.tool.currentTool = Tool::AffineGrid;
    ed.settings.affineGridMode = 1;
    ed.app.helpPopupStep = 3;
    cancelAction(ed);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_EQ(ed.settings.affineGridMode, 0);
    EXPECT_EQ(ed.app.helpPopupStep, -1);
    ed.app.currentPage = Page::Search;
    cancelAction(ed);
    EXPECT_EQ(ed.app.currentPage, Page::PlanView);
}

}  // namespace
}  // namespace korvel::test
