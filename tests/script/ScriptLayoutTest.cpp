#include "script/ScriptLayout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/EditorRig.h"

namespace korvel {
namespace {

std::vector<int32_t> line(const ScriptState& s, int32_t n) {
    std::vector<int32_t> cells;
    for (int32_t c = 0; c < kScriptLayoutColumns; ++c) cells.push_back(layoutCell(s, n, c));
    return cells;
}

// Cells from the given values, the last one repeated to column 74.
std::vector<int32_t> cells(std::vector<int32_t> values) {
    while (values.size() < size_t(kScriptLayoutColumns)) values.push_back(values.back());
    return values;
}

TEST(ScriptLayout, CellsReadEmptyBeforeTheFirstLayout) {
    auto s = std::make_unique<ScriptState>();
    const ScriptState& before = *s;
    EXPECT_EQ(line(before, 0), std::vector<int32_t>(kScriptLayoutColumns, -1));
    EXPECT_EQ(layoutCell(before, kScriptLayoutLines - 1, kScriptLayoutColumns - 1), -1);
    layoutCell(*s, kScriptLayoutLines - 1, 3) = 9;  // a write makes the whole layout
    EXPECT_EQ(layoutCell(before, kScriptLayoutLines - 1, 3), 9);
    EXPECT_EQ(layoutCell(before, 0, 0), -1);
}

TEST(ScriptLayout, AnEmptyTextIsOneLineStartingAtTheTextsStart) {
    auto s = std::make_unique<ScriptState>();
    s->scriptTopLine = 5;
    layoutScriptText(*s);
    EXPECT_EQ(s->scriptLineCount, 1);
    std::vector<int32_t> first(kScriptLayoutColumns, -1);
    first[0] = 1;
    EXPECT_EQ(line(*s, 0), first);
    EXPECT_EQ(line(*s, 31), first) << "the lines below the text copy its last line";
    EXPECT_EQ(line(*s, 32), std::vector<int32_t>(kScriptLayoutColumns, -1));
    EXPECT_EQ(s->scriptTopLine, 0);
}

TEST(ScriptLayout, LineBreaksStartLinesAndCellsHoldThePositionAfterTheirCharacter) {
    auto s = std::make_unique<ScriptState>();
    s->scriptText = "ab\r\ncd\r\n";
    layoutScriptText(*s);
    EXPECT_EQ(s->scriptLineCount, 3);
    EXPECT_EQ(line(*s, 0), cells({1, 2}));
    EXPECT_EQ(line(*s, 1), cells({5, 6}));
    EXPECT_EQ(line(*s, 2), cells({9})) << "an empty last line starts after the break";
    EXPECT_EQ(line(*s, 3), line(*s, 2));
}

TEST(ScriptLayout, ALayoutOverALongerOneKeepsNoCellOfIt) {
    const std::vector<int32_t> empty(kScriptLayoutColumns, -1);
    std::vector<int32_t> startsAtOne = empty;
    startsAtOne[0] = 1;
    // A carriage return without a line feed keeps the column: the next line's cells start there.
    std::vector<int32_t> fromColumn2 = empty;
    fromColumn2[2] = 5, fromColumn2[3] = 6;
    struct Case {
        std::string text;
        std::vector<std::vector<int32_t>> lines;
    };
    const Case cases[] = {
        {"ab\r\rcd", {cells({1, 2}), empty, fromColumn2}},
        {"\r\rab", {startsAtOne, empty, cells({3, 4})}},
        {"ab\r\n\r\ncd", {cells({1, 2}), cells({5}), cells({7, 8})}},
    };
    for (const Case& c : cases) {
        auto s = std::make_unique<ScriptState>();
        for (int i = 0; i < 40; ++i) s->scriptText += std::string(60, 'x') + "\r\n";
        layoutScriptText(*s);
        s->scriptText = c.text;
        layoutScriptText(*s);
        ASSERT_EQ(s->scriptLineCount, int32_t(c.lines.size())) << c.text;
        for (size_t n = 0; n < c.lines.size(); ++n)
            EXPECT_EQ(line(*s, int32_t(n)), c.lines[n]) << c.text << " line " << n;
        EXPECT_EQ(line(*s, 32), empty) << c.text;
    }
}

TEST(ScriptLayout, AWordThatWouldReachTheLastColumnMovesToTheNextLine) {
    auto s = std::make_unique<ScriptState>();
    // 70 characters, a blank, then a word of 5: it would end in column 75.
    s->scriptText = std::string(70, 'a') + " bbbbb";
    layoutScriptText(*s);
    EXPECT_EQ(s->scriptLineCount, 2);
    EXPECT_EQ(layoutCell(*s, 0, 69), 70);
    EXPECT_EQ(layoutCell(*s, 0, 74), 70) << "the blank has no cell of its own";
    EXPECT_EQ(layoutCell(*s, 1, 0), 72);
    EXPECT_EQ(layoutCell(*s, 1, 4), 76);

    // A word of 3 still fits.
    s->scriptText = std::string(70, 'a') + " bbb";
    layoutScriptText(*s);
    EXPECT_EQ(s->scriptLineCount, 1);
    EXPECT_EQ(layoutCell(*s, 0, 73), 74);
}

TEST(ScriptLayout, ATokenLongerThanALineIsBrokenAfterColumn74) {
    auto s = std::make_unique<ScriptState>();
    s->scriptText = std::string(80, 'x');
    layoutScriptText(*s);
    EXPECT_EQ(s->scriptLineCount, 2);
    EXPECT_EQ(layoutCell(*s, 0, 73), 74);
    EXPECT_EQ(layoutCell(*s, 0, 74), 74) << "the 75th character has no cell";
    EXPECT_EQ(layoutCell(*s, 1, 0), 76);
    EXPECT_EQ(layoutCell(*s, 1, 4), 80);
}

TEST(ScriptLayout, ATextLongerThanTheLayoutKeepsItsCharacters) {
    auto s = std::make_unique<ScriptState>();
    for (int i = 0; i < 17000; ++i) s->scriptText += "mov r01 1\r\n";
    const std::string text = s->scriptText;
    s->scriptTopLine = 20000;
    layoutScriptText(*s);
    EXPECT_EQ(s->scriptLineCount, kScriptLayoutLines);
    EXPECT_EQ(s->scriptText, text);
    EXPECT_EQ(s->scriptTopLine, kScriptLayoutLines - 32);
    EXPECT_EQ(layoutCell(*s, kScriptLayoutLines - 1, 0), 16383 * 11 + 1);
}

TEST(ScriptLayout, KeepingTheCursorVisibleScrollsToItsLine) {
    test::EditorRig rig("", false);
    ScriptState& s = rig.ed->pages.scriptEditor;
    for (int i = 0; i < 100; ++i) s.scriptText += "line\r\n";
    rig.ed->input.frameTime = 1234;
    struct Case {
        int32_t top, cursor, wantTop;
    } const cases[] = {
        {0, 6 * 50, 50 - 31},  // down: the line at the bottom of the window
        {60, 6 * 40 + 2, 40},  // up: the line at the top
        {30, 6 * 45, 30},      // already shown
        {0, 600, 101 - 32},    // the end of the text shows the last line
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor);
        s.scriptTopLine = c.top;
        s.scriptCursor = c.cursor;
        scriptEditorKeepCursorVisible(*rig.ed);
        EXPECT_EQ(s.scriptTopLine, c.wantTop);
        EXPECT_EQ(s.scriptCaretTime, 1234);
    }
}

TEST(ScriptLayout, LineEndsBecomeCrLf) {
    EXPECT_EQ(withCrLfLineEnds("a\nb\rc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(withCrLfLineEnds(""), "");
    EXPECT_TRUE(insideLineBreak("a\r\nb", 2));
    EXPECT_FALSE(insideLineBreak("a\nb", 1));
    EXPECT_FALSE(insideLineBreak("a\r\n", 3));
}

}  // namespace
}  // namespace korvel
