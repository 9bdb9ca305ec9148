#include "editing/KeyboardDispatcher.h"

#include <gtest/gtest.h>

#include "support/CommandRig.h"

namespace korvel {
namespace {

using test::CommandRig;
using Want = test::FileOutcome;
using test::kAltKey;
using test::kCtrlKey;
using test::kShiftKey;

TEST(KeyboardDispatcher, TheFileChordsSaveOrAskForANameWhereTheyApply) {
    struct Case {
        const char* name;
        std::initializer_list<int> keys;
        Page page;
        uint8_t view3dState;
        Want want;
    } const cases[] = {
        {"Ctrl+S", {kCtrlKey, 'S'}, Page::PlanView, 0, Want::Saved},
        {"Ctrl+S on a dialog page", {kCtrlKey, 'S'}, Page::DisplayOptions, 0, Want::Saved},
        {"Ctrl+S in the live 3D view flies", {kCtrlKey, 'S'}, Page::View3D, 0, Want::Nothing},
        {"Ctrl+S over the shaded 3D plan", {kCtrlKey, 'S'}, Page::View3D, 1, Want::Saved},
        {"Ctrl+Shift+S", {kCtrlKey, kShiftKey, 'S'}, Page::PlanView, 0, Want::NamePrompt},
        {"Ctrl+Shift+S, live 3D", {kCtrlKey, kShiftKey, 'S'}, Page::View3D, 0, Want::Nothing},
        {"the modifiers are exact", {kCtrlKey, kAltKey, 'S'}, Page::PlanView, 0, Want::Nothing},
        {"S alone", {'S'}, Page::PlanView, 0, Want::Nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CommandRig r;
        r.ed->app.currentPage = c.page;
        r.ed->pages.view3d.view3dState = c.view3dState;
        r.press(c.keys);
        r.expectOutcome(c.want);
        EXPECT_EQ(r.played("pyro"), c.want == Want::Saved);
        EXPECT_EQ(r.played("command"), c.want == Want::NamePrompt);
    }
}

}  // namespace
}  // namespace korvel
