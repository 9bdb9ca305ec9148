#include "editing/WindowChrome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "pages/MessageBox.h"
#include "support/DispatchRig.h"
#include "support/LanguageFixture.h"

namespace korvel {
namespace {

using test::DispatchRig;
using test::Trace;

constexpr int kLeft = 1;

// Menu titles "File" at x 10 and "Edit" at x 60 (each hit from x - 4 to x + 36), no third.
Languages chromeLanguage(int32_t pluralRule = 0) {
    Languages langs = test::languageWith(
        {{353, "File"}, {354, "Edit"}, {1194, "Settings saved"}, {1400, "Settings not written"}},
        pluralRule);
    langs.languages[0].positions[353] = {10, 588};
    langs.languages[0].positions[354] = {60, 588};
    return langs;
}

struct ChromeRig : DispatchRig {
    ChromeRig(int32_t pluralRule = 0) {
        ed->langs = chromeLanguage(pluralRule);
        pointAt(400, 300);
        frame();
    }
    // A click: the press frame, then the release frame; the traces of both.
    Trace click(int32_t x, int32_t y) {
        pointAt(x, y);
        key(kLeft, true);
        Trace t = frame();
        key(kLeft, false);
        const Trace release = frame();
        t.insert(t.end(), release.begin(), release.end());
        return t;
    }
    // Only the press frame (a button still held from before is released first).
    Trace press(int32_t x, int32_t y) {
        if (keyIsDown(platform->keyState(kLeft))) {
            key(kLeft, false);
            frame();
        }
        pointAt(x, y);
        key(kLeft, true);
        return frame();
    }
};

int count(const Trace& t, const std::string& name) {
    return int(std::count(t.begin(), t.end(), name));
}

TEST(WindowChrome, MenuTitlesOpenCloseAndSwitchMenus) {
    ChromeRig r;
    MenuState& m = r.ed->menus;
    Trace t = r.click(6, 590);
    EXPECT_EQ(m.openMenu, 1);
    EXPECT_EQ(count(t, "drawOpenMenu"), 1);
    EXPECT_EQ(count(t, "cue discont"), 1);
    EXPECT_EQ(r.ed->app.hoveredWidget, 0) << "a title starts no window drag";
    r.click(46, 597);
    EXPECT_EQ(m.openMenu, 0) << "the same title closes it";
    r.click(20, 586);
    r.click(96, 590);
    EXPECT_EQ(m.openMenu, 2) << "another title switches";
    // Between the titles and beside the last one the strip is only the title strip.
    for (int32_t x : {5, 47, 55, 97, 400}) {
        r.ed->menus.openMenu = 0;
        t = r.press(x, 590);
        EXPECT_EQ(m.openMenu, 0) << x;
        EXPECT_EQ(count(t, "drawOpenMenu"), 0) << x;
    }
    // Rows 586..597 only.
    for (int32_t y : {585, 598}) {
        t = r.press(20, y);
        EXPECT_EQ(count(t, "drawOpenMenu"), 0) << y;
    }
}

TEST(WindowChrome, APressOutsideTheOpenMenuClosesIt) {
    ChromeRig r;
    MenuState& m = r.ed->menus;
    m.menuBoxX = 10;
    m.menuBoxY = 300;
    m.menuBoxWidth = 200;
    m.menuBoxHeight = 280;
    m.openMenu = 1;
    Trace t = r.press(210, 580);
    EXPECT_EQ(m.openMenu, 1) << "inside the box (edges included)";
    t = r.press(400, 300);
    EXPECT_EQ(m.openMenu, 0);
    EXPECT_EQ(count(t, "cue discont"), 0);
    EXPECT_EQ(count(t, "pressInMap"), 1) << "the press still reaches the map";
}

TEST(WindowChrome, TheTopBarButtonsAndTheMessageHistoryButton) {
    struct Case {
        int32_t x, y;
        int32_t pluralRule;
        int32_t widget;  // hoveredWidget after the press
        uint8_t cyrillic;
    };
    const Case cases[] = {
        {757, 590, 1, 0, 1},   {771, 597, 1, 0, 1},   {757, 590, 0, 514, 0}, {774, 586, 0, 512, 0},
        {785, 590, 0, 512, 0}, {786, 590, 0, 513, 0}, {797, 590, 0, 513, 0}, {798, 590, 0, 514, 0},
        {700, 584, 0, 514, 0}, {785, 101, 0, 515, 0}, {795, 111, 0, 515, 0}, {796, 111, 0, 0, 0},
        {790, 112, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " rule " << c.pluralRule);
        ChromeRig r(c.pluralRule);
        r.press(c.x, c.y);
        EXPECT_EQ(r.ed->app.hoveredWidget, c.widget);
        EXPECT_EQ(r.ed->input.cyrillicKeyboard, c.cyrillic);
        if (c.widget == 514) {
            EXPECT_EQ(r.ed->dispatch.panelDragMouseX, c.x);
            EXPECT_EQ(r.ed->dispatch.panelDragMouseY, c.y);
        }
    }
}

TEST(WindowChrome, TheTitleStripIsDraggedWhileHeldAndDoesNothingOnRelease) {
    ChromeRig r;
    r.pointAt(300, 590);
    r.key(kLeft, true);
    r.frame();
    const Trace held = r.frame();
    EXPECT_EQ(count(held, "dragWindowByTitle"), 1);
    EXPECT_EQ(r.ed->app.hoveredWidget, 514);
    r.key(kLeft, false);
    const Trace release = r.frame();
    EXPECT_EQ(count(release, "releasePageButton"), 0);
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
}

TEST(WindowChrome, APressOnThePropertyBoxGoesToTheBox) {
    ChromeRig r;
    r.ed->dispatch.propertyBoxKind = 3;
    r.ed->view.viewZoom = 16;
    EXPECT_EQ(count(r.press(500, 350), "pressPropertyBox"), 1);
    EXPECT_EQ(count(r.press(300, 350), "pressPropertyBox"), 0);
}

TEST(WindowChrome, ReleasesActOnTheWidgetPressed) {
    struct Case {
        int32_t widget;
        Trace calls;  // the calls and cues of the release frame, in order
    };
    const Case cases[] = {
        {100, {"releaseUiItem"}},
        {512, {"cue beep2"}},
        {513, {"quitCommand"}},
        {514, {}},
        {515, {"cue command"}},
        {8002, {"cue command"}},
        {8005, {"cue command"}},
        {11010, {"saveConfig", "cue beep2"}},
        {26009, {}},
        {2001, {"releasePageButton"}},
        {12002, {"releasePageButton"}},
    };
    const Trace frameCalls = {"hitTestToolbarAndMenu", "processPanelMouse",    "hoverPlanView",
                              "updatePanelSubject",    "buildToolPreview",     "commitDrag",
                              "stepViewMotion",        "typeIntoFocusedField", "processKeys",
                              "stepViewGlide"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widget);
        ChromeRig r;
        r.ed->particles.screenEffectFrame = 200;
        r.key(kLeft, true);
        r.frame();
        r.ed->app.hoveredWidget = c.widget;
        r.key(kLeft, false);
        Trace got;
        for (const std::string& n : r.frame())
            if (std::find(frameCalls.begin(), frameCalls.end(), n) == frameCalls.end())
                got.push_back(n);
        EXPECT_EQ(got, c.calls);
        EXPECT_EQ(r.ed->app.hoveredWidget, 0);
        switch (c.widget) {
            case 512:
                EXPECT_EQ(r.platform->windowState(), WindowState::Minimised);
                break;
            case 515:
                EXPECT_EQ(r.ed->app.messageLogAnim, 0);
                break;
            case 8002:
                EXPECT_EQ(r.ed->app.deferredAction, DeferredAction::RebuildGammaRemap);
                EXPECT_EQ(r.ed->cursor.cursorShape, CursorShape::Busy);
                break;
            case 8005:
                EXPECT_EQ(r.ed->particles.screenEffectFrame, 0);
                break;
            case 11010:
                EXPECT_EQ(r.ed->app.statusText, "Settings saved");
                break;
            case 26009:
                EXPECT_EQ(r.ed->app.deferredAction, DeferredAction::RunScript);
                EXPECT_EQ(r.ed->cursor.cursorShape, CursorShape::Busy);
                break;
            default:
                break;
        }
    }
}

TEST(WindowChrome, TheMessageHistoryButtonOpensAndClosesThePanel) {
    ChromeRig r;
    r.click(790, 105);
    EXPECT_EQ(r.ed->app.messageLogAnim, 0);
    r.ed->app.messageLogAnim = 32;  // fully open
    r.click(790, 105);
    EXPECT_EQ(r.ed->app.messageLogAnim, -1);
}

TEST(WindowChrome, SettingsThatCouldNotBeWrittenAreNotReportedSaved) {
    ChromeRig r;
    r.configSaves = false;
    r.key(kLeft, true);
    r.frame();
    r.ed->app.hoveredWidget = 11010;
    r.key(kLeft, false);
    const Trace t = r.frame();
    EXPECT_EQ(r.ed->app.statusText, "Settings not written");
    EXPECT_EQ(count(t, "cue beep2"), 1);
}

TEST(WindowChrome, QuittingFromTheButtonGoesThroughTheQuitCommand) {
    ChromeRig r;
    const Trace t = r.click(790, 590);
    EXPECT_EQ(count(t, "quitCommand"), 1);
    EXPECT_EQ(r.ed->app.quitRequested, 0) << "the command asks first";
}

}  // namespace
}  // namespace korvel
