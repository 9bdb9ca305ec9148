#include "commands/PageStack.h"

#include <gtest/gtest.h>

#include "app/Editor.h"
#include "commands/PageCommands.h"
#include "support/EditorRig.h"

namespace korvel::test {
namespace {

// Page changes as the frame loop makes them: the page handler runs when the page differs from the
// previous frame's, then the page becomes the previous one.
struct StackRig : EditorRig {
    StackRig() : EditorRig("", false) {}
    AppState& app() { return ed->app; }
    void settle() {
        if (app().currentPage != app().previousPage) applyPagePushRule(*ed);
        app().previousPage = app().currentPage;
    }
    void go(Page p) {
        app().currentPage = p;
        settle();
    }
    void back() {
        popPage(*ed);
        settle();
    }
};

TEST(PageStack, DialogsReturnWhereTheyWereOpenedFrom) {
    StackRig r;
    // F10 then F1 from the plan view: the display options are pushed, the plan view is not.
    r.go(Page::DisplayOptions);
    EXPECT_EQ(r.app().modeStackDepth, 0);
    r.go(Page::HelpViewer);
    EXPECT_EQ(r.app().modeStackDepth, 1);
    r.back();
    EXPECT_EQ(r.app().currentPage, Page::DisplayOptions);
    EXPECT_EQ(r.app().modeStackDepth, 0);
    r.back();
    EXPECT_EQ(r.app().currentPage, Page::PlanView);

    // From the side view the record editor returns there; the help viewer goes to the plan view.
    r.go(Page::SideView);
    r.go(Page::RecordEditor);
    r.back();
    EXPECT_EQ(r.app().currentPage, Page::SideView);
    r.go(Page::HelpViewer);
    r.back();
    EXPECT_EQ(r.app().currentPage, Page::PlanView);
}

TEST(PageStack, PushRuleByPageLeftAndEntered) {
    const struct {
        Page left, entered;
        uint8_t suppress;
        int32_t depthAfter;  // from a stack holding one entry
    } cases[] = {
        {Page::PlanView, Page::HelpViewer, 0, 0},       // base pages empty the stack
        {Page::SideView, Page::HelpViewer, 0, 0},
        {Page::RecordEditor, Page::Search, 0, 0},
        {Page::ProblemList, Page::HelpViewer, 0, 0},
        {Page::Statistics, Page::FileBrowser, 0, 0},
        {Page::SideView, Page::RecordEditor, 0, 1},     // ... except the side view's two
        {Page::SideView, Page::TilePicker, 0, 1},
        {Page::SideView, Page::TilePicker, 1, 1},
        {Page::HelpViewer, Page::HelpViewer, 0, 1},     // a repaint pushes nothing
        {Page::HelpViewer, Page::FileBrowser, 0, 2},    // dialog to dialog
        {Page::View3D, Page::HelpViewer, 0, 2},         // the 3D view is not a base page
        {Page::HelpViewer, Page::FileBrowser, 1, 1},    // a return pushes nothing
    };
    for (const auto& c : cases) {
        StackRig r;
        r.app().modeStack[0] = Page::About;
        r.app().modeStackDepth = 1;
        r.app().redrawAfterModeChange = c.suppress;
        r.app().previousPage = c.left;
        r.app().currentPage = c.entered;
        applyPagePushRule(*r.ed);
        SCOPED_TRACE(testing::Message() << int(c.left) << " -> " << int(c.entered) << " flag "
                                        << int(c.suppress));
        EXPECT_EQ(r.app().modeStackDepth, c.depthAfter);
        EXPECT_EQ(r.app().redrawAfterModeChange, 0);
        if (c.depthAfter == 2 || (c.depthAfter == 1 && c.left == Page::SideView))
            EXPECT_EQ(r.app().modeStack[size_t(c.depthAfter - 1)], c.left);
    }
}

TEST(PageStack, PopOnTheEmptyPlanViewChangesNothing) {
    StackRig r;
    popPage(*r.ed);
    EXPECT_EQ(r.app().currentPage, Page::PlanView);
    EXPECT_EQ(r.app().redrawAfterModeChange, 0);
    EXPECT_EQ(r.app().modeStackDepth, 0);
    // Any other page with an empty stack goes to the plan view.
    r.app().currentPage = Page::View3D;
    popPage(*r.ed);
    EXPECT_EQ(r.app().currentPage, Page::PlanView);
    EXPECT_EQ(r.app().redrawAfterModeChange, 1);
}

TEST(PageStack, SwitchingOptionPagesNeverGrowsTheStack) {
    StackRig r;
    for (int i = 0; i < 10; ++i) {
        if (i % 2)
            openSettingsPage(*r.ed);
        else
            openDisplayOptionsPage(*r.ed);
        r.settle();
        EXPECT_EQ(r.app().currentPage, i % 2 ? Page::GeneralOptions : Page::DisplayOptions);
        EXPECT_EQ(r.app().modeStackDepth, 0) << i;
    }
    r.back();
    EXPECT_EQ(r.app().currentPage, Page::PlanView);
    // Opened from a dialog, the option page takes that dialog's place on the way back.
    r.go(Page::HelpViewer);
    r.go(Page::FileBrowser);
    r.go(Page::About);
    ASSERT_EQ(r.app().modeStackDepth, 2);
    openDisplayOptionsPage(*r.ed);
    r.settle();
    EXPECT_EQ(r.app().modeStackDepth, 1);
    r.back();
    EXPECT_EQ(r.app().currentPage, Page::HelpViewer);
}

TEST(PageStack, PushesPastTheCapacityAreRefused) {
    StackRig r;
    r.go(Page::HelpViewer);
    for (int i = 0; i < 300; ++i) r.go(i % 2 ? Page::HelpViewer : Page::FileBrowser);
    EXPECT_EQ(r.app().modeStackDepth, kModeStackSize);
    // The oldest entries are the ones kept: popping all of them walks back to the first dialog.
    int pops = 0;
    while (r.app().currentPage != Page::PlanView && pops < 1000) {
        r.back();
        ++pops;
    }
    EXPECT_EQ(pops, kModeStackSize + 1);
    // A depth out of range (as a corrupted state might hold) is brought back into the stack.
    r.app().modeStackDepth = 100000;
    r.app().currentPage = Page::HelpViewer;
    popPage(*r.ed);
    EXPECT_EQ(r.app().modeStackDepth, kModeStackSize - 1);
}

}  // namespace
}  // namespace korvel::test
