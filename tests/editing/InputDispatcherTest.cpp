#include "editing/InputDispatcher.h"

#include <gtest/gtest.h>

#include <vector>

#include "pages/MessageBox.h"
#include "support/DispatchRig.h"
#include "support/LanguageFixture.h"
#include "support/MapBuilder.h"

namespace korvel {
namespace {

using test::DispatchRig;

constexpr int kLeft = 1, kShift = 16, kCtrl = 17, kAlt = 18;

// Puts a toolbar element into slot that exists on every page, under the pointer at (x, y). Its
// code (the profile pane's zoom) acts on the release and changes nothing these tests read.
void elementUnder(DispatchRig& r, int32_t slot, int32_t x, int32_t y, bool enabled) {
    ToolbarButton& b = r.ed->toolbar.toolbarButtons[size_t(slot)];
    b = {int16_t(x - 10), int16_t(y - 10), 129, kContextAlways, 0, uint8_t(enabled ? 1 : 0), 0};
}

// Opens menu 2 with one enabled item of the code under the pointer at (x, y).
void menuItemUnder(DispatchRig& r, int32_t code, int32_t x, int32_t y) {
    MenuState& m = r.ed->menus;
    m.openMenu = 2;
    m.menuBoxX = x - 20, m.menuBoxY = y - 20, m.menuBoxWidth = 100, m.menuBoxHeight = 40;
    m.menuItems[0] = {0, "", 2, code, 15};
    m.menuItemCount = 1;
    m.menuItemEnabled.fill(1);
}

TEST(InputDispatcher, APressAndItsReleaseOverAnItemThatActsOnTheRelease) {
    DispatchRig r;
    r.pointAt(400, 300);
    r.frame();
    // A press on the map, over toolbar slot 7 whose code acts on the release, with Alt going down.
    // Unsnapped, two pixels right of the centre at 16 units per pixel.
    r.ed->settings.snapToGrid = 0;
    elementUnder(r, 7, 402, 300, true);
    r.pointAt(402, 300);
    r.key(kLeft, true);
    r.key(kAlt, true);
    r.frame();
    EXPECT_EQ(r.ed->app.hoveredWidget, 7) << "the slot waits for the release";
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 1);
    EXPECT_EQ(r.ed->dispatch.areaAnchorX, 32);
    // The release acts on the slot and selects by area.
    r.ed->toolbar.hoveredElement = -1;
    r.key(kLeft, false);
    r.key(kAlt, false);
    r.frame();
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 0);
}

// Which view is hovered, by page, 3D state and pointer row.
TEST(InputDispatcher, TheHoveredViewFollowsThePageAndTheMapCross) {
    struct Case {
        Page page;
        uint8_t view3dState;
        int32_t mouseY;
        HoverView expected;
    };
    const Case cases[] = {
        {Page::PlanView, 0, 300, HoverView::Plan},
        {Page::PlanView, 0, 100, HoverView::None},
        {Page::PlanView, 0, 584, HoverView::None},
        {Page::SideView, 0, 300, HoverView::Side},
        {Page::View3D, 0, 300, HoverView::None},
        {Page::View3D, 1, 300, HoverView::Plan},
        {Page::View3D, 2, 300, HoverView::Plan},
        {Page::ProfileEditor, 0, 300, HoverView::None},
        {Page::FileBrowser, 0, 300, HoverView::None},
        {Page::RecordEditor, 0, 300, HoverView::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << int(c.page) << " state " << int(c.view3dState) << " y " << c.mouseY);
        DispatchRig r;
        r.ed->app.currentPage = r.ed->app.previousPage = c.page;
        r.ed->pages.view3d.view3dState = c.view3dState;
        r.pointAt(400, c.mouseY);
        r.frame();
        EXPECT_EQ(hoverViewOf(c.page, c.view3dState, r.ed->cursor.cursorShape), c.expected);
    }
    for (CursorShape shape : {CursorShape::Arrow, CursorShape::Busy, CursorShape::TextBeam})
        EXPECT_EQ(hoverViewOf(Page::PlanView, 0, shape), HoverView::None) << int(shape);
}

TEST(InputDispatcher, ModifierBytesFollowTheKeysOfThisFrame) {
    DispatchRig r;
    r.key(kShift, true);
    r.key(kAlt, true);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.shiftHeld, 1);
    EXPECT_EQ(r.ed->dispatch.ctrlHeld, 0);
    EXPECT_EQ(r.ed->dispatch.altHeld, 1);
    r.key(kShift, false);
    r.key(kCtrl, true);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.shiftHeld, 0);
    EXPECT_EQ(r.ed->dispatch.ctrlHeld, 1);
    EXPECT_EQ(r.ed->dispatch.altHeld, 1);
}

TEST(InputDispatcher, FrameTextsAreEmptiedAndAPageChangeDropsTheFocus) {
    DispatchRig r;
    r.ed->app.tooltipText = "old tip";
    r.ed->app.cursorLabel = "old label";
    r.ed->app.focusedField = 5;
    r.frame();
    EXPECT_EQ(r.ed->app.tooltipText, "");
    EXPECT_EQ(r.ed->app.cursorLabel, "");
    EXPECT_EQ(r.ed->app.focusedField, 5) << "the same page keeps its focus";
    r.ed->app.currentPage = Page::DisplayOptions;
    r.frame();
    EXPECT_EQ(r.ed->app.focusedField, -1);
}

TEST(InputDispatcher, TheUndoButtonFollowsTheUndoState) {
    DispatchRig r;
    r.frame();
    r.ed->app.redrawRequest = 0;
    r.ed->map.undoState = UndoState::Snapshot;
    r.frame();
    EXPECT_EQ(r.ed->toolbar.toolbarButtons[18].enabled, 1);
    EXPECT_EQ(r.ed->app.redrawRequest, 1);
    r.ed->app.redrawRequest = 0;
    r.frame();
    EXPECT_EQ(r.ed->app.redrawRequest, 0) << "no change, no redraw";
    r.ed->map.undoState = UndoState::Nothing;
    r.ed->app.redrawRequest = 2;
    r.frame();
    EXPECT_EQ(r.ed->toolbar.toolbarButtons[18].enabled, 0);
    EXPECT_EQ(r.ed->app.redrawRequest, 2) << "a full rebuild already asked for is kept";
}

TEST(InputDispatcher, APendingClickIsConsumedInOneFrame) {
    DispatchRig r;
    r.frame();
    r.ed->toolbar.toolbarButtons[30].enabled = 1;
    r.ed->dispatch.pendingClick = 1;
    r.ed->dispatch.pendingClickId = 30;
    r.frame();
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    EXPECT_EQ(r.ed->dispatch.pendingClick, 0);
    EXPECT_EQ(r.ed->toolbar.hoveredElement, -1);
    // A pending message-box answer is acted on by the release step: the box is left at once.
    r.ed->app.currentPage = Page::MessageBox;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::FullScreenFailed;
    r.ed->dispatch.pendingClick = 1;
    r.ed->dispatch.pendingClickId = MessageBoxResult::First;
    r.frame();
    EXPECT_EQ(r.ed->app.currentPage, Page::PlanView);
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    EXPECT_EQ(r.ed->dispatch.pendingClick, 0);
}

TEST(InputDispatcher, APressOnAnEnabledItemWaitsForItsRelease) {
    struct Case {
        int32_t element;
        bool enabled;
        int32_t widgetAfter;
    };
    const Case cases[] = {
        {800, false, 0},                   // a menu command acts on the press
        {12, true, 12},  {12, false, 0},   // a disabled item does nothing, not even at the release
        {-1, false, 0},  {900, false, 0},  // neither a slot nor a menu command
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        DispatchRig r;
        r.pointAt(400, 60);
        r.frame();
        if (c.element >= 768)
            menuItemUnder(r, c.element, 400, 60);
        else if (c.element >= 0)
            elementUnder(r, c.element, 400, 60, c.enabled);
        r.key(kLeft, true);
        r.frame();
        EXPECT_EQ(r.ed->app.hoveredWidget, c.widgetAfter);
        r.key(kLeft, false);
        r.frame();
        EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    }
}

TEST(InputDispatcher, MessageBoxAnswersArriveOnTheReleaseOrByEnter) {
    // By the mouse: the page's mouse handling names the button while it is held.
    DispatchRig r;
    r.pointAt(400, 340);
    r.frame();
    r.ed->app.currentPage = r.ed->app.previousPage = Page::MessageBox;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::ConfirmQuit;
    r.key(kLeft, true);
    r.frame();
    r.ed->app.hoveredWidget = MessageBoxResult::First;
    r.frame();
    EXPECT_EQ(r.ed->app.quitRequested, 0) << "nothing happens before the release";
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    r.key(kLeft, false);
    r.frame();
    EXPECT_EQ(r.ed->app.quitRequested, 1);
    EXPECT_EQ(r.ed->app.currentPage, Page::PlanView) << "the box is left";
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);

    // By Enter: a pending second answer, acted on by the release step alone: a new map without
    // saving.
    DispatchRig k;
    test::MapBuilder(k.ed->map).addRoom(0, 0, 512, 512);
    k.ed->map.mapModified = MapModifiedState::Modified;
    k.frame();
    k.ed->app.currentPage = Page::MessageBox;
    k.ed->pages.messageBox.messageBoxKind = MessageBoxKind::SaveBeforeNewMap;
    k.ed->dispatch.pendingClick = 1;
    k.ed->dispatch.pendingClickId = MessageBoxResult::Second;
    k.frame();
    EXPECT_EQ(k.ed->map.sectorCount, 0);
    EXPECT_EQ(k.ed->map.mapModified, MapModifiedState::Unmodified);
    EXPECT_EQ(k.ed->app.hoveredWidget, 0);
    EXPECT_EQ(k.ed->dispatch.pendingClick, 0);
}

TEST(InputDispatcher, AltAnchorsAnAreaSelectionOnTheMapViews) {
    // Anchored at the hit point when it goes down; released, the latch is spent.
    DispatchRig r;
    r.ed->settings.snapToGrid = 0;
    r.pointAt(404, 308);  // (64, -128) at 16 units per pixel
    r.frame();
    EXPECT_EQ(r.ed->hover.hitPointX, 64);
    EXPECT_EQ(r.ed->hover.hitPointY, -128);
    r.key(kAlt, true);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 1);
    EXPECT_EQ(r.ed->dispatch.areaAnchorX, 64);
    EXPECT_EQ(r.ed->dispatch.areaAnchorY, -128);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 1) << "held, nothing changes";
    r.key(kAlt, false);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 0);

    // In the side view the anchor is the position along the section and the height.
    // A section from (10, 20) along +x at one unit per pixel, unsnapped: the pointer 300 pixels
    // right of the centre and 256 above it is 300 along and at height -4096.
    DispatchRig s;
    s.ed->app.currentPage = s.ed->app.previousPage = Page::SideView;
    s.ed->settings.snapToGrid = 0;
    ViewState& v = s.ed->view;
    v.sideViewSubjectKind = SideViewSubjectKind::Section;
    v.sideViewX1 = 10, v.sideViewY1 = 20, v.sideViewX2 = 1010, v.sideViewY2 = 20;
    v.sideViewScale = 1;
    s.pointAt(700, 556);
    s.frame();
    s.key(kAlt, true);
    s.frame();
    EXPECT_EQ(s.ed->dispatch.areaAnchorX, 300);
    EXPECT_EQ(s.ed->dispatch.areaAnchorY, -4096);
    EXPECT_EQ(s.ed->dispatch.areaAnchorHitX, 310);
    EXPECT_EQ(s.ed->dispatch.areaAnchorHitY, 20);
    EXPECT_EQ(s.ed->dispatch.areaSelectLatch, 1);

    // On other pages Alt anchors nothing.
    DispatchRig o;
    o.ed->app.currentPage = o.ed->app.previousPage = Page::Search;
    o.frame();
    o.key(kAlt, true);
    o.frame();
    EXPECT_EQ(o.ed->dispatch.areaSelectLatch, 0);
}

TEST(InputDispatcher, TheLayoutChordSwitchesOnlyWhenUsedAlone) {
    struct Step {
        std::vector<int> down;
        int other;  // a key pressed in this frame as well, 0 none
    };
    struct Case {
        const char* what;
        uint8_t switchKeys;
        int32_t pluralRule;
        std::vector<Step> steps;
        uint8_t cyrillicAfter;
    };
    const Case cases[] = {
        {"Shift with Alt", 0, 1, {{{kShift, kAlt}, 0}, {{}, 0}}, 1},
        {"Shift held before Alt", 0, 1, {{{kShift}, 0}, {{kShift, kAlt}, 0}, {{}, 0}}, 1},
        {"Alt held before Shift", 0, 1, {{{kAlt}, 0}, {{kShift, kAlt}, 0}, {{}, 0}}, 1},
        {"Shift with Alt released one by one",
         0,
         1,
         {{{kShift, kAlt}, 0}, {{kShift}, 0}, {{}, 0}},
         1},
        {"Shift with Alt used for a key",
         0,
         1,
         {{{kShift, kAlt}, 0}, {{kShift, kAlt}, 65}, {{}, 0}},
         0},
        {"Shift with Ctrl", 1, 1, {{{kShift, kCtrl}, 0}, {{}, 0}}, 1},
        {"Shift with Alt in the Ctrl mode", 1, 1, {{{kShift, kAlt}, 0}, {{}, 0}}, 0},
        {"both Shift keys", 2, 1, {{{160, 161}, 0}, {{}, 0}}, 1},
        {"Shift alone in the both-Shift mode", 2, 1, {{{kShift}, 0}, {{}, 0}}, 0},
        {"an unknown mode", 7, 1, {{{kShift, kAlt}, 0}, {{}, 0}}, 0},
        {"a language without the second layout", 0, 0, {{{kShift, kAlt}, 0}, {{}, 0}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DispatchRig r;
        r.ed->langs = test::languageWith({}, c.pluralRule);
        r.ed->settings.layoutSwitchKeys = c.switchKeys;
        r.frame();
        for (const Step& s : c.steps) {
            for (int k : {kShift, kCtrl, kAlt, 160, 161, 65}) r.key(k, false);
            for (int k : s.down) r.key(k, true);
            if (s.other) r.key(s.other, true);
            r.frame();
        }
        EXPECT_EQ(r.ed->input.cyrillicKeyboard, c.cyrillicAfter);
        EXPECT_EQ(r.ed->dispatch.modifierChordState, 0);
    }
}

TEST(InputDispatcher, ABusyCursorStaysBusyForTheFrame) {
    DispatchRig r;
    r.pointAt(400, 300);
    r.ed->cursor.cursorShape = CursorShape::Busy;
    r.ed->menus.menuHasMouse = 1;
    r.frame();
    EXPECT_EQ(r.ed->cursor.cursorShape, CursorShape::Busy);
    EXPECT_EQ(r.ed->cursor.cursorColor, 72);
    EXPECT_EQ(r.ed->menus.menuHasMouse, 1) << "the whole shape step is skipped";
    EXPECT_EQ(hoverViewOf(Page::PlanView, 0, r.ed->cursor.cursorShape), HoverView::None)
        << "no map cross, no hover";
}

TEST(InputDispatcher, HoversAreForgottenEveryFrame) {
    DispatchRig r;
    r.ed->app.currentPage = r.ed->app.previousPage = Page::Search;
    r.ed->hover.hoveredVertex = 3;
    r.ed->hover.hoveredSprite = 4;
    r.ed->hover.hoveredSector = 5;
    r.ed->hover.hoveredWall = 6;
    r.frame();
    EXPECT_EQ(r.ed->hover.hoveredVertex, -1);
    EXPECT_EQ(r.ed->hover.hoveredSprite, -1);
    EXPECT_EQ(r.ed->hover.hoveredSector, -1);
    EXPECT_EQ(r.ed->hover.hoveredWall, -1);
}

TEST(InputDispatcher, AMenuClickIgnoresTheHeldButtonUntilItsRelease) {
    DispatchRig r;
    r.pointAt(400, 300);
    r.frame();
    r.ed->dispatch.ignoreMousePress = 1;
    r.key(kLeft, true);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.ignoreMousePress, 1) << "held, still ignored";
    r.key(kLeft, false);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.ignoreMousePress, 0);
}

}  // namespace
}  // namespace korvel
