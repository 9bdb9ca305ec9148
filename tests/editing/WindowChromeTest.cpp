#include "editing/WindowChrome.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "pages/MessageBox.h"
#include "support/DispatchRig.h"
#include "support/LanguageFixture.h"

namespace korvel {
namespace {

using test::DispatchRig;
using Cues = std::vector<std::string>;

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
    // A click: the press frame, then the release frame; the cues of both.
    Cues click(int32_t x, int32_t y) {
        pointAt(x, y);
        key(kLeft, true);
        Cues t = frame();
        key(kLeft, false);
        const Cues release = frame();
        t.insert(t.end(), release.begin(), release.end());
        return t;
    }
    // Only the press frame (a button still held from before is released first).
    Cues press(int32_t x, int32_t y) {
        if (keyIsDown(platform->keyState(kLeft))) {
            key(kLeft, false);
            frame();
        }
        pointAt(x, y);
        key(kLeft, true);
        return frame();
    }
};

int count(const Cues& t, const std::string& name) {
    return int(std::count(t.begin(), t.end(), name));
}

TEST(WindowChrome, MenuTitlesOpenCloseAndSwitchMenus) {
    ChromeRig r;
    MenuState& m = r.ed->menus;
    Cues t = r.click(6, 590);
    EXPECT_EQ(m.openMenu, 1);
    EXPECT_EQ(t, Cues{"discont.wav"}) << "the menu is drawn with its cue";
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
        EXPECT_EQ(count(t, "discont.wav"), 0) << x;
    }
    // Rows 586..597 only.
    for (int32_t y : {585, 598}) {
        t = r.press(20, y);
        EXPECT_EQ(m.openMenu, 0) << y;
        EXPECT_EQ(count(t, "discont.wav"), 0) << y;
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
    r.press(210, 580);
    EXPECT_EQ(m.openMenu, 1) << "inside the box (edges included)";
    const Cues t = r.press(400, 300);
    EXPECT_EQ(m.openMenu, 0);
    EXPECT_EQ(count(t, "discont.wav"), 0);
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
    r.frame();
    EXPECT_EQ(r.ed->app.hoveredWidget, 514) << "held, the strip stays grabbed";
    r.key(kLeft, false);
    EXPECT_TRUE(r.frame().empty());
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    EXPECT_EQ(r.platform->windowState(), WindowState::Normal);
}

TEST(WindowChrome, TheWindowFollowsTheTitleDragExceptInFullScreen) {
    for (const bool fullScreen : {false, true}) {
        SCOPED_TRACE(fullScreen);
        ChromeRig r;
        r.ed->settings.fullScreen = fullScreen ? 1 : 0;
        r.press(300, 590);
        r.frame();  // held still: no move
        r.pointAt(310, 585);
        r.frame();
        r.pointAt(290, 595);
        r.frame();
        r.key(kLeft, false);
        r.frame();
        r.pointAt(200, 580);
        r.frame();  // released: the pointer alone moves nothing
        const std::vector<PointerPos> want{{10, 5}, {-10, -5}};
        EXPECT_EQ(r.platform->windowMoves(), fullScreen ? std::vector<PointerPos>{} : want);
    }
}

TEST(WindowChrome, APressOnThePropertyBoxGoesToTheBox) {
    ChromeRig r;
    r.ed->dispatch.propertyBoxKind = PropertyBoxKind::Sprite;
    r.ed->view.viewZoom = 16;
    r.press(500, 350);
    EXPECT_EQ(r.ed->dispatch.propertyBoxShown, 1);
    EXPECT_EQ(r.ed->app.hoveredWidget, 0) << "the box is no window chrome to release";
    r.press(300, 350);
    EXPECT_EQ(r.ed->dispatch.propertyBoxShown, 0);
}

TEST(WindowChrome, ReleasesActOnTheWidgetPressed) {
    struct Case {
        int32_t widget;
        Cues cues;  // the cues of the release frame, in order
    };
    const Case cases[] = {
        {100, {}},
        {512, {"beep2.wav"}},
        {513, {"message1.wav"}},  // the quit button asks
        {514, {}},
        {515, {"command.wav"}},
        {8002, {"command.wav"}},
        {8005, {"command.wav"}},
        {11010, {"beep2.wav"}},
        {26009, {}},
        {2001, {"command.wav"}},                 // the record editor applies
        {12002, {"command.wav", "command.wav"}},  // the selection's cue, then the button's
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widget);
        ChromeRig r;
        r.dir.makeFolder("KorvelD");
        r.ed->particles.screenEffectFrame = 200;
        r.key(kLeft, true);
        r.frame();
        r.ed->app.hoveredWidget = c.widget;
        r.key(kLeft, false);
        EXPECT_EQ(r.frame(), c.cues);
        EXPECT_EQ(r.ed->app.hoveredWidget, 0);
        EXPECT_EQ(r.platform->windowState(),
                  c.widget == 512 ? WindowState::Minimised : WindowState::Normal);
        EXPECT_EQ(r.ed->app.messageLogAnim, c.widget == 515 ? 0 : -1);
        EXPECT_EQ(r.ed->particles.screenEffectFrame, c.widget == 8005 ? 0 : 200);
        EXPECT_EQ(r.ed->app.quitRequested, 0) << "the quit button asks first";
        const DeferredAction deferred = c.widget == 8002    ? DeferredAction::RebuildGammaRemap
                                        : c.widget == 26009 ? DeferredAction::RunScript
                                                            : DeferredAction::None;
        EXPECT_EQ(r.ed->app.deferredAction, deferred);
        EXPECT_EQ(r.ed->cursor.cursorShape == CursorShape::Busy, deferred != DeferredAction::None);
        EXPECT_EQ(r.dir.exists("KorvelD/korvel.cfg"), c.widget == 11010);
        EXPECT_EQ(r.ed->app.statusText, c.widget == 11010 ? "Settings saved" : "");
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
    ChromeRig r;  // no data folder to write into
    r.key(kLeft, true);
    r.frame();
    r.ed->app.hoveredWidget = 11010;
    r.key(kLeft, false);
    EXPECT_EQ(r.frame(), Cues{"beep2.wav"});
    EXPECT_EQ(r.ed->app.statusText, "Settings not written");
}

TEST(WindowChrome, QuittingFromTheButtonGoesThroughTheQuitCommand) {
    ChromeRig r;
    r.ed->map.mapModified = MapModifiedState::Modified;
    r.click(790, 590);
    EXPECT_EQ(r.ed->app.quitRequested, 0) << "the command asks first";
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
}

}  // namespace
}  // namespace korvel
