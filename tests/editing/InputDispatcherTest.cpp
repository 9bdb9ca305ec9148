#include "editing/InputDispatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "pages/MessageBox.h"
#include "support/DispatchRig.h"
#include "support/LanguageFixture.h"

namespace korvel {
namespace {

using test::DispatchRig;
using test::Trace;

constexpr int kLeft = 1, kShift = 16, kCtrl = 17, kAlt = 18;

Trace without(Trace t, const std::string& name) {
    t.erase(std::remove(t.begin(), t.end(), name), t.end());
    return t;
}

TEST(InputDispatcher, StepsRunInTheirOrderOverAPressAndItsRelease) {
    DispatchRig r;
    r.pointAt(400, 300);
    r.frame();
    // A press on the map, over toolbar slot 7 whose code acts on the release, with Alt going down.
    r.ed->toolbar.toolbarButtons[7].enabled = 1;
    r.hoverElement = 7;
    r.key(kLeft, true);
    r.key(kAlt, true);
    EXPECT_EQ(r.frame(),
              (Trace{"hitTestToolbarAndMenu", "processPanelMouse", "hoverPlanView",
                     "updatePanelSubject", "pressInMap", "pressUiItem 7", "rebuildToolbar",
                     "dragToolHandles", "dragHeightSlider", "dragWindowByTitle", "buildToolPreview",
                     "stepViewMotion", "typeIntoFocusedField", "processKeys", "stepViewGlide"}));
    EXPECT_EQ(r.ed->app.hoveredWidget, 7);
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 1);
    // The release acts on the slot before this frame's hovers, commits the drag and selects.
    r.hoverElement = -1;
    r.key(kLeft, false);
    r.key(kAlt, false);
    EXPECT_EQ(r.frame(),
              (Trace{"hitTestToolbarAndMenu", "releaseUiItem", "processPanelMouse", "hoverPlanView",
                     "updatePanelSubject", "buildToolPreview", "commitDrag", "stepViewMotion",
                     "typeIntoFocusedField", "selectByArea", "processKeys", "stepViewGlide"}));
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 0);
}

// Which page-bound steps run, by page, 3D state, pointer row and prompt.
TEST(InputDispatcher, PageBoundStepsRunOnlyWhereTheyBelong) {
    struct Case {
        Page page;
        uint8_t view3dState;
        int32_t mouseY;
        int32_t promptKind;
        Trace expected;
    };
    const Trace tail = {"buildToolPreview", "stepViewMotion"};
    const Case cases[] = {
        {Page::PlanView, 0, 300, 0, {"hoverPlanView", "typeIntoFocusedField", "processKeys"}},
        {Page::PlanView, 0, 100, 0, {"typeIntoFocusedField", "processKeys"}},
        {Page::PlanView, 0, 584, 0, {"typeIntoFocusedField", "processKeys"}},
        {Page::SideView, 0, 300, 0, {"hoverSideView", "typeIntoFocusedField", "processKeys"}},
        {Page::View3D, 0, 300, 0, {"typeIntoFocusedField", "processKeys"}},
        {Page::View3D, 1, 300, 0, {"hoverPlanView", "typeIntoFocusedField", "processKeys"}},
        {Page::View3D, 2, 300, 0, {"hoverPlanView", "typeIntoFocusedField", "processKeys"}},
        {Page::ProfileEditor,
         0,
         300,
         0,
         {"editProfilePanel", "typeIntoFocusedField", "processKeys"}},
        {Page::FileBrowser, 0, 300, 0, {"typeIntoFocusedField", "readTypedText", "processKeys"}},
        {Page::RecordEditor, 0, 300, 0, {"typeIntoFocusedField", "processKeys"}},
        // While a value prompt is open only the prompt takes the keys.
        {Page::PlanView, 0, 300, 16, {"hoverPlanView", "valuePromptKeys"}},
        {Page::RecordEditor, 0, 300, 1, {"valuePromptKeys"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.page) << " state " << int(c.view3dState) << " y "
                                          << c.mouseY << " prompt " << c.promptKind);
        DispatchRig r;
        r.ed->app.currentPage = r.ed->app.previousPage = c.page;
        r.ed->pages.view3d.view3dState = c.view3dState;
        r.ed->prompt.promptKind = c.promptKind;
        r.pointAt(400, c.mouseY);
        Trace got = r.frame();
        Trace expected = {"hitTestToolbarAndMenu", "processPanelMouse"};
        for (const std::string& name : c.expected)
            if (name == "editProfilePanel" || name.rfind("hover", 0) == 0) expected.push_back(name);
        expected.push_back("updatePanelSubject");
        expected.insert(expected.end(), tail.begin(), tail.end());
        for (const std::string& name : c.expected)
            if (name != "editProfilePanel" && name.rfind("hover", 0) != 0) expected.push_back(name);
        expected.push_back("stepViewGlide");
        EXPECT_EQ(got, expected);
    }
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

TEST(InputDispatcher, APendingClickIsReleasedAndPressedInOneFrame) {
    DispatchRig r;
    r.frame();
    r.ed->toolbar.toolbarButtons[30].enabled = 1;
    r.ed->dispatch.pendingClick = 1;
    r.ed->dispatch.pendingClickId = 30;
    const Trace t = r.frame();
    const auto at = [&](const std::string& name) {
        return std::find(t.begin(), t.end(), name) - t.begin();
    };
    ASSERT_LT(at("releaseUiItem"), int(t.size()));
    EXPECT_LT(at("releaseUiItem"), at("pressUiItem 30"));
    EXPECT_LT(at("pressUiItem 30"), at("rebuildToolbar"));
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    EXPECT_EQ(r.ed->dispatch.pendingClick, 0);
    EXPECT_EQ(r.ed->toolbar.hoveredElement, -1);
    // Consumed: the next frame does neither.
    const Trace next = r.frame();
    EXPECT_EQ(std::count(next.begin(), next.end(), "releaseUiItem"), 0);
    EXPECT_EQ(std::count(next.begin(), next.end(), "pressUiItem 30"), 0);
}

TEST(InputDispatcher, APressGoesToTheMenuTheEnabledItemOrNowhere) {
    struct Case {
        int32_t element;
        bool enabled;
        bool pressActs;
        Trace calls;
        int32_t widgetAfter;
    };
    const Case cases[] = {
        {800, false, false, {"runMenuCommand"}, 0},
        {12, true, true, {"pressUiItem 12", "rebuildToolbar"}, 0},
        {12, true, false, {"pressUiItem 12", "rebuildToolbar"}, 12},
        {12, false, false, {}, 0},  // a disabled item does nothing, not even at the release
        {-1, false, false, {}, 0},
        {300, false, false, {}, 0},  // neither a slot nor a menu command
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        DispatchRig r;
        r.pointAt(400, 60);
        r.frame();
        r.ed->toolbar.toolbarButtons[12].enabled = c.enabled ? 1 : 0;
        r.hoverElement = c.element;
        r.pressActs = c.pressActs;
        r.key(kLeft, true);
        Trace t = r.frame();
        Trace got;
        for (const std::string& n : t)
            if (n == "runMenuCommand" || n.rfind("pressUiItem", 0) == 0 || n == "rebuildToolbar")
                got.push_back(n);
        EXPECT_EQ(got, c.calls);
        EXPECT_EQ(r.ed->app.hoveredWidget, c.widgetAfter);
        r.key(kLeft, false);
        t = r.frame();
        EXPECT_EQ(std::count(t.begin(), t.end(), "releaseUiItem"), c.widgetAfter != 0 ? 1 : 0);
    }
}

TEST(InputDispatcher, MessageBoxAnswersArriveOnTheReleaseOrByEnter) {
    // By the mouse: the page's mouse handling names the button on the press.
    DispatchRig r;
    r.pointAt(400, 340);
    r.frame();
    r.ed->app.currentPage = r.ed->app.previousPage = Page::MessageBox;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::ConfirmQuit;
    r.onPanelMouse = [](Editor& e) {
        if (e.input.keyStates[1] < 0 && e.input.keyStates[257] >= 0)
            e.app.hoveredWidget = MessageBoxResult::First;
    };
    r.key(kLeft, true);
    r.frame();
    EXPECT_EQ(r.ed->app.quitRequested, 0) << "nothing happens before the release";
    r.key(kLeft, false);
    const Trace t = r.frame();
    EXPECT_EQ(r.ed->app.quitRequested, 1);
    EXPECT_EQ(std::count(t.begin(), t.end(), "popPage"), 1);
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);

    // By Enter: a pending first answer, acted on by the release step alone.
    DispatchRig k;
    k.frame();
    k.ed->app.currentPage = Page::MessageBox;
    k.ed->pages.messageBox.messageBoxKind = MessageBoxKind::SaveBeforeNewMap;
    k.ed->dispatch.pendingClick = 1;
    k.ed->dispatch.pendingClickId = MessageBoxResult::Second;
    const Trace enter = k.frame();
    EXPECT_EQ(std::count(enter.begin(), enter.end(), "resetMap"), 1);
    EXPECT_EQ(std::count(enter.begin(), enter.end(), "runMenuCommand"), 0);
    EXPECT_EQ(k.ed->app.hoveredWidget, 0);
    EXPECT_EQ(k.ed->dispatch.pendingClick, 0);

    // A command run again by the second answer sees that answer, so it does not ask again.
    DispatchRig o;
    o.frame();
    o.ed->app.currentPage = Page::MessageBox;
    o.ed->pages.messageBox.messageBoxKind = MessageBoxKind::SaveBeforeOpenMap;
    int32_t seen = 0;
    o.ed->calls.openMapBrowser = [&seen](Editor& e) { seen = e.app.hoveredWidget; };
    o.ed->dispatch.pendingClick = 1;
    o.ed->dispatch.pendingClickId = MessageBoxResult::Second;
    o.frame();
    EXPECT_EQ(seen, MessageBoxResult::Second);
    EXPECT_EQ(o.ed->app.hoveredWidget, 0);
}

TEST(InputDispatcher, AltSelectsByAreaUnlessAKeyCommandUsedIt) {
    // Plain Alt: anchored at the hit point when it goes down, selects when it comes up.
    DispatchRig r;
    r.pointAt(400, 300);
    r.frame();
    r.ed->hover.hitPointX = 64;
    r.ed->hover.hitPointY = -128;
    r.key(kAlt, true);
    r.frame();
    EXPECT_EQ(r.ed->dispatch.areaSelectLatch, 1);
    EXPECT_EQ(r.ed->dispatch.areaAnchorX, 64);
    EXPECT_EQ(r.ed->dispatch.areaAnchorY, -128);
    r.frame();
    r.key(kAlt, false);
    Trace t = r.frame();
    EXPECT_EQ(std::count(t.begin(), t.end(), "selectByArea"), 1);

    // Alt as the modifier of a command: the command clears the latch, so nothing is selected.
    DispatchRig c;
    c.frame();
    c.onProcessKeys = [](Editor& e) {
        if (e.input.keyPressed[90]) e.dispatch.areaSelectLatch = 0;
    };
    c.key(kAlt, true);
    c.frame();
    c.key(90, true);
    c.frame();
    c.key(90, false);
    c.key(kAlt, false);
    t = c.frame();
    EXPECT_EQ(std::count(t.begin(), t.end(), "selectByArea"), 0);

    // In the side view the anchor is the position along the section and the height.
    DispatchRig s;
    s.ed->app.currentPage = s.ed->app.previousPage = Page::SideView;
    s.frame();
    s.ed->hover.sideHitPos = 300;
    s.ed->hover.hitPointZ = -4096;
    s.ed->hover.hitPointX = 10;
    s.ed->hover.hitPointY = 20;
    s.key(kAlt, true);
    s.frame();
    EXPECT_EQ(s.ed->dispatch.areaAnchorX, 300);
    EXPECT_EQ(s.ed->dispatch.areaAnchorY, -4096);
    EXPECT_EQ(s.ed->dispatch.areaAnchorHitX, 10);
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

TEST(InputDispatcher, TheFileBrowserJumpsToTheFirstTypedLetterInUpperCase) {
    DispatchRig r;
    FileBrowserState& b = r.ed->pages.fileBrowser;
    b.browserFocus = 1;
    b.browserFileCount = 3;
    b.browserFiles[0] = "ALPHA.MAP";
    b.browserFiles[1] = "BETA.MAP";
    b.browserFiles[2] = "GAMMA.MAP";
    r.ed->app.currentPage = r.ed->app.previousPage = Page::FileBrowser;
    r.typed = "gb";
    r.frame();
    EXPECT_EQ(b.browserFileCursor, 2);
    r.typed = "";
    r.frame();
    EXPECT_EQ(b.browserFileCursor, 2) << "nothing typed, nothing moves";
}

TEST(InputDispatcher, ABusyCursorStaysBusyForTheFrame) {
    DispatchRig r;
    r.pointAt(400, 300);
    r.ed->cursor.cursorShape = CursorShape::Busy;
    r.ed->menus.menuHasMouse = 1;
    const Trace t = r.frame();
    EXPECT_EQ(r.ed->cursor.cursorShape, CursorShape::Busy);
    EXPECT_EQ(r.ed->cursor.cursorColor, 72);
    EXPECT_EQ(r.ed->menus.menuHasMouse, 1) << "the whole shape step is skipped";
    EXPECT_EQ(std::count(t.begin(), t.end(), "hoverPlanView"), 0) << "no map cross, no hover";
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
    Trace t = without(r.frame(), "hitTestToolbarAndMenu");
    EXPECT_EQ(std::count(t.begin(), t.end(), "dragToolHandles"), 0);
    r.key(kLeft, false);
    t = r.frame();
    EXPECT_EQ(r.ed->dispatch.ignoreMousePress, 0);
    EXPECT_EQ(std::count(t.begin(), t.end(), "commitDrag"), 1);
}

}  // namespace
}  // namespace korvel
