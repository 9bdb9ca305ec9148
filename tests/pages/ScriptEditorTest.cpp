// The script page's per-frame painter: caret, selection, title, list and the current script's
// bar, probed on the screen over a laid-out text.
#include "pages/ScriptEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "base/Mainm.h"
#include "pages/PageMouse.h"
#include "script/ScriptLayout.h"
#include "support/EditorRig.h"
#include "ui/Text.h"

namespace korvel {
namespace {

struct PainterRig : test::EditorRig {
    PainterRig() {
        EXPECT_TRUE(startup(*ed));
        ed->app.focusedField = -1;
        ed->demo.demoFrameIndex = -1;
    }
    ScriptState& s() { return ed->pages.scriptEditor; }
    SurfaceView screen() { return screenView(ed->frameBuffer); }
    void fillScreen(uint8_t c) {
        std::fill(ed->frameBuffer.screen.begin(), ed->frameBuffer.screen.end(), c);
    }
    // The screen cleared to 0, then one frame painted at frameTime.
    void paint(int32_t frameTime, uint8_t fill = 0) {
        fillScreen(fill);
        ed->input.frameTime = frameTime;
        drawScriptEditor(*ed);
    }
    void layout(const std::string& text) {
        s().scriptText = text;
        s().scriptTopLine = s().scriptShownLine = 0;
        layoutScriptText(s());  // cells only: the screen holds nothing but what the painter adds
    }
    int count(int32_t x0, int32_t x1, int32_t y0, int32_t y1, uint8_t colour) {
        int n = 0;
        for (int32_t y = y0; y <= y1; ++y)
            for (int32_t x = x0; x <= x1; ++x) n += screen().at(x, y) == colour;
        return n;
    }
};

constexpr int32_t kX0 = 170, kY0 = 513;

TEST(ScriptEditorPainter, CaretBlinksAfterItsCharacterAndHidesWhileAFieldIsEdited) {
    PainterRig r;
    r.layout("ab\r\ncd");
    r.s().scriptCaretTime = 1000;
    struct Case {
        int32_t cursor, frameTime, field;
        int32_t lineX, lineY;  // -1: no caret
    } const cases[] = {
        {1, 1249, -1, kX0 + 7, kY0},           // after "a"
        {1, 1250, -1, -1, 0},                  // blinked off
        {1, 1500, -1, kX0 + 7, kY0},           // on again
        {1, 1249, 56, -1, 0},                  // a value field is edited
        {4, 1000, -1, kX0 - 1, kY0 - 12},      // before "c", the line's first character
        {6, 1000, -1, kX0 + 8 + 7, kY0 - 12},  // the text's end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor * 10000 + c.frameTime);
        r.s().scriptCursor = r.s().scriptAnchor = c.cursor;
        r.ed->app.focusedField = c.field;
        r.paint(c.frameTime);
        const int total = r.count(160, 790, 130, 530, 83);
        if (c.lineX < 0) {
            EXPECT_EQ(total, 0);
        } else {
            EXPECT_EQ(r.count(c.lineX, c.lineX, c.lineY, c.lineY + 11, 83), 12);
            EXPECT_EQ(total, 12);
        }
    }
    // Overwrite: the block right of the caret's place inverted.
    r.ed->app.focusedField = -1;
    r.s().scriptCursor = r.s().scriptAnchor = 1;
    r.s().scriptOverwrite = 1;
    r.paint(1000);
    EXPECT_EQ(r.count(kX0 + 7, kX0 + 14, kY0, kY0 + 11, 83), 96);
    EXPECT_EQ(r.count(160, 790, 130, 530, 83), 96);
    r.paint(1000, 83);
    EXPECT_EQ(r.count(kX0 + 7, kX0 + 14, kY0, kY0 + 11, 0), 96);
}

TEST(ScriptEditorPainter, SelectionPaintsCellsLineEndsAndEmptyLines) {
    PainterRig r;
    r.layout("ab\r\n\r\ncd");
    r.s().scriptCaretTime = 0;
    const auto selectedCells = [&](int32_t line) {
        std::string marks;
        for (int32_t k = 0; k < 4; ++k)
            marks += r.count(kX0 + 8 * k - 1, kX0 + 8 * k + 6, kY0 - 12 * line,
                             kY0 - 12 * line + 11, 28) == 96
                         ? 'S'
                         : '.';
        return marks;
    };
    struct Case {
        int32_t cursor, anchor;
        const char *line0, *line1, *line2;
    } const cases[] = {
        {0, 0, "....", "....", "...."},
        {1, 2, ".S..", "....", "...."},  // "b"
        {2, 1, ".S..", "....", "...."},  // the other direction
        {1, 4, ".SS.", "....", "...."},  // "b" and the line end after it
        {1, 6, ".SS.", "S...", "...."},  // and the empty line's break, in its first cell
        {4, 8, "....", "S...", "SS.."},
        {5, 8, "....", "....", "SS.."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cursor) + "-" + std::to_string(c.anchor));
        r.s().scriptCursor = c.cursor;
        r.s().scriptAnchor = c.anchor;
        r.paint(300);  // the caret is off
        EXPECT_EQ(selectedCells(0), c.line0);
        EXPECT_EQ(selectedCells(1), c.line1);
        EXPECT_EQ(selectedCells(2), c.line2);
    }
}

TEST(ScriptEditorPainter, TitleListAndBar) {
    PainterRig r;
    r.layout("");
    const Fonts& f = r.ed->fonts;
    r.s().scriptName = "abc";
    r.s().scriptNames = {"one", std::string(40, 'w'), "three"};
    r.s().scriptCount = 3;
    r.s().scriptIndex = 1;
    r.s().scriptListTop = 0;
    r.s().scriptCaretTime = 0;
    r.ed->app.focusedField = 189;
    const int32_t caretX = 12 + propTextWidth(f, "abc") + 1;
    r.paint(100, 5);
    EXPECT_EQ(r.count(caretX, caretX, 538, 548, 0), 11);
    r.paint(250, 5);
    EXPECT_EQ(r.count(caretX, caretX, 538, 548, 0), 0) << "blinked off";

    // The long name is cut with "..." to 128 pixels; nothing of it right of the bar.
    const std::string cut = cutToWidth(f, std::string(40, 'w'), 128);
    EXPECT_LE(propTextWidth(f, cut), 128);
    EXPECT_GT(propTextWidth(f, cut.substr(0, cut.size() - 3) + "w..."), 128);
    EXPECT_EQ(cut.substr(cut.size() - 3), "...");
    EXPECT_EQ(cutToWidth(f, "one", 128), "one");
    EXPECT_EQ(r.count(143, 165, 490, 513, 5), 23 * 24);
    // Titles are cut as well, at 138 pixels.
    r.s().scriptName = std::string(60, 'W');
    r.paint(250, 5);
    EXPECT_EQ(r.count(12 + 139, 799, 538, 548, 5), (799 - 150) * 11);
    EXPECT_LT(r.count(12, 150, 538, 548, 5), 139 * 11);

    // The bar of script 1 at row 502 pulses with the sine of the time.
    for (const int32_t t : {0, 157, 314, 471}) {
        r.paint(t, 5);
        const auto c = uint8_t(24 + safeFloor(std::sin(t / 100.0) * 6 + 6));
        EXPECT_EQ(r.screen().at(60, 501), c) << t;
        EXPECT_EQ(r.screen().at(10, 505), c) << t;
        EXPECT_EQ(r.screen().at(142, 513), c) << t;
        EXPECT_EQ(r.screen().at(60, 513), c) << t;
        EXPECT_EQ(r.screen().at(140, 505), 5 % 12 + 20) << t;
    }

    // During a demo: no title, list or bar; the caret still shows.
    r.ed->demo.demoFrameIndex = 3;
    r.ed->app.focusedField = -1;
    r.paint(0, 5);
    EXPECT_EQ(r.count(0, 165, 130, 560, 5), 166 * 431);
    EXPECT_EQ(r.count(kX0 - 1, kX0 - 1, kY0, kY0 + 11, 83), 12);
}

// The pointer on the text window, frame by frame, over a text laid out without drawing.
struct ClickRig {
    ScriptState s;
    int32_t hovered = 0;
    bool down = false;

    explicit ClickRig(const std::string& text) {
        s.scriptText = text;
        layoutScriptText(s);
    }
    void frame(int32_t x, int32_t y, bool held, int32_t time = 0, bool shift = false) {
        Pointer p;
        p.x = x, p.y = y, p.held = held, p.wasHeld = down, p.shift = shift;
        down = held;
        scriptTextMouse(s, p, time, hovered);
    }
    void click(int32_t x, int32_t y, int32_t time = 0, bool shift = false) {
        frame(x, y, true, time, shift);
        frame(x, y, false, time, shift);
        hovered = 0;  // the dispatcher's release
    }
};

// The baseline rows of the first four shown lines.
constexpr int32_t kRow0 = 515, kRow1 = 503, kRow2 = 491, kRow3 = 479;

TEST(ScriptTextMouse, ClicksPlaceTheCaretByTheCellUnderThePointer) {
    // Positions: "mov r01 5" 1..9, CR LF 10-11, "ab" 12-13, CR LF 14-15, CR LF 16-17, "cd" 18-19.
    const std::string text = "mov r01 5\r\nab\r\n\r\ncd";
    struct Case {
        int32_t x, y;
        bool shift;
        int32_t cursor, anchor;  // -1: untouched (both stay 3)
    } const cases[] = {
        {170, kRow0, false, 0, 0},    // the margin: before the line's first character
        {166, kRow0, false, 0, 0},    // the margin's first column
        {173, kRow0, false, 0, 0},
        {174, kRow0, false, 1, 1},    // column 0: after "m"
        {182, kRow0, false, 2, 2},
        {600, kRow0, false, 9, 9},    // right of the line: after "5"
        {766, kRow0, false, 9, 9},    // column 74
        {170, kRow1, false, 11, 11},  // before "a"
        {600, kRow1, false, 13, 13},  // after "b"
        {600, kRow1, true, 13, 3},    // Shift keeps the anchor
        {170, kRow2, false, 15, 15},  // the empty line
        {600, kRow2, false, 15, 15},  // right of it: still before its line break
        {600, kRow3, false, 19, 19},
        {300, 400, false, 19, 19},    // below the text: its last line
        {782, kRow0, false, -1, -1},  // right of column 74
        {300, 137, false, -1, -1},    // below the window
        {100, 300, false, -1, -1},    // the script list
        {300, 560, false, -1, -1},    // the buttons' row
    };
    ClickRig r(text);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        r.down = false;
        r.hovered = r.s.scriptTextChanged = 0;
        r.s.scriptCursor = r.s.scriptAnchor = 3;
        r.frame(c.x, c.y, true, 0, c.shift);
        EXPECT_EQ(r.s.scriptCursor, c.cursor < 0 ? 3 : c.cursor);
        EXPECT_EQ(r.s.scriptAnchor, c.anchor < 0 ? 3 : c.anchor);
        EXPECT_EQ(r.hovered, c.cursor < 0 ? 0 : 26020);
        EXPECT_EQ(r.s.scriptTextChanged, c.cursor < 0 || c.x < 174 ? 0 : 1);
    }
}

TEST(ScriptTextMouse, DragExtendsTheSelectionAndScrollsALinePerFrame) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "line" + std::to_string(i % 10) + "\r\n";
    ClickRig r(text);  // 41 visual lines: the top line goes from 0 to 9
    ASSERT_EQ(r.s.scriptLineCount, 41);
    r.frame(170, kRow1, true, 100);  // before line 1
    EXPECT_EQ(r.s.scriptAnchor, 7);
    r.frame(600, kRow3, true, 116);  // after line 3
    EXPECT_EQ(r.s.scriptCursor, 26);
    EXPECT_EQ(r.s.scriptAnchor, 7);
    EXPECT_EQ(r.s.scriptCaretTime, 116);
    for (int32_t f = 1; f <= 12; ++f) {
        r.frame(600, 100, true, 116 + f);  // below the window
        EXPECT_EQ(r.s.scriptTopLine, std::min(f, 9));
    }
    // The bottom row shows line 9 + 31 = 40, the empty last line, whose cells name the position
    // after the text: the caret stops at the text's end.
    EXPECT_EQ(r.s.scriptCursor, int32_t(text.size()));
    for (int32_t f = 1; f <= 11; ++f) {
        r.frame(-50, 590, true, 200 + f);  // above the window and left of the margin
        EXPECT_EQ(r.s.scriptTopLine, std::max(9 - f, 0));
    }
    EXPECT_EQ(r.s.scriptCursor, 0);  // the margin of line 0
    EXPECT_EQ(r.s.scriptAnchor, 7);
}

TEST(ScriptTextMouse, DoubleClickSelectsTheWordAndHoldsTheDragUntilRelease) {
    struct Case {
        const char* text;
        int32_t x, secondTime;
        int32_t anchor, cursor;  // after the second click
        bool blocksDrag;
    } const cases[] = {
        {"mov r01 5", 214, 1200, 4, 7, true},   // "r01"
        {"mov r01 5", 214, 1251, 6, 6, false},  // too late: a click again
        {"a  b", 182, 1100, 2, 2, false},       // between two blanks: nothing to select
        {"ab\r\ncd", 174, 1010, 0, 2, true},    // the line break ends the word
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.secondTime));
        ClickRig r(c.text);
        r.click(c.x, kRow0, 1000);
        r.frame(c.x, kRow0, true, c.secondTime);
        EXPECT_EQ(r.s.scriptAnchor, c.anchor);
        EXPECT_EQ(r.s.scriptCursor, c.cursor);
        EXPECT_EQ(r.s.scriptDragFlag, c.blocksDrag ? 1 : 0);
        r.frame(170, kRow0, true, c.secondTime + 20);  // dragged to the line's start
        EXPECT_EQ(r.s.scriptCursor, c.blocksDrag ? c.cursor : 0);
        r.frame(170, kRow0, false, c.secondTime + 40);
        EXPECT_EQ(r.s.scriptDragFlag, 0);
    }
}

TEST(ScriptTextMouse, HostileStateStaysInBounds) {
    const int32_t picks[] = {INT32_MIN, -40, -1, 0, 1, 5, 31, 16383, 16384, INT32_MAX};
    uint32_t seed = 11;
    const auto any = [&] {
        seed = seed * 1103515245u + 12345u;
        return picks[(seed >> 16) % 10];
    };
    // Laid out once each: the pointer reads the layout and never changes it.
    ClickRig rigs[] = {ClickRig("ab cd\r\n\r\nef"), ClickRig(""), ClickRig("ab")};
    rigs[2].s.scriptLayout.clear();  // never laid out
    for (int32_t round = 0; round < 300; ++round) {
        ClickRig& r = rigs[round % 3];
        r.down = false;
        r.s.scriptDragFlag = 0;
        r.s.scriptTopLine = any();
        r.s.scriptLineCount = any();
        r.s.scriptCursor = any();
        r.s.scriptAnchor = any();
        r.s.lastClickTime = any();
        r.hovered = round % 3 ? 0 : 26020;
        const int32_t cursor = r.s.scriptCursor, length = int32_t(r.s.scriptText.size());
        for (int32_t f = 0; f < 4; ++f) r.frame(any() % 900, any() % 700, f < 3, any());
        // A caret the pointer placed lies in the text.
        if (r.s.scriptCursor != cursor) {
            EXPECT_GE(r.s.scriptCursor, 0);
            EXPECT_LE(r.s.scriptCursor, length);
        }
    }
}

}  // namespace
}  // namespace korvel
