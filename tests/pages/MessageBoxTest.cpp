#include "pages/MessageBox.h"

#include <gtest/gtest.h>

#include <map>

#include "app/MapFileCommands.h"
#include "support/EditorRig.h"
#include "support/LanguageFixture.h"

namespace korvel {
namespace {

using test::EditorRig;
using test::recordOnly;
using test::Trace;

std::map<int32_t, std::string> boxTexts() {
    return {{344, "Quit?"},
            {345, "Save first?"},
            {346, "Reload?"},
            {347, "Save, quit?"},
            {348, "No full screen."},
            {349, "Odd version."},
            {350, "Replace?"},
            {1324, "Delete &1?"},
            {428, "OK"},
            {429, "Yes"},
            {430, "No"},
            {431, "Cancel"},
            {252, "saved"},
            {1309, "not saved"},
            {1296, "demo saved"},
            {314, "load failed"},
            {315, "loaded &1"}};
}

// An editor whose font draws every glyph as a 5-pixel-wide block, with a blend table that makes
// the darkened body recognisable, and every call the answers make recorded.
struct BoxRig : EditorRig {
    Trace trace;
    bool saveSucceeds = true;

    BoxRig() : EditorRig("", false) {
        ed->langs = test::languageWith(boxTexts());
        std::fill(ed->fonts.font8x11Widths.begin(), ed->fonts.font8x11Widths.end(), 5);
        for (int a = 0; a < 256; ++a)
            ed->colorTables.blendTable[size_t(a) * 256 + 16] = uint8_t(a + 100);
        EditorCalls& c = ed->calls;
        for (const auto& [call, name] :
             std::initializer_list<std::pair<EditorCalls::Step*, const char*>>{
                 {&c.popPage, "popPage"},
                 {&c.resetMap, "resetMap"},
                 {&c.openMapBrowser, "openMapBrowser"},
                 {&c.restoreAutosave, "restoreAutosave"},
                 {&c.startDemoRecording, "startDemoRecording"},
                 {&c.deleteScript, "deleteScript"},
             })
            recordOnly(*call, trace, name);
        c.saveCurrentMap = [this](Editor& e) {
            trace.push_back("saveCurrentMap");
            if (saveSucceeds) e.map.mapModified = MapModifiedState::Unmodified;
        };
        c.saveMap = [this](Editor&, const std::string& path, bool) {
            trace.push_back("saveMap " + path);
            return saveSucceeds;
        };
        c.saveDemo = [this](Editor&, const std::string& path) {
            trace.push_back("saveDemo " + path);
        };
        c.loadMap = [this](Editor&, const std::string& path, bool) {
            trace.push_back("loadMap " + path);
        };
        c.playSound = [this](Editor&, const std::string& cue, int32_t) {
            trace.push_back("cue " + cue);
        };
    }
    uint8_t px(int32_t x, int32_t y) { return screenView(ed->frameBuffer).at(x, y); }
    void fill(uint8_t v) {
        std::fill(ed->frameBuffer.screen.begin(), ed->frameBuffer.screen.end(), v);
    }
};

TEST(MessageBox, OpeningPlaysTheCueAndShowsThePage) {
    BoxRig r;
    r.ed->pages.messageBox.messageBoxStep = 9;
    openMessageBox(*r.ed, MessageBoxKind::ConfirmRevert);
    EXPECT_EQ(r.trace, Trace{"cue message1"});
    EXPECT_EQ(r.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxKind, MessageBoxKind::ConfirmRevert);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 0);
}

TEST(MessageBox, KindsTheirMessagesAndButtons) {
    const int32_t messages[] = {344, 345, 345, 346, 347, 345, 345, 348, 349, 350, 350, 345, 1324};
    const int32_t buttons[] = {2, 3, 3, 2, 3, 3, 3, 1, 1, 2, 2, 3, 2};
    for (int32_t k = 0; k < int32_t(std::size(messages)); ++k) {
        EXPECT_EQ(messageBoxMessage(MessageBoxKind(k)), messages[k]) << k;
        EXPECT_EQ(messageBoxButtons(MessageBoxKind(k)), buttons[k]) << k;
    }
    EXPECT_EQ(messageBoxButtons(MessageBoxKind(99)), 1);
    EXPECT_EQ(messageBoxMessage(MessageBoxKind(-1)), 0);
}

TEST(MessageBox, GrowsFromTheCentreThenShowsTextAndButtons) {
    BoxRig r;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::SaveBeforeQuit;  // three buttons
    r.ed->pages.messageBox.messageBoxStep = 0;
    r.fill(1);
    drawMessageBox(*r.ed);
    EXPECT_EQ(r.px(400, 356), 20) << "at step 0 the box is one point";
    EXPECT_EQ(r.px(399, 356), 1);
    EXPECT_EQ(r.px(400, 357), 1);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 1);

    r.ed->pages.messageBox.messageBoxStep = 16;
    r.fill(1);
    drawMessageBox(*r.ed);
    // A short text with three buttons: 448 pixels wide.
    EXPECT_EQ(r.px(176, 316), 20);
    EXPECT_EQ(r.px(624, 396), 20);
    EXPECT_EQ(r.px(175, 350), 1);
    EXPECT_EQ(r.px(625, 350), 1);
    EXPECT_EQ(r.px(177, 320), 101) << "the body is darkened through the blend table";
    // Buttons at 192, 336 and 480, outlined.
    for (int32_t x : {192, 320, 336, 464, 480, 608}) EXPECT_EQ(r.px(x, 344), 20) << x;
    EXPECT_EQ(r.px(200, 344), 101);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 16);

    r.ed->app.hoveredWidget = MessageBoxResult::Second;
    r.fill(1);
    drawMessageBox(*r.ed);
    EXPECT_EQ(r.px(340, 344), 20) << "the pressed button is filled";
    EXPECT_EQ(r.px(200, 344), 101);
}

TEST(MessageBox, StepFifteenDrawsEverything) {
    BoxRig r;
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::FullScreenFailed;
    r.ed->pages.messageBox.messageBoxStep = 15;
    r.fill(1);
    drawMessageBox(*r.ed);
    EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 16);
    // One button at 336..464, outlined, at fifteen sixteenths of the box.
    EXPECT_EQ(r.px(336, 344), 20);
    EXPECT_EQ(r.px(464, 344), 20);
}

TEST(MessageBox, WideTextsWidenTheBoxAndAreCutAtTheScreen) {
    struct Case {
        int32_t chars;
        int32_t left;  // where the box's left column lands, or -1 when off the screen
    };
    for (const Case c : {Case{50, 400 - (50 * 6 - 1 + 32) / 2}, Case{400, -1}}) {
        SCOPED_TRACE(c.chars);
        BoxRig r;
        r.ed->langs.languages[0].texts[344] = std::string(size_t(c.chars), 'w');
        r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::ConfirmQuit;
        r.ed->pages.messageBox.messageBoxStep = 16;
        r.fill(1);
        drawMessageBox(*r.ed);
        if (c.left >= 0) {
            EXPECT_EQ(r.px(c.left, 350), 20);
            EXPECT_EQ(r.px(c.left - 1, 350), 1);
        } else {
            EXPECT_EQ(r.px(0, 350), 101);
            EXPECT_EQ(r.px(799, 350), 101);
        }
    }
}

TEST(MessageBox, AnswersCarryOutWhatTheKindMeans) {
    using K = MessageBoxKind;
    constexpr int32_t F = MessageBoxResult::First, S = MessageBoxResult::Second,
                      T = MessageBoxResult::Third;
    struct Case {
        K kind;
        int32_t answer;
        Trace calls;  // after popPage
        bool quits;
    };
    const std::string prompt = "/prog/new.map";
    const Case cases[] = {
        {K::ConfirmQuit, F, {}, true},
        {K::ConfirmQuit, S, {}, false},
        {K::SaveBeforeNewMap, F, {"saveCurrentMap", "resetMap"}, false},
        {K::SaveBeforeNewMap, S, {"resetMap"}, false},
        {K::SaveBeforeNewMap, T, {}, false},
        {K::SaveBeforeOpenRecent, F, {"saveCurrentMap", "loadMap /maps/r2.map"}, false},
        {K::SaveBeforeOpenRecent, S, {"loadMap /maps/r2.map"}, false},
        {K::ConfirmRevert, F, {"loadMap /maps/cur.map"}, false},
        {K::ConfirmRevert, S, {}, false},
        {K::SaveBeforeQuit, F, {"saveCurrentMap"}, true},
        {K::SaveBeforeQuit, S, {}, true},
        {K::SaveBeforeQuit, T, {}, false},
        {K::SaveBeforeOpenMap, F, {"saveCurrentMap", "openMapBrowser"}, false},
        {K::SaveBeforeOpenMap, S, {"openMapBrowser"}, false},
        {K::SaveBeforeRestoreAutosave, F, {"saveCurrentMap", "restoreAutosave"}, false},
        {K::SaveBeforeRestoreAutosave, S, {"restoreAutosave"}, false},
        {K::FullScreenFailed, F, {}, false},
        {K::UnsupportedMapVersion, F, {}, false},
        {K::ConfirmOverwriteMap, F, {"saveMap " + prompt, "cue pyro"}, false},
        {K::ConfirmOverwriteMap, S, {}, false},
        {K::ConfirmOverwriteDemo, F, {"saveDemo " + prompt, "cue pyro"}, false},
        {K::SaveBeforeRecording, F, {"saveCurrentMap", "startDemoRecording"}, false},
        {K::SaveBeforeRecording, S, {"startDemoRecording"}, false},
        {K::ConfirmDeleteScript, F, {"deleteScript"}, false},
        {K::ConfirmDeleteScript, S, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.kind) << " " << c.answer);
        BoxRig r;
        r.platform = std::make_unique<HeadlessPlatform>("/prog");
        r.ed->app.platform = r.platform.get();
        r.ed->prompt.promptInput = "new.map";
        r.ed->mapFile.mapPath = "/maps/cur.map";
        r.ed->mapFile.recentFiles[2] = "/maps/r2.map";
        r.ed->mapFile.mapLoadFailed = 2;
        r.ed->map.mapModified = MapModifiedState::Modified;
        r.ed->pages.messageBox.messageBoxKind = c.kind;
        r.ed->app.hoveredWidget = c.answer;
        answerMessageBox(*r.ed, c.answer);
        Trace expected{"popPage"};
        expected.insert(expected.end(), c.calls.begin(), c.calls.end());
        EXPECT_EQ(r.trace, expected);
        EXPECT_EQ(r.ed->app.quitRequested, c.quits);
        EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    }
}

// The name typed into the file-name prompt is the one the overwrite answer saves under.
TEST(MessageBox, OverwritingSavesUnderTheNameInTheFileNamePrompt) {
    BoxRig r;
    r.platform = std::make_unique<HeadlessPlatform>("/prog");
    r.ed->app.platform = r.platform.get();
    r.ed->mapFile.mapTitle = "castle.map";
    promptSaveMapAs(*r.ed);
    r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::ConfirmOverwriteMap;
    answerMessageBox(*r.ed, MessageBoxResult::First);
    EXPECT_EQ(r.trace, (Trace{"popPage", "saveMap /prog/castle.map", "cue pyro"}));
}

TEST(MessageBox, NothingThatDropsTheMapFollowsASaveThatDidNotSave) {
    using K = MessageBoxKind;
    for (K kind : {K::SaveBeforeNewMap, K::SaveBeforeOpenRecent, K::SaveBeforeQuit,
                   K::SaveBeforeOpenMap, K::SaveBeforeRestoreAutosave, K::SaveBeforeRecording}) {
        for (bool promptOpened : {false, true}) {
            SCOPED_TRACE(::testing::Message()
                         << int(kind) << (promptOpened ? " prompt" : " failed"));
            BoxRig r;
            r.saveSucceeds = promptOpened;
            if (promptOpened)
                r.ed->calls.saveCurrentMap = [&](Editor& e) {
                    r.trace.push_back("saveCurrentMap");
                    e.prompt.promptKind = 16;
                };
            r.ed->mapFile.recentFiles[0] = "/maps/r.map";
            r.ed->mapFile.mapLoadFailed = 0;
            r.ed->map.mapModified = MapModifiedState::Modified;
            r.ed->pages.messageBox.messageBoxKind = kind;
            answerMessageBox(*r.ed, MessageBoxResult::First);
            EXPECT_EQ(r.trace, (Trace{"popPage", "saveCurrentMap"}));
            EXPECT_EQ(r.ed->app.quitRequested, 0);
        }
    }
    BoxRig r;
    r.saveSucceeds = false;
    r.ed->pages.messageBox.messageBoxKind = K::ConfirmOverwriteMap;
    answerMessageBox(*r.ed, MessageBoxResult::First);
    EXPECT_EQ(r.ed->app.statusText, "not saved");
    EXPECT_EQ(r.trace.back(), "cue beep2");
}

TEST(MessageBox, AnswersLeaveTheThreeDViewLikeTheDispatcherDoes) {
    for (int32_t answer : {MessageBoxResult::First, MessageBoxResult::Second}) {
        BoxRig r;
        r.ed->calls.popPage = [&](Editor& e) {
            r.trace.push_back("popPage");
            e.app.currentPage = Page::View3D;
        };
        r.ed->pages.messageBox.messageBoxKind = MessageBoxKind::FullScreenFailed;
        answerMessageBox(*r.ed, answer);
        if (answer == MessageBoxResult::First) {
            EXPECT_EQ(r.trace, Trace{"popPage"});
            EXPECT_EQ(r.ed->app.currentPage, Page::PlanView);
        } else {
            EXPECT_EQ(r.trace, (Trace{"popPage", "popPage"}));
        }
    }
    BoxRig r;
    answerMessageBox(*r.ed, 1234);
    EXPECT_TRUE(r.trace.empty()) << "no button, no answer";
}

TEST(MessageBox, ClosingTheWindowAsksBeforeLosingAModifiedMap) {
    BoxRig r;
    requestQuitFromWindow(*r.ed);
    EXPECT_EQ(r.ed->app.quitRequested, 1);
    EXPECT_TRUE(r.ed->input.closeRequested);

    BoxRig m;
    m.ed->map.mapModified = MapModifiedState::Modified;
    requestQuitFromWindow(*m.ed);
    EXPECT_EQ(m.ed->app.quitRequested, 0);
    EXPECT_EQ(m.ed->app.currentPage, Page::MessageBox);
    EXPECT_EQ(m.ed->pages.messageBox.messageBoxKind, MessageBoxKind::SaveBeforeQuit);
    m.ed->pages.messageBox.messageBoxStep = 12;
    requestQuitFromWindow(*m.ed);
    EXPECT_EQ(m.trace, Trace{"cue message1"}) << "a second close does not ask again";
    EXPECT_EQ(m.ed->pages.messageBox.messageBoxStep, 12);
    answerMessageBox(*m.ed, MessageBoxResult::Second);
    EXPECT_EQ(m.ed->app.quitRequested, 1);
}

// With the program's own calls: a box that is answered is left, so that a refused full-screen
// switch or a cancelled quit never strands the editor on the message box.
TEST(MessageBox, AnsweredBoxGivesTheViewBack) {
    const struct {
        MessageBoxKind kind;
        int32_t answer;
    } cases[] = {
        {MessageBoxKind::FullScreenFailed, MessageBoxResult::First},
        {MessageBoxKind::SaveBeforeQuit, MessageBoxResult::Third},
        {MessageBoxKind::ConfirmQuit, MessageBoxResult::Second},
    };
    for (const auto& c : cases) {
        EditorRig rig("", false);
        rig.ed->map.mapModified = MapModifiedState::Modified;
        openMessageBox(*rig.ed, c.kind);
        ASSERT_EQ(rig.ed->app.currentPage, Page::MessageBox);
        rig.ed->app.hoveredWidget = c.answer;
        answerMessageBox(*rig.ed, c.answer);
        EXPECT_EQ(rig.ed->app.currentPage, Page::PlanView) << int(c.kind);
        EXPECT_EQ(rig.ed->app.quitRequested, 0) << int(c.kind);
        EXPECT_EQ(rig.ed->map.mapModified, MapModifiedState::Modified) << int(c.kind);
    }
}

}  // namespace
}  // namespace korvel
