// A script written and run as the user does it: whole frames on the headless platform, the
// script page opened and the text typed with the keys, the run started with Alt+E.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "base/MessageNumbers.h"
#include "pages/MessageBox.h"
#include "support/CommandRig.h"
#include "ui/Languages.h"

namespace korvel::test {
namespace {

constexpr int kEnterKey = 13;

struct ScriptRig : CommandRig {
    std::string roomBytes;  // the map as loaded, with one sprite

    ScriptRig() {
        ed->particles.screenEffectFrame = 200;
        auto room = std::make_unique<MapStore>();
        MapBuilder b(*room);
        b.addRoom(0, 0, 1024, 1024);
        b.addSprite(512, 512, 0, 0);
        b.link();
        roomBytes = serializeMap(*room);
        loadMap(*ed, dir.write("sprite.map", roomBytes), false);
        EXPECT_EQ(ed->map.spriteCount, 1);
    }
    // Lower-case letters, digits and blanks, as typed without Shift.
    void type(const std::string& text) {
        for (char c : text) press({c >= 'a' && c <= 'z' ? c - 'a' + 'A' : int(c)});
    }
    std::string message(int32_t n) const { return getMessage(n, ed->langs); }
    // The run button of the script page: pressed and released with the pointer on it.
    void clickRun() {
        const WidgetState& w = ed->widgets;
        const WidgetPushButton* run = nullptr;
        for (int32_t i = 0; i < w.pushButtonCount; ++i)
            if (w.pushButtons[size_t(i)].id == 26009) run = &w.pushButtons[size_t(i)];
        ASSERT_NE(run, nullptr);
        // Button rows count from the bottom; the pointer's from the top.
        platform->setPointer((run->x1 + run->x2) / 2, 599 - (run->y1 + run->y2) / 2);
        runFrame(*ed);
        for (const bool down : {true, false}) {
            platform->setKeyDown(kLeftButton, down);
            runFrame(*ed);
        }
        runFrame(*ed);
    }
    void openScriptPage() { press({kCtrlKey, 'W'}); }
    // Button i (0 the first) of an open three-button message box, once it has opened.
    void clickBoxButton(int32_t i) {
        for (int32_t f = 0; f < 17; ++f) runFrame(*ed);
        platform->setPointer(408 - 3 * 72 + i * 144 + 64, 599 - 344);
        runFrame(*ed);
        for (const bool down : {true, false}) {
            platform->setKeyDown(kLeftButton, down);
            runFrame(*ed);
        }
        runFrame(*ed);
    }
};

TEST(ScriptEndToEnd, TypedScriptRunsInOneUndoStepAndRunsAgain) {
    ScriptRig r;
    Editor& ed = *r.ed;
    r.openScriptPage();
    ASSERT_EQ(ed.app.currentPage, Page::ScriptEditor);
    const std::string name = ed.pages.scriptEditor.scriptName;
    r.type("setsprite 0 lotag 7");
    r.press({kEnterKey});
    EXPECT_EQ(ed.pages.scriptEditor.scriptText, "setsprite 0 lotag 7\r\n");

    r.clickRun();
    EXPECT_EQ(ed.app.currentPage, Page::PlanView);
    EXPECT_EQ(ed.map.sprites[0].lotag, 7);
    EXPECT_EQ(ed.app.statusText, r.message(kMsgScriptFinished));
    EXPECT_EQ(r.dir.read("KorvelD/" + name + ".kvs"), "setsprite 0 lotag 7\r\n");

    r.press({kCtrlKey, 'Z'});
    EXPECT_EQ(serializeMap(ed.map), r.roomBytes) << "one undo step gives the map back";

    r.press({kAltKey, 'E'});
    EXPECT_EQ(ed.map.sprites[0].lotag, 7) << "Alt+E runs the current script again";
}

// A script that empties the map asks first on a modified map: the third answer leaves all as
// it was, the second runs the script.
TEST(ScriptEndToEnd, ResetOnAModifiedMapAsksFirst) {
    ScriptRig r;
    Editor& ed = *r.ed;
    r.openScriptPage();
    r.type("resetmap");
    ed.map.sprites[0].lotag = 3;
    ed.map.mapModified = MapModifiedState::Modified;
    const std::string modified = serializeMap(ed.map);

    r.clickRun();
    ASSERT_EQ(ed.app.currentPage, Page::MessageBox);
    EXPECT_EQ(ed.pages.messageBox.messageBoxKind, MessageBoxKind::SaveBeforeScriptReset);
    r.clickBoxButton(2);
    EXPECT_NE(ed.app.currentPage, Page::MessageBox);
    EXPECT_EQ(serializeMap(ed.map), modified);
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::Modified);

    r.press({kAltKey, 'E'});
    ASSERT_EQ(ed.app.currentPage, Page::MessageBox) << "Alt+E runs the saved script";
    r.clickBoxButton(1);
    EXPECT_EQ(ed.map.spriteCount, 0);
    EXPECT_EQ(ed.map.sectorCount, 0);
    EXPECT_EQ(ed.map.mapModified, MapModifiedState::Modified) << "a run ends marked modified";
}

}  // namespace
}  // namespace korvel::test
