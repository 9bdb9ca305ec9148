// The script page's per-frame painter: caret, selection, title, list and the current script's
// bar, probed on the screen over a laid-out text.
#include "pages/ScriptEditor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "base/Mainm.h"
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

}  // namespace
}  // namespace korvel
