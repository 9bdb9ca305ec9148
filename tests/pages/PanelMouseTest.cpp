// The page mouse: the widget pass, the generic scroll bar and the pages' own hit areas, driven
// by a scripted pointer and button, frame by frame.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <random>

#include "app/Editor.h"
#include "pages/MessageBox.h"
#include "pages/PageMouse.h"
#include "pages/PanelMouse.h"
#include "script/ScriptLayout.h"
#include "support/EditorRig.h"
#include "ui/Widgets.h"

namespace korvel {
namespace {

struct MouseRig {
    std::unique_ptr<Editor> ed = std::make_unique<Editor>();
    test::Trace trace;

    explicit MouseRig(Page page) {
        ed->app.currentPage = page;
        ed->calls.onPageChanged = [this](Editor&) { trace.push_back("onPageChanged"); };
        ed->calls.playSound = [this](Editor&, const std::string& cue, int32_t) {
            trace.push_back("cue:" + cue);
        };
        ed->calls.redrawDocumentPage = [this](Editor&) { trace.push_back("redraw"); };
        ed->calls.update3dPick = [this](Editor&) { trace.push_back("update3dPick"); };
    }
    // One frame with the pointer at (x, y) and the button down or up; `repeat` marks the frame's
    // first press or an auto-repeat.
    void frame(int32_t x, int32_t y, bool down, bool repeat = false) {
        InputState& in = ed->input;
        in.keyStates[257] = in.keyStates[1];
        in.keyStates[1] = down ? -128 : 0;
        in.keyPressed[1] = uint8_t(repeat || (down && in.keyStates[257] >= 0));
        in.mouseX = x, in.mouseY = y;
        processPanelMouse(*ed);
    }
    void click(int32_t x, int32_t y) {
        frame(x, y, true);
        frame(x, y, false);
        ed->app.hoveredWidget = 0;  // the dispatcher's release
    }
};

TEST(PanelMouse, RadioCodesWriteTheirSettings) {
    for (int32_t code = 0; code <= 36; ++code) {
        SCOPED_TRACE(code);
        MouseRig r(Page::ReelSetup);
        r.ed->pages.wallLighting.lightDirectional = 1;
        r.ed->pages.problemList.problemListOption = 1;
        WidgetState& w = r.ed->widgets;
        w.radioButtons[0] = {100, 100, code, Page::ReelSetup, 0};
        w.radioButtonCount = 1;
        r.click(113, 113);
        EXPECT_EQ(radioChoiceOn(*r.ed, code), code <= 35);
        r.click(114, 100);  // just outside
    }
}

TEST(PanelMouse, CheckBoxTypesToggleTheirByte) {
    for (int32_t type = 0; type <= 14; ++type) {
        SCOPED_TRACE(type);
        MouseRig r(Page::ArrayTool);
        r.ed->pages.arrayTool.arrayPattern = 0;
        WidgetState& w = r.ed->widgets;
        w.checkBoxes[0] = {40, 40, type, Page::ArrayTool, -1};
        w.checkBoxCount = 1;
        const uint8_t before = checkBoxSetting(*r.ed, type);
        r.click(40, 53);
        EXPECT_EQ(checkBoxSetting(*r.ed, type), type <= 13 ? 1 - before : 0);
        r.click(40, 53);
        EXPECT_EQ(checkBoxSetting(*r.ed, type), before);
    }
}

TEST(PanelMouse, LightTypeAndProblemListRadiosActOnlyOnAChange) {
    struct Case {
        Page page;
        int32_t code;
        bool acts;
    };
    for (const Case c : {Case{Page::WallLighting, 6, true}, Case{Page::WallLighting, 7, false},
                         Case{Page::ReelSetup, 34, true}, Case{Page::ReelSetup, 35, false}}) {
        SCOPED_TRACE(c.code);
        MouseRig r(c.page);
        r.ed->pages.wallLighting.lightDirectional = 1;
        r.ed->pages.problemList.problemListOption = 1;
        WidgetState& w = r.ed->widgets;
        w.radioButtons[0] = {100, 100, c.code, c.page, 1};
        w.radioButtonCount = 1;
        r.click(105, 105);
        EXPECT_EQ(!r.trace.empty() && r.trace[0] == "onPageChanged", c.acts && c.code < 34);
        EXPECT_EQ(r.ed->app.deferredAction == DeferredAction::CheckMap, c.acts && c.code >= 34);
        EXPECT_EQ(r.ed->cursor.cursorShape == CursorShape::Busy, c.acts && c.code >= 34);
    }
}

TEST(PanelMouse, FocusPushButtonsAndTheMenu) {
    MouseRig r(Page::ImageExport);
    WidgetState& w = r.ed->widgets;
    w.valueFields[0] = {100, 100, 40, Page::ImageExport, 0};
    w.valueFields[1] = {150, 100, 41, Page::ImageExport, 0};  // overlaps the first
    w.valueFieldCount = 2;
    w.pushButtons[0] = {300, 300, 340, 320, 24001, Page::ImageExport, 0, "Go"};
    w.pushButtonCount = 1;
    r.frame(160, 105, true);
    EXPECT_EQ(r.ed->app.focusedField, 41);  // the last match
    r.frame(160, 105, false);
    r.frame(120, 105, true);
    EXPECT_EQ(r.ed->app.focusedField, 40);
    r.frame(120, 105, false);
    r.frame(500, 500, true);
    EXPECT_EQ(r.ed->app.focusedField, -1);  // a press elsewhere
    r.frame(500, 500, false);
    r.frame(310, 310, true);
    EXPECT_EQ(r.ed->app.hoveredWidget, 24001);
    r.frame(310, 310, false);
    r.ed->app.hoveredWidget = 0;
    r.ed->app.focusedField = 40;
    r.ed->menus.menuHasMouse = 1;
    r.frame(310, 310, true);
    EXPECT_EQ(r.ed->app.hoveredWidget, 0);
    EXPECT_EQ(r.ed->app.focusedField, 40);
}

TEST(GenericScrollBar, ArrowsStepThumbDragsAndClamps) {
    const ScrollBarGeometry bar{100, 100, 300, 10, true, 500};
    // Inert while the list fits.
    {
        int32_t hovered = 0, grab = 0;
        bool dirty = false;
        EXPECT_EQ(genericScrollBar(bar, 10, 0, {105, 105, true, false, true}, hovered, grab, dirty), 0);
        EXPECT_EQ(hovered, 0);
    }
    // The down arrow: one step on the press, then one per repeat; clamped at M.
    {
        int32_t hovered = 0, grab = 0, s = 48;
        bool dirty = false;
        s = genericScrollBar(bar, 60, s, {105, 105, true, false, true}, hovered, grab, dirty);
        EXPECT_EQ(hovered, 500);
        EXPECT_EQ(s, 49);
        s = genericScrollBar(bar, 60, s, {105, 105, true, true, false}, hovered, grab, dirty);
        EXPECT_EQ(s, 49);
        for (int i = 0; i < 3; ++i)
            s = genericScrollBar(bar, 60, s, {105, 105, true, true, true}, hovered, grab, dirty);
        EXPECT_EQ(s, 50);
    }
    // The thumb dragged to either end and beyond: 0 at the top, M at the bottom.
    for (const bool vertical : {true, false}) {
        SCOPED_TRACE(vertical);
        ScrollBarGeometry b = bar;
        b.vertical = vertical;
        const ThumbGeometry g = thumbGeometry(300, 60, 10);
        EXPECT_EQ(g.length, 45);
        EXPECT_EQ(g.freeRun, 225);
        int32_t hovered = 0, grab = 0;
        bool dirty = false;
        // Position 0: the vertical thumb at the top, the horizontal one at the left.
        const int32_t along = vertical ? 100 + 15 + 225 + 20 : 100 + 15 + 20;
        const Pointer press = vertical ? Pointer{105, along, true, false, false}
                                       : Pointer{along, 105, true, false, false};
        const int32_t s = genericScrollBar(b, 60, 0, press, hovered, grab, dirty);
        EXPECT_EQ(hovered, 502);
        EXPECT_EQ(grab, 20);
        const auto dragTo = [&](int32_t coord) {
            const Pointer at = vertical ? Pointer{105, coord, true, true, false}
                                        : Pointer{coord, 105, true, true, false};
            return genericScrollBar(b, 60, s, at, hovered, grab, dirty);
        };
        EXPECT_EQ(dragTo(vertical ? 115 + 20 : 340 + 20), 50);       // bottom / right end
        EXPECT_EQ(dragTo(vertical ? 340 + 20 : 115 + 20), 0);        // top / left end
        EXPECT_EQ(dragTo(vertical ? -100000 : 100000), 50);          // beyond: clamped
        EXPECT_EQ(dragTo(vertical ? 100000 : -100000), 0);
    }
    // A thumb that fills its run keeps the position.
    {
        const ScrollBarGeometry tiny{0, 0, 30, 1, true, 7};
        int32_t hovered = 9, grab = 0;  // its thumb held
        bool dirty = false;
        EXPECT_EQ(genericScrollBar(tiny, 5, 3, {5, 400, true, true, false}, hovered, grab, dirty), 3);
    }
}

TEST(PageMouse, MessageBoxButtonsByTheirCount) {
    MouseRig r(Page::MessageBox);
    const auto fresh = r.ed->pages.messageBox;
    for (int32_t kind = 0; kind <= 14; ++kind) {
        SCOPED_TRACE(kind);
        const int32_t n = messageBoxButtons(MessageBoxKind(kind));
        struct Probe {
            int32_t x;
            int32_t one, two, three;  // the result with one, two or three buttons
        };
        const Probe probes[] = {{200, 0, 0, 255000},           {300, 0, 255000, 255000},
                                {340, 255000, 255000, 255001}, {420, 255000, 255001, 255001},
                                {500, 0, 255001, 255002},      {600, 0, 0, 255002},
                                {620, 0, 0, 0}};
        for (const Probe& p : probes) {
            // One editor for every probe, put back to a closed box, no widget and the button up.
            r.ed->app.currentPage = Page::MessageBox;
            r.ed->pages.messageBox = fresh;
            r.ed->app.hoveredWidget = 0;
            r.ed->input.keyStates[1] = 0;
            r.trace.clear();
            r.ed->pages.messageBox.messageBoxKind = MessageBoxKind(kind);
            r.frame(p.x, 340, true);
            const int32_t want = n == 1 ? p.one : n == 2 ? p.two : n == 3 ? p.three : 0;
            EXPECT_EQ(r.ed->app.hoveredWidget, want) << p.x;
            EXPECT_EQ(r.trace == test::Trace{"cue:beep3"}, want != 0);
            EXPECT_EQ(r.ed->pages.messageBox.messageBoxStep, 1);
        }
    }
}

TEST(PageMouse, LightDialAtItsFourSides) {
    struct Case {
        int32_t x, y, angle;
    };
    // Right of the centre 0, below it a quarter turn, left half a turn, above three quarters.
    for (const Case c : {Case{128 + 30, 320, 0}, Case{128, 320 - 30, 9000},
                         Case{128 - 30, 320, 18000}, Case{128, 320 + 30, 27000}}) {
        MouseRig r(Page::WallLighting);
        r.ed->pages.wallLighting.lightDirectional = 1;
        r.frame(c.x, c.y, true);
        EXPECT_NEAR(r.ed->pages.wallLighting.lightAngle, c.angle, 1)
            << c.x << "," << c.y;
    }
    MouseRig outside{Page::WallLighting};
    outside.ed->pages.wallLighting.lightAngle = 77;
    outside.frame(128 + 41, 320, true);
    EXPECT_EQ(outside.ed->pages.wallLighting.lightAngle, 77);
    MouseRig pointLight{Page::WallLighting};
    pointLight.ed->pages.wallLighting.lightDirectional = 0;
    pointLight.ed->pages.wallLighting.lightAngle = 77;
    pointLight.frame(140, 320, true);
    EXPECT_EQ(pointLight.ed->pages.wallLighting.lightAngle, 77);
}

TEST(PageMouse, RecordEditorSpinDragAndFlagBits) {
    MouseRig r(Page::RecordEditor);
    RecordEditorState& re = r.ed->pages.recordEditor;
    re.recordEditorSubject = uint8_t(RecordEditorSubject::SelectedSprites);
    re.propertyValues[4] = 100;  // PICNUM
    re.propertyStatBits[2] = 1;
    const int32_t y = 512 - 16 * 4 + 5;
    r.frame(200, y, true);  // the spin handle of row 4
    EXPECT_EQ(r.ed->app.hoveredWidget, 2014);
    EXPECT_EQ(re.propertyValues[4], 100);  // the first frame changes nothing
    r.frame(200, y + 10, true);
    EXPECT_EQ(re.propertyValues[4], 110);
    EXPECT_EQ(re.propertyState[4], 0);
    r.frame(200, y + 10, false);
    r.ed->app.hoveredWidget = 0;
    // A bit box of the sprite's CSTAT: bit 2 toggled in the value, its mark cleared.
    re.propertyState[3] = 1;
    r.click(405, 512 - 20 * 2 + 3);
    EXPECT_EQ(re.propertyValues[3], 4);
    EXPECT_EQ(re.propertyStatBits[2], 0);
    EXPECT_EQ(re.propertyState[3], 0);
    // Shift marks the bit as differing, and clearing the last mark shows one value again.
    r.ed->dispatch.shiftHeld = 1;
    r.click(405, 512 - 20 * 5 + 3);
    EXPECT_EQ(re.propertyStatBits[5], 1);
    EXPECT_EQ(re.propertyState[3], 1);
    r.click(405, 512 - 20 * 5 + 3);
    EXPECT_EQ(re.propertyStatBits[5], 0);
    EXPECT_EQ(re.propertyState[3], 0);
    // The value column takes the focus.
    r.click(150, y);
    EXPECT_EQ(r.ed->app.focusedField, 7 + 4);
    r.click(260, y);
    EXPECT_EQ(r.ed->app.focusedField, 30 + 4);
}

TEST(PageMouse, SectorFloorPlateEditsTheFloorStat) {
    MouseRig r(Page::RecordEditor);
    RecordEditorState& re = r.ed->pages.recordEditor;
    re.recordEditorSubject = uint8_t(RecordEditorSubject::Sector);
    r.click(700, 540);
    EXPECT_EQ(re.statPanelShowsFloor, 1);
    EXPECT_EQ(r.trace, test::Trace{"cue:mode1"});
    r.click(445, 512 + 3);
    EXPECT_EQ(re.propertyValues[11], 1);
    EXPECT_EQ(re.propertyValues[3], 0);
}

TEST(PageMouse, SpinDragsWrapAtTheLimits) {
    MouseRig r(Page::ArrayTool);
    int32_t& v = r.ed->pages.arrayTool.arraySteps[0];
    v = INT32_MAX - 3;
    r.frame(300, 515, true);
    EXPECT_EQ(r.ed->app.hoveredWidget, 13010);
    r.frame(300, 525, true);
    EXPECT_EQ(v, INT32_MIN + 6);
}

TEST(PageMouse, ProfilePansSnapBackAndDrag) {
    MouseRig r(Page::ProfileEditor);
    ProfileEditorState& pe = r.ed->pages.profileEditor;
    pe.profilePanX = 99999, pe.profilePanY = INT32_MIN;
    r.frame(0, 0, false);
    EXPECT_EQ(pe.profilePanX, 2048);
    EXPECT_EQ(pe.profilePanY, -2048);
    pe.profilePanX = -2048;  // the thumb at the left end: columns 23..160
    r.frame(30, 295, true);
    EXPECT_EQ(r.ed->app.hoveredWidget, 22008);
    r.frame(30 + 301, 295, true);  // half the run: 4097 / 2 rounded, less 2048
    EXPECT_EQ(pe.profilePanX, 1);
    r.frame(INT32_MAX, 295, true);
    EXPECT_EQ(pe.profilePanX, 2048);
}

TEST(PageMouse, HelpArrowsMoveTwelvePixels) {
    MouseRig r(Page::HelpViewer);
    r.ed->help.documentHeight = 1000;
    r.frame(780, 140, true);
    EXPECT_EQ(r.ed->help.documentScroll, 12);
    r.frame(780, 140, true, true);
    EXPECT_EQ(r.ed->help.documentScroll, 24);
    EXPECT_EQ(r.trace, (test::Trace{"redraw", "redraw"}));
}

TEST(PageMouse, ThreeDPickOnlyInTheLiveView) {
    for (const uint8_t state : {0, 1, 2}) {
        MouseRig r(Page::View3D);
        r.ed->pages.view3d.view3dState = state;
        r.frame(10, 200, true);
        EXPECT_EQ(r.trace == test::Trace{"update3dPick"}, state == 0);
    }
}

TEST(PageMouse, ScriptListSwitchesScriptsOutsideDemos) {
    struct Case {
        int32_t count, top, demo, y;
        int32_t index;  // -1: untouched
        bool loads;
    };
    for (const Case c : {Case{3, 0, -1, 520, 0, false}, Case{3, 0, -1, 508, 1, true},
                         Case{3, 0, -1, 150, 2, true}, Case{3, 0, 5, 508, -1, false},
                         Case{0, 0, -1, 508, -1, false}, Case{3, -9, -1, 520, -1, false}}) {
        MouseRig r(Page::ScriptEditor);
        ScriptState& s = r.ed->pages.scriptEditor;
        s.scriptNames = {"a", "b", "c"};
        s.scriptName = "a";
        s.scriptCount = c.count;
        s.scriptListTop = c.top;
        s.scriptIndex = -1;
        r.ed->demo.demoFrameIndex = c.demo;
        r.ed->calls.loadScript = [&r](Editor&) { return r.trace.push_back("loadScript"), true; };
        r.frame(20, c.y, true);
        EXPECT_EQ(s.scriptIndex, c.index) << c.y << " " << c.count << " " << c.top;
        EXPECT_EQ(r.trace == test::Trace{"loadScript"}, c.loads) << c.y;
    }
}

TEST(PageMouse, ScriptTextTakesClicksDuringDemosButNotWhileAButtonIsHeld) {
    for (const int32_t demo : {-1, 4}) {
        for (const int32_t hovered : {0, 26001}) {
            SCOPED_TRACE(demo * 100000 + hovered);
            MouseRig r(Page::ScriptEditor);
            ScriptState& s = r.ed->pages.scriptEditor;
            s.scriptText = "abc";
            layoutScriptText(s);
            r.ed->demo.demoFrameIndex = demo;
            r.ed->app.hoveredWidget = hovered;
            r.frame(600, 515, true);
            EXPECT_EQ(s.scriptCursor, hovered == 0 ? 3 : 0);
            EXPECT_EQ(r.ed->app.hoveredWidget, hovered == 0 ? 26020 : hovered);
        }
    }
}

TEST(PageMouse, ProblemListClickSelectsAndGlides) {
    struct Case {
        int32_t y, scroll;
        uint8_t kind;
        int32_t object;
        bool opens;
        int32_t toX, toY;  // the glide target; toX 1 for no glide
    };
    // Entry 0 has one line (rows 539..554), entry 1 three (499..538).
    const Case cases[] = {
        {545, 0, 2, 1, true, -30, 40},     // a sprite
        {500, 0, 1, 0, true, -15, 25},     // a wall: the middle of its two ends
        {545, 1, 1, 0, true, -15, 25},     // scrolled: entry 1 on top
        {545, 0, 1, 2, true, -100, 200},   // a wall with a bad point2: its own start
        {545, 0, 0, 0, true, -10, 20},     // a sector: the start of its first wall
        {545, 0, 0, 1, true, 1, 0},        // a sector with a bad wallptr: no glide
        {545, 0, 2, 5, false, 1, 0},       // past the sprites
        {545, 0, 3, 0, false, 1, 0},       // an entry about the map
        {545, 99, 2, 1, true, -30, 40},    // a top past the list starts at its last entry
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.y * 100 + c.object);
        MouseRig r(Page::ProblemList);
        Editor& ed = *r.ed;
        ed.map.sectorCount = 2, ed.map.wallCount = 3, ed.map.spriteCount = 2;
        ed.map.sectors[0].wallptr = 0;
        ed.map.sectors[1].wallptr = 7;
        ed.map.walls[0] = {};
        ed.map.walls[0].x = 10, ed.map.walls[0].y = 20, ed.map.walls[0].point2 = 1;
        ed.map.walls[1].x = 21, ed.map.walls[1].y = 31, ed.map.walls[1].point2 = 0;
        ed.map.walls[2].x = 100, ed.map.walls[2].y = 200, ed.map.walls[2].point2 = -4;
        ed.map.sprites[1].x = 30, ed.map.sprites[1].y = 40;
        ed.viewMotion.glideToX = 1;
        MessageLists& ml = ed.messages;
        // Scrolled, entry 0 (a sector) is off the list and entry 1 is the one-line case.
        const bool scrolled = c.scroll != 0;
        ml.problemList[0] = scrolled ? MessageListEntry{0, 0, 0, {"a"}}
                                     : MessageListEntry{c.kind, 0, c.object, {"a"}};
        ml.problemList[1] = scrolled ? MessageListEntry{c.kind, 0, c.object, {"a"}}
                                     : MessageListEntry{c.kind, 0, c.object, {"a", "b", "c"}};
        ml.problemCount = 2;
        ed.pages.problemList.problemListScroll = c.scroll;
        r.frame(100, c.y, true);
        EXPECT_EQ(ed.app.currentPage == Page::PlanView, c.opens);
        EXPECT_EQ(ed.viewMotion.glideToX, c.toX);
        if (c.toX != 1) EXPECT_EQ(ed.viewMotion.glideToY, c.toY);
        if (c.opens && c.kind == 2) EXPECT_EQ(ed.map.spriteSelected[size_t(c.object)], 1);
        EXPECT_EQ(ed.map.mapModified, MapModifiedState::Unmodified);
    }
}

TEST(PageMouse, HostileStateNeverCrashes) {
    std::mt19937 gen(7);
    const auto any = [&] {
        const int32_t picks[] = {INT32_MIN, -1, 0, 1, 16, 255, 4096, 65535, INT32_MAX};
        return gen() % 2 ? picks[gen() % 9] : int32_t(gen() % 1200) - 200;
    };
    // One editor through all the rounds: whatever a round leaves behind is part of the next
    // round's hostile state.
    MouseRig r{Page::PlanView};
    Editor& ed = *r.ed;
    for (int32_t round = 0; round < 300; ++round) {
        const int32_t pages[] = {0, 1, 2, 3, 5, 8, 9, 10, 11, 12, 13, 14, 16, 18, 22, 23, 24, 26, 255, 77};
        ed.app.currentPage = Page(pages[gen() % 20]);
        ed.pages.recordEditor.recordEditorSubject = uint8_t(gen());
        ed.pages.search.searchObjectKind = uint8_t(gen());
        ed.app.hoveredWidget = gen() % 2 ? any() : 2000 + int32_t(gen() % 30000);
        ed.dispatch.panelDragMouseX = any();
        ed.langs.languageListTop = any();
        ed.help.documentHeight = any();
        ed.help.documentScroll = any();
        ed.pages.colorSchemeEditor.colorEditorTop = any();
        ed.pages.colorSchemeEditor.colorEditorSelected = any();
        ed.pages.messageBox.messageBoxKind = MessageBoxKind(any());
        ed.pages.messageBox.messageBoxStep = any();
        ed.app.dragStartMouseY = any();
        for (int32_t f = 0; f < 6; ++f) r.frame(any(), any(), gen() % 3 != 0, gen() % 2);
        EXPECT_GE(ed.pages.colorSchemeEditor.colorEditorSelected, INT32_MIN);
    }
}

}  // namespace
}  // namespace korvel
