#include "ui/Widgets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "support/CommandRig.h"

namespace korvel {
namespace {

constexpr uint8_t kPaper = 250;

struct WidgetRig : test::CommandRig {
    WidgetRig() {
        ColorSettings& c = ed->colorSettings;
        c.colorUiTextBoxText = 99;
        c.colorUiButton = 30;  // ramp 24
        c.colorUiShadow = 3;
        c.colorUiHighlight = 9;
        c.colorUiBackground = 10;
        ed->app.hoveredWidget = -1;
        ed->app.focusedField = -1;
        ed->input.mouseX = ed->input.mouseY = 0;
    }
    void onPage(Page page) {
        ed->app.currentPage = page;
        layoutWidgets(*ed);
    }
    void draw() {
        std::fill(ed->frameBuffer.screen.begin(), ed->frameBuffer.screen.end(), kPaper);
        drawWidgets(*ed);
    }
    uint8_t at(int32_t x, int32_t y) { return screenView(ed->frameBuffer).at(x, y); }
    const WidgetPushButton& button(int32_t id) const {
        for (int32_t i = 0; i < ed->widgets.pushButtonCount; ++i)
            if (ed->widgets.pushButtons[size_t(i)].id == id)
                return ed->widgets.pushButtons[size_t(i)];
        ADD_FAILURE() << "no button " << id;
        return ed->widgets.pushButtons[0];
    }
    const WidgetValueField& field(int32_t id) const {
        for (int32_t i = 0; i < ed->widgets.valueFieldCount; ++i)
            if (ed->widgets.valueFields[i].id == id) return ed->widgets.valueFields[i];
        ADD_FAILURE() << "no field " << id;
        return ed->widgets.valueFields[0];
    }
    // The colours in a button's rectangle.
    std::set<uint8_t> coloursIn(const WidgetPushButton& b) {
        std::set<uint8_t> seen;
        for (int32_t y = b.y1; y <= b.y2; ++y)
            for (int32_t x = b.x1; x <= b.x2; ++x) seen.insert(at(x, y));
        return seen;
    }
    std::set<int32_t> visibleFields() const {
        std::set<int32_t> ids;
        for (int32_t i = 0; i < ed->widgets.valueFieldCount; ++i)
            if (valueFieldVisible(*ed, i)) ids.insert(ed->widgets.valueFields[i].id);
        return ids;
    }
    std::set<int32_t> visibleButtons() const {
        std::set<int32_t> ids;
        for (int32_t i = 0; i < ed->widgets.pushButtonCount; ++i)
            if (pushButtonVisible(*ed, i)) ids.insert(ed->widgets.pushButtons[size_t(i)].id);
        return ids;
    }
    std::set<int32_t> visibleCheckBoxes() const {
        std::set<int32_t> ids;
        for (int32_t i = 0; i < ed->widgets.checkBoxCount; ++i)
            if (checkBoxVisible(*ed, i)) ids.insert(ed->widgets.checkBoxes[i].setting);
        return ids;
    }
};

std::vector<int32_t> span(int32_t from, int32_t to) {
    std::vector<int32_t> v;
    for (int32_t i = from; i <= to; ++i) v.push_back(i);
    return v;
}

TEST(Widgets, TheTablesHoldTheirRowsInOrder) {
    WidgetRig r;
    r.onPage(Page::PlanView);
    const WidgetState& w = r.ed->widgets;
    EXPECT_EQ(w.valueFieldCount, 71);
    EXPECT_EQ(w.checkBoxCount, 14);
    EXPECT_EQ(w.radioButtonCount, 36);
    EXPECT_EQ(w.pushButtonCount, 56);
    EXPECT_EQ(w.scrollBarCount, 3);
    std::vector<int32_t> want;
    for (const auto& [a, b] : {std::pair{134, 143},
                               {144, 148},
                               {149, 165},
                               {53, 56},
                               {128, 132},
                               {3, 6},
                               {126, 127},
                               {166, 167},
                               {168, 170},
                               {171, 176},
                               {178, 183},
                               {184, 184},
                               {133, 133},
                               {185, 188},
                               {190, 190}})
        for (int32_t id : span(a, b)) want.push_back(id);
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < w.valueFieldCount; ++i) ids.push_back(w.valueFields[i].id);
    EXPECT_EQ(ids, want);
    for (int32_t i = 0; i < w.checkBoxCount; ++i) EXPECT_EQ(w.checkBoxes[i].setting, i);
    for (int32_t i = 0; i < w.radioButtonCount; ++i) EXPECT_EQ(w.radioButtons[i].choice, i);
    EXPECT_EQ(w.pushButtons[0].id, 5001);
    EXPECT_EQ(w.pushButtons[55].id, 26010);
    EXPECT_EQ(w.scrollBars[2].id, 23004);
    EXPECT_FALSE(valueFieldVisible(*r.ed, 71));
    EXPECT_FALSE(valueFieldVisible(*r.ed, -1));
}

TEST(Widgets, RowsShowByPageAndPageState) {
    WidgetRig r;
    auto& pages = r.ed->pages;
    r.onPage(Page::RecordEditor);
    pages.recordEditor.recordEditorSubject = 6;
    const std::set<int32_t> noSubject = {53, 54, 55, 56, 128, 129, 130, 131, 132};
    EXPECT_EQ(r.visibleFields(), noSubject);
    EXPECT_EQ(r.visibleButtons(), (std::set<int32_t>{2004, 2005, 2006, 2007}));
    pages.recordEditor.recordEditorSubject = 0;
    EXPECT_TRUE(r.visibleFields().empty());
    EXPECT_EQ(r.visibleButtons(), (std::set<int32_t>{2001, 2002, 2003}));

    r.onPage(Page::WallLighting);
    pages.wallLighting.lightDirectional = 0;
    EXPECT_EQ(r.visibleFields(), (std::set<int32_t>{144, 145, 147, 148}));
    EXPECT_EQ(r.visibleCheckBoxes(), std::set<int32_t>{7});
    pages.wallLighting.lightDirectional = 1;
    EXPECT_EQ(r.visibleFields(), (std::set<int32_t>{146, 147, 148}));
    EXPECT_TRUE(r.visibleCheckBoxes().empty());

    r.onPage(Page::ArrayTool);
    pages.arrayTool.arrayPattern = 3;
    EXPECT_EQ(r.visibleFields(), (std::set<int32_t>{133, 139, 140, 141}));
    EXPECT_EQ(r.visibleCheckBoxes(), (std::set<int32_t>{3, 4, 5}));
    EXPECT_EQ(r.visibleButtons(), (std::set<int32_t>{13001, 13002}));
    pages.arrayTool.arrayPattern = 1;
    EXPECT_EQ(r.visibleFields(), (std::set<int32_t>{133, 134, 135, 136, 137}));
    EXPECT_EQ(r.visibleCheckBoxes(), std::set<int32_t>{0});
}

TEST(Widgets, TheFocusedFieldBlinksItsCaretAndLendsItsText) {
    WidgetRig r;
    r.onPage(Page::DisplayOptions);
    r.ed->settings.refreshRate = 75;
    const WidgetValueField& f = r.field(3);
    struct Case {
        int32_t focus, frameTime;
        bool caret;
    } const cases[] = {{3, 100, true},  {3, 199, true},  {3, 200, false},
                       {3, 799, false}, {3, 850, true}, {-1, 100, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frameTime * 10 + c.focus);
        r.ed->app.focusedField = c.focus;
        r.ed->app.panelHasMouse = 0;
        r.ed->pages.scriptEditor.exprXText.clear();
        r.ed->input.frameTime = c.frameTime;
        r.draw();
        for (int32_t y = f.y + 2; y <= f.y + 12; ++y)
            EXPECT_EQ(r.at(f.x + 8 * 2 + 4, y) == 99, c.caret) << y;
        EXPECT_EQ(r.at(f.x + 8 * 2 + 4, f.y + 13), kPaper);
        EXPECT_EQ(r.ed->app.panelHasMouse, c.focus == 3 ? 1 : 0);
        EXPECT_EQ(r.ed->pages.scriptEditor.exprXText, c.focus == 3 ? "75" : "");
    }
}

TEST(Widgets, ProfileValuesShowOnlyForASelectedSegmentThatExists) {
    WidgetRig r;
    ProfileEditorState& pe = r.ed->pages.profileEditor;
    pe.contourCount = 2;
    pe.contour[1] = {11, 12, 13, 14, 15, 16};
    pe.contour[2] = {21, 22, 23, 24, 25, 26};
    struct Case {
        int32_t selected;
        const char* text;
    } const cases[] = {{1, "13"}, {-1, ""}, {2, ""}, {5000, ""}};
    for (const Case& c : cases) {
        pe.contourSelected = c.selected;
        EXPECT_EQ(valueFieldText(*r.ed, 180), c.text) << c.selected;
    }
}

TEST(Widgets, PushButtonsShowPressedEngravedAndHovered) {
    WidgetRig r;
    r.onPage(Page::ScriptEditor);
    const WidgetPushButton save = r.button(26007);
    // Enabled, not held, no highlight: the panel's own face stays.
    r.draw();
    EXPECT_EQ(r.coloursIn(save), std::set<uint8_t>{kPaper});
    // A demo running: the caption engraved in the button's ramp.
    r.ed->demo.demoFrameIndex = 0;
    r.draw();
    EXPECT_EQ(r.coloursIn(save), (std::set<uint8_t>{kPaper, 27, 33, 30}));
    // Held down while disabled: the pressed face, the engraved caption over it.
    r.ed->app.hoveredWidget = 26007;
    r.draw();
    const std::set<uint8_t> held = r.coloursIn(save);
    EXPECT_FALSE(held.contains(kPaper));
    EXPECT_TRUE(held.contains(27) && held.contains(33));
    r.ed->demo.demoFrameIndex = -1;
    r.ed->app.hoveredWidget = -1;

    // Hovered with the highlight on: every pixel mixed over colour 83, unless the mouse is in
    // the open menu's box.
    r.ed->settings.buttonHighlight = 1;
    r.ed->input.mouseX = save.x1;
    r.ed->input.mouseY = save.y2;
    const uint8_t dark = r.ed->colorTables.blendTable[83 * 256 + kPaper];
    r.draw();
    EXPECT_EQ(r.coloursIn(save), std::set<uint8_t>{dark});
    MenuState& m = r.ed->menus;
    m.openMenu = 2;
    m.menuBoxX = save.x1 - 10, m.menuBoxY = save.y2 - 10, m.menuBoxWidth = 11, m.menuBoxHeight = 11;
    r.draw();
    EXPECT_EQ(r.coloursIn(save), std::set<uint8_t>{kPaper});
    m.menuBoxWidth = 10;  // the box's right edge is not in it
    r.draw();
    EXPECT_EQ(r.coloursIn(save), std::set<uint8_t>{dark});
    r.ed->input.mouseX = save.x2 + 1;
    r.draw();
    EXPECT_EQ(r.coloursIn(save), std::set<uint8_t>{kPaper});
}

TEST(Widgets, ScrollBarThumbsFollowTheListAndFullListsGreyTheArrows) {
    WidgetRig r;
    r.onPage(Page::ColorSchemeEditor);
    // 40 settings, 29 rows: the thumb is 233 pixels long and moves over 89.
    struct Case {
        int32_t top;
        int32_t filledRow, emptyRow;
    } const cases[] = {{0, 480, 200}, {11, 200, 480}, {5, 350, 180}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.top);
        r.ed->pages.colorSchemeEditor.colorEditorTop = c.top;
        r.draw();
        EXPECT_NE(r.at(577, c.filledRow), kPaper);
        EXPECT_EQ(r.at(577, c.emptyRow), kPaper);
    }
    // The script list fits: both arrows inactive, no thumb; pressed arrows when it does not.
    r.onPage(Page::ScriptEditor);
    ScriptState& s = r.ed->pages.scriptEditor;
    s.scriptCount = 3;
    s.scriptLineCount = 10;
    r.draw();
    EXPECT_NE(r.at(150, 145), kPaper);
    EXPECT_NE(r.at(150, 138 + 387 - 7), kPaper);
    EXPECT_EQ(r.at(150, 300), kPaper);
    s.scriptCount = 100;
    r.draw();
    EXPECT_EQ(r.at(150, 145), kPaper) << "the unpressed arrow belongs to the panel";
    r.ed->app.hoveredWidget = 26001;
    r.draw();
    EXPECT_NE(r.at(150, 145), kPaper);
    EXPECT_EQ(r.at(150, 138 + 387 - 7), kPaper);
    r.ed->app.hoveredWidget = 26002;
    r.draw();
    EXPECT_EQ(r.at(150, 145), kPaper);
    EXPECT_NE(r.at(150, 138 + 387 - 7), kPaper);
}

}  // namespace
}  // namespace korvel
