#include "app/PageChanges.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/ChromeRig.h"
#include "views/ViewBackdrop.h"

namespace korvel {
namespace {

using test::ChromeRig;
using test::Trace;

struct PageChange : ChromeRig {
    Trace trace;
    PageChange() {
        EditorCalls& c = ed->calls;
        test::recordOnly(c.pushPage, trace, "pushPage");
        test::recordOnly(c.saveScript, trace, "saveScript");
        test::recordAndCall(c.layoutWidgets, trace, "layoutWidgets");
        test::recordOnly(c.refreshScriptList, trace, "refreshScriptList");
        test::recordOnly(c.drawModePanel, trace, "drawModePanel");
    }
    void change(Page from, Page to) {
        trace.clear();
        ed->app.previousPage = from;
        ed->app.currentPage = to;
        onPageChanged(*ed);
    }
    bool called(const std::string& name) const {
        return std::find(trace.begin(), trace.end(), name) != trace.end();
    }
};

TEST(PageChanges, PushRule) {
    struct Case {
        Page from, to;
        uint8_t flagBefore;
        bool pushed;
        int32_t depthAfter;
    };
    const Case cases[] = {
        {Page::PlanView, Page::WallLighting, 0, false, 0},  // leaving 0..4 empties the stack
        {Page::SideView, Page::RecordEditor, 0, true, 0},   // ... but returns to the side view
        {Page::SideView, Page::TilePicker, 1, true, 0},
        {Page::SideView, Page::WallLighting, 0, false, 0},
        {Page::ProblemList, Page::RecordEditor, 0, false, 0},
        {Page::WallLighting, Page::DrivePicker, 0, true, 3},
        {Page::WallLighting, Page::DrivePicker, 1, false, 3},  // a return through Back
        {Page::DisplayOptions, Page::DisplayOptions, 0, false, 3},  // a redraw
    };
    for (const Case& c : cases) {
        PageChange p;
        p.ed->app.modeStackDepth = 3;
        p.ed->app.redrawAfterModeChange = c.flagBefore;
        p.change(c.from, c.to);
        EXPECT_EQ(p.called("pushPage"), c.pushed) << int(c.from) << " -> " << int(c.to);
        EXPECT_EQ(p.ed->app.modeStackDepth, c.depthAfter) << int(c.from) << " -> " << int(c.to);
        EXPECT_EQ(p.ed->app.redrawAfterModeChange, 0);
        EXPECT_EQ(p.ed->app.focusedField, -1);
        EXPECT_TRUE(p.called("drawModePanel"));
    }
}

TEST(PageChanges, BackdropServiceByPageLeftAndEntered) {
    struct Case {
        Page from, to;
        char service;  // c cleared, s smoothed, t tinted, k kept
    };
    const Case cases[] = {
        {Page::WallLighting, Page::PlanView, 'c'}, {Page::View3D, Page::SideView, 'c'},
        {Page::View3D, Page::MessageBox, 's'},     {Page::PlanView, Page::Search, 't'},
        {Page::SideView, Page::Search, 't'},       {Page::MessageBox, Page::Search, 't'},
        {Page::Search, Page::WallLighting, 'k'},   {Page::View3D, Page::Search, 'k'},
    };
    for (const Case& c : cases) {
        PageChange p;
        FrameBuffer& fb = p.ed->frameBuffer;
        p.clearScreen(0);
        for (size_t i = 0; i < fb.screen.size(); ++i) fb.screen[i] = uint8_t(i * 7 % 251);
        std::fill(fb.viewBackdrop.begin(), fb.viewBackdrop.end(), uint8_t(33));
        FrameBuffer want;
        want.screen = fb.screen;
        want.viewBackdrop = fb.viewBackdrop;
        const ColorTables& ct = p.ed->colorTables;
        if (c.service == 'c') clearViewBuffer(want);
        if (c.service == 's') smoothViewBuffer(want, ct);
        if (c.service == 't') copyViewThroughTable(want, ct);
        p.change(c.from, c.to);
        EXPECT_TRUE(fb.viewBackdrop == want.viewBackdrop) << int(c.from) << " -> " << int(c.to);
        // The backdrop shows in the background's view area.
        EXPECT_EQ(backgroundView(fb).at(400, 128 + 200), fb.viewBackdrop[200 * 800 + 400]);
    }
}

TEST(PageChanges, OptionsTakeEffectWhenTheirPageIsLeft) {
    PageChange p;
    Editor& ed = *p.ed;
    ed.langs.languages.push_back(ed.langs.languages[0]);
    ed.langs.languages[0].pluralRule = 1;  // a second keyboard layout
    ed.langs.languages[1].pluralRule = 0;
    ed.langs.currentLanguage = 0;
    ed.input.cyrillicKeyboard = 1;
    ed.langs.languageIndex = 1;
    ed.settings.repeatStartEdit = 250;
    ed.settings.repeatDelayEdit = 20;

    p.change(Page::GeneralOptions, Page::Search);
    EXPECT_EQ(ed.settings.repeatStart, 250);
    EXPECT_EQ(ed.settings.repeatDelay, 20);
    EXPECT_EQ(ed.langs.currentLanguage, 0) << "the language waits for the plan view";
    EXPECT_FALSE(p.called("layoutWidgets"));

    ed.app.redrawRequest = 0;
    p.change(Page::GeneralOptions, Page::PlanView);
    EXPECT_EQ(ed.langs.currentLanguage, 1);
    EXPECT_EQ(ed.help.modePanelDirty, 1);
    EXPECT_TRUE(p.called("layoutWidgets"));
    EXPECT_EQ(ed.app.redrawRequest, 2);
    EXPECT_EQ(ed.input.cyrillicKeyboard, 0) << "no second layout to switch back with";

    // An index that names no language changes nothing.
    ed.langs.languageIndex = 9;
    p.change(Page::GeneralOptions, Page::PlanView);
    EXPECT_EQ(ed.langs.currentLanguage, 1);
}

TEST(PageChanges, ScriptEditorSavesOnlyAScriptWithAFile) {
    PageChange p;
    Editor& ed = *p.ed;
    ed.pages.scriptEditor.scriptName = "never_saved";
    p.change(Page::ScriptEditor, Page::PlanView);
    EXPECT_FALSE(p.called("saveScript"));
    std::ofstream(p.dataFile("Mine.kvs")) << "x";
    ed.pages.scriptEditor.scriptName = "mine";
    p.change(Page::ScriptEditor, Page::PlanView);
    EXPECT_TRUE(p.called("saveScript"));
    p.change(Page::PlanView, Page::ScriptEditor);
    EXPECT_TRUE(p.called("refreshScriptList"));
}

TEST(PageChanges, EnteringTheSideViewEndsToolsAndDrags) {
    PageChange p;
    Editor& ed = *p.ed;
    ed.tool.currentTool = Tool::ViewBookmarks;
    ed.tool.draggedSprite = 4;
    ed.map.movedWallCount = 3;
    ed.app.helpPopupStep = 2;
    ed.app.redrawRequest = 0;
    p.change(Page::PlanView, Page::SideView);
    EXPECT_EQ(ed.tool.currentTool, Tool::Idle);
    EXPECT_EQ(ed.tool.draggedSprite, -1);
    EXPECT_EQ(ed.map.movedWallCount, -1);
    EXPECT_EQ(ed.app.helpPopupStep, -1);
    EXPECT_EQ(ed.app.redrawRequest, 1);
}

}  // namespace
}  // namespace korvel
