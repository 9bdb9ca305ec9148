#include "ui/Toolbar.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/CommandRig.h"

namespace korvel {
namespace {

struct ToolbarRig : test::CommandRig {
    const ToolbarButton& slot(int32_t i) const { return ed->toolbar.toolbarButtons[size_t(i)]; }
    void onLayer(SelectionMode mode) {
        ed->app.currentPage = Page::PlanView;
        ed->tool.selectionMode = mode;
        rebuildToolbar(*ed);
    }
};

TEST(Toolbar, RowsCarryTheCodesTheModesAreReadFrom) {
    ToolbarRig r;
    rebuildToolbar(*r.ed);
    for (int32_t i = 0; i < kToolbarSlots; ++i)
        EXPECT_EQ(r.slot(i).context == kContextEmpty, i >= kToolbarRows) << i;
    struct Case {
        int32_t first;
        std::vector<int16_t> codes;
    } const cases[] = {
        {0, {18, 16, 19, 20, 21, 0, 1, 2, 3, 4, 5, 88, 89}},
        {24, {58, 48, 49, 50, 59, 60}},
        {52, {151, 148, 149, 150, 159}},
        {141, {62}},
        {148, {135}},
    };
    for (const Case& c : cases)
        for (size_t k = 0; k < c.codes.size(); ++k)
            EXPECT_EQ(r.slot(c.first + int32_t(k)).code, c.codes[k]) << c.first + int32_t(k);
    EXPECT_EQ(r.slot(5).x, 122);
    EXPECT_EQ(r.slot(5).y, 102);
    EXPECT_EQ(r.slot(85).x, 16);
    EXPECT_EQ(r.slot(85).y, 550);
    EXPECT_EQ(r.slot(85).colorOffset, 0) << "buttons on pages keep their colours";
}

TEST(Toolbar, TooltipsByCodeRange) {
    struct Case {
        int32_t code, tip;
    } const cases[] = {{0, 440},  {5, 445},  {6, -1},    {15, -1},   {16, 446}, {17, -1},
                       {18, 447}, {21, 450}, {22, -1},   {31, -1},   {32, 451}, {135, 554},
                       {136, -1}, {143, -1}, {144, 555}, {170, 581}, {171, -1}, {-1, -1}};
    for (const Case& c : cases) EXPECT_EQ(toolbarTooltip(c.code), c.tip) << c.code;
}

TEST(Toolbar, EnabledAndLitFollowTheSelection) {
    ToolbarRig r;
    MapStore& m = r.ed->map;
    m.selectedSectorCount = 1;
    r.onLayer(SelectionMode::Sectors);
    EXPECT_TRUE(r.slot(108).enabled) << "rip one sector";
    EXPECT_FALSE(r.slot(103).enabled) << "join needs two";
    EXPECT_TRUE(r.slot(3 + 5).lit);
    m.selectedSectorCount = 2;
    rebuildToolbar(*r.ed);
    EXPECT_FALSE(r.slot(108).enabled);
    EXPECT_TRUE(r.slot(103).enabled);

    m.selectedWallCount = 1;
    r.onLayer(SelectionMode::Walls);
    EXPECT_TRUE(r.slot(94).enabled);
    m.selectedWallCount = 2;
    rebuildToolbar(*r.ed);
    EXPECT_FALSE(r.slot(94).enabled);
    EXPECT_TRUE(r.slot(93).enabled);

    r.onLayer(SelectionMode::BooleanTarget);
    for (int32_t i = 24; i <= 27; ++i) EXPECT_FALSE(r.slot(i).enabled) << i;
    EXPECT_TRUE(toolbarContextHolds(*r.ed, r.slot(52).context));
    EXPECT_FALSE(toolbarContextHolds(*r.ed, r.slot(73).context));

    r.ed->app.currentPage = Page::ScriptEditor;
    r.ed->map.undoState = UndoState::Snapshot;
    r.ed->pages.scriptEditor.scriptUndoAvailable = 0;
    rebuildToolbar(*r.ed);
    EXPECT_FALSE(r.slot(kUndoButtonSlot).enabled) << "the script's own undo";
    r.ed->pages.scriptEditor.scriptUndoAvailable = 1;
    rebuildToolbar(*r.ed);
    EXPECT_TRUE(r.slot(kUndoButtonSlot).enabled);

    r.ed->app.currentPage = Page::HelpViewer;
    r.ed->help.documentPage = 0;
    rebuildToolbar(*r.ed);
    EXPECT_FALSE(r.slot(121).enabled);
    EXPECT_TRUE(toolbarContextHolds(*r.ed, r.slot(121).context));

    r.ed->app.currentPage = Page::SideView;
    r.ed->view.sideViewSubjectKind = SideViewSubjectKind::Wall;
    EXPECT_TRUE(toolbarContextHolds(*r.ed, r.slot(142).context));
    r.ed->view.sideViewSubjectKind = SideViewSubjectKind::Sprite;
    EXPECT_FALSE(toolbarContextHolds(*r.ed, r.slot(142).context));
}

TEST(Toolbar, TheButtonUnderTheMouseIsHoveredWithItsTooltip) {
    ToolbarRig r;
    r.onLayer(SelectionMode::Sprites);
    const ToolbarButton& open = r.slot(14);  // open map, code 65
    struct Case {
        int32_t x, y;
        bool menuHasMouse;
        int32_t hovered;
    } const cases[] = {
        {open.x, open.y, false, 14},      {open.x + 21, open.y + 21, false, 14},
        {open.x + 22, open.y, false, 15},  // the next button's first column
        {open.x, open.y + 22, false, -1}, {open.x, open.y, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x * 1000 + c.y);
        r.ed->input.mouseX = c.x;
        r.ed->input.mouseY = c.y;
        r.ed->menus.menuHasMouse = c.menuHasMouse ? 1 : 0;
        r.ed->app.tooltipText.clear();
        hitTestToolbarAndMenu(*r.ed);
        EXPECT_EQ(r.ed->toolbar.hoveredElement, c.hovered);
        if (c.hovered >= 0)
            EXPECT_EQ(r.ed->app.tooltipText,
                      getMessage(toolbarTooltip(r.slot(c.hovered).code), r.ed->langs));
        else
            EXPECT_EQ(r.ed->app.tooltipText, "");
    }
    // A grey button is hovered and tells its tooltip all the same.
    r.ed->map.mapModified = MapModifiedState::Unmodified;
    rebuildToolbar(*r.ed);
    ASSERT_FALSE(r.slot(15).enabled);
    r.ed->menus.menuHasMouse = 0;
    r.ed->input.mouseX = r.slot(15).x + 3;
    hitTestToolbarAndMenu(*r.ed);
    EXPECT_EQ(r.ed->toolbar.hoveredElement, 15);
}

}  // namespace
}  // namespace korvel
