// The script text drawn into the background while it is laid out: the cleared window, the lines
// shown from the top line, and the grammar's colours per character.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/EditorCanvas.h"
#include "app/Startup.h"
#include "base/Random.h"
#include "script/ScriptLayout.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

struct TextRig : test::EditorRig {
    TextRig() { EXPECT_TRUE(startup(*ed)); }
    ScriptState& s() { return ed->pages.scriptEditor; }
    SurfaceView bg() { return backgroundView(ed->frameBuffer); }
    // The colours of the glyph box of visible line i, column k (0 not counted).
    std::set<int> inks(int32_t i, int32_t k) {
        std::set<int> found;
        const int32_t x = 170 + 8 * k, y = 513 - 12 * i;
        for (int32_t row = y; row <= y + 10; ++row)
            for (int32_t col = x; col <= x + 6; ++col)
                if (bg().at(col, row) != 0) found.insert(bg().at(col, row));
        return found;
    }
    void draw(const std::string& text, int32_t top = 0) {
        s().scriptText = text;
        s().scriptTopLine = top;
        drawScriptText(*ed);
    }
    // The colour each non-blank character of line 0 is drawn in, from column 0.
    std::vector<int> lineColours(int32_t i, int32_t columns) {
        std::vector<int> out;
        for (int32_t k = 0; k < columns; ++k) {
            const std::set<int> c = inks(i, k);
            out.push_back(c.empty() ? -1 : c.size() == 1 ? *c.begin() : -2);
        }
        return out;
    }
};

TEST(ScriptTextDrawing, ClearsTheWindowAndDrawsTheLinesFromTheTopLine) {
    TextRig r;
    std::string text;
    for (int i = 0; i < 40; ++i) text += "r" + std::to_string(10 + i) + "\r\n";
    // Marks in the cleared area, and just outside it.
    const SurfaceView bg = r.bg();
    bg.at(166, 138) = bg.at(774, 525) = 7;
    bg.at(165, 300) = bg.at(775, 300) = bg.at(400, 137) = bg.at(400, 526) = 7;
    r.draw(text);
    EXPECT_EQ(bg.at(166, 138), 0);
    EXPECT_EQ(bg.at(774, 525), 0);
    EXPECT_EQ(bg.at(165, 300) + bg.at(775, 300) + bg.at(400, 137) + bg.at(400, 526), 28);
    EXPECT_FALSE(r.inks(0, 0).empty());
    EXPECT_FALSE(r.inks(31, 0).empty());
    EXPECT_EQ(r.s().scriptLineCount, 41);

    // Scrolled to line 8: the first line shown is drawn as "r18" alone is.
    const auto box = [&] {
        std::vector<uint8_t> px;
        for (int32_t row = 513; row <= 523; ++row)
            for (int32_t col = 170; col < 194; ++col) px.push_back(bg.at(col, row));
        return px;
    };
    r.draw("r18\r\n");
    const std::vector<uint8_t> alone = box();
    r.draw(text, 8);
    EXPECT_EQ(box(), alone);
    EXPECT_EQ(r.s().scriptTopLine, 8);
    r.draw(text, 0);
    EXPECT_NE(box(), alone);

    // Past the end: drawn with the old value (nothing shown), then clamped; never below 0.
    r.draw(text, 100);
    EXPECT_TRUE(r.inks(0, 0).empty());
    EXPECT_EQ(r.s().scriptTopLine, 41 - 32);
    r.draw(text, -5);
    EXPECT_EQ(r.s().scriptTopLine, 0);
    EXPECT_FALSE(r.inks(0, 0).empty());
}

TEST(ScriptTextDrawing, ALongTokenDrawsItsLastColumnWithoutACell) {
    TextRig r;
    r.draw(std::string(100, 'a'));
    EXPECT_FALSE(r.inks(0, 74).empty()) << "the 75th character is drawn";
    EXPECT_FALSE(r.inks(1, 0).empty());
    EXPECT_EQ(layoutCell(r.s(), 1, 0), 76);
    // Line breaks draw nothing: a lone CR and LF leave their cells blank.
    r.draw("\r\n\r\n");
    for (int32_t i = 0; i < 3; ++i) EXPECT_TRUE(r.inks(i, 0).empty()) << i;
}

TEST(ScriptTextDrawing, ColoursFollowTheGrammar) {
    TextRig r;
    struct Case {
        const char* text;
        std::vector<int> colours;  // per column of line 0; -1 blank
    } const cases[] = {
        {"mov r01 5", {68, 68, 68, -1, 176, 176, 176, -1, 83}},
        {"movv r01 5", {78, 78, 78, 78, -1, 78, 78, 78, -1, 78}},
        {"!!! mov 5", {8, 8, 8, -1, 8, 8, 8, -1, 8}},
        {"~~~ x", {24, 24, 24, -1, 24}},
        {"*** x", {32, 32, 32, -1, 32}},
        {"// mov", {78, 78, -1, 78, 78, 78}},
        {"mov r01 5 end", {68, 68, 68, -1, 176, 176, 176, -1, 83, -1, 78, 78, 78}},
        {"mov r01 5 include", {68, 68, 68, -1, 176, 176, 176, -1, 83, -1, 78, 78, 78, 78, 78, 78, 78}},
        {"if r01 == 5", {212, 212, -1, 176, 176, 176, -1, 212, 212, -1, 83}},
        {"for each selected sector r02",
         {212, 212, 212, -1, 212, 212, 212, 212, -1, 212, 212, 212, 212, 212, 212, 212, 212, -1,
          212, 212, 212, 212, 212, 212, -1, 176, 176, 176}},
        {"end", {212, 212, 212}},
        {"getstartpos r01 x r02", {78, 78, 78, 78, 78, 78, 78, 78, 78, 78, 78}},
    };
    for (const Case& c : cases) {
        r.draw(c.text);
        EXPECT_EQ(r.lineColours(0, int32_t(c.colours.size())), c.colours) << c.text;
    }
    // Each CR brings the parser back to a statement's start.
    r.draw("bad r01\r\nmov r01 5");
    EXPECT_EQ(r.lineColours(1, 3), std::vector<int>({68, 68, 68}));
    // A 300-character token is an error (though a number), moved whole to the next line.
    r.draw("mov r01 " + std::string(300, '1') + "\r\nmov");
    EXPECT_EQ(r.lineColours(1, 2), std::vector<int>({78, 78}));
    EXPECT_EQ(r.lineColours(r.s().scriptLineCount - 1, 1), std::vector<int>({68}));
    r.draw("mov r01 " + std::string(255, '0') + "5");
    EXPECT_EQ(r.lineColours(1, 1), std::vector<int>({83}));
}

// A text drawn again at other top lines, or after a cell was written or a character replaced,
// shows, lays out and scrolls as a first layout of it does.
TEST(ScriptTextDrawing, DrawingAgainDrawsAsAFirstLayout) {
    TextRig r;
    const auto repeat = [](const std::string& piece, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += piece;
        return out;
    };
    const std::string statements = "mov r01 5\r\n!!! a comment if r01 == 5\r\n" +
                                   std::string(90, 'q') + " x\r\nif r01 == 5 " +
                                   std::string(170, 'z') + " endif\r\n";
    const std::string texts[] = {
        repeat(statements, 30),
        repeat("mov r01 5\rr02\n 7 !!! x\r\n\n~~~ y\rz\r\n", 40),  // lone CRs keep the column
        repeat("if r01 == 5 mov r02 ", 120),                       // one line wrapped many times
        repeat("a\r\n", kScriptLayoutLines + 40),  // more lines than the layout holds
    };
    const Canvas cv = canvasOf(*r.ed);
    const SurfaceView bg = r.bg();
    const auto window = [&] {
        std::vector<uint8_t> px;
        for (int32_t y = kScriptAreaBottom; y <= kScriptAreaTop; ++y)
            px.insert(px.end(), &bg.at(kScriptAreaLeft, y), &bg.at(kScriptAreaRight, y) + 1);
        return px;
    };
    // The cells of the lines laid out and the first one below them.
    const auto sameCells = [](const ScriptState& a, const ScriptState& b) {
        const size_t n = size_t(
            std::min(std::max(a.scriptLineCount, kScriptShownLines) + 1, kScriptLayoutLines));
        return std::equal(a.scriptLayout.begin(),
                          a.scriptLayout.begin() + ptrdiff_t(n * kScriptLayoutColumns),
                          b.scriptLayout.begin());
    };
    auto first = std::make_unique<ScriptState>();
    for (size_t t = 0; t < std::size(texts); ++t) {
        const std::string& text = texts[t];
        ScriptState& s = r.s();
        s.scriptText = text;
        s.scriptTopLine = 0;
        layoutScriptText(s);
        const int32_t lines = s.scriptLineCount;
        const int32_t tops[] = {0, lines - 32, 3,  lines / 2, lines - 33,
                                1, lines + 5,  -2, lines - 1};
        for (int32_t step = 0; step < 12; ++step) {
            SCOPED_TRACE(testing::Message() << "text " << t << " step " << step);
            if (step == 9) layoutCell(s, 1, 0) = 4;
            if (step == 10) s.scriptText[3] = '\r';
            const int32_t top = tops[step % 9];
            s.scriptTopLine = top;
            layoutScriptText(s, &cv, &r.ed->fonts);
            const std::vector<uint8_t> again = window();
            first->scriptLayout.clear();  // laid out as never before
            first->scriptText = s.scriptText;
            first->scriptTopLine = top;
            layoutScriptText(*first, &cv, &r.ed->fonts);
            EXPECT_EQ(again, window());
            EXPECT_EQ(s.scriptLineCount, first->scriptLineCount);
            EXPECT_EQ(s.scriptTopLine, first->scriptTopLine);
            EXPECT_TRUE(sameCells(s, *first));
        }
    }
}

// Random edits of a CR LF text with runs of blanks and tokens of up to 300 characters: the cells
// keep to the text and its order, and drawing keeps to the text window.
TEST(ScriptTextDrawing, LayoutsOfEditedTextsKeepTheirInvariants) {
    TextRig r;
    Random rng{2024};
    const auto pick = [&](int32_t n) { return int32_t(uint32_t(randomLong(rng)) % uint32_t(n)); };
    const char* words[] = {"mov", "r01", "5", "if", "==", "endif", "!!!", "//", "end", "x"};
    const auto chunk = [&] {
        std::string c;
        for (int32_t i = pick(6); i >= 0; --i) switch (pick(4)) {
                case 0: c += "\r\n"; break;
                case 1: c += std::string(size_t(1 + pick(12)), ' '); break;
                case 2: c += std::string(size_t(1 + pick(300)), char('a' + pick(26))); break;
                default: c += words[pick(10)]; break;
            }
        return c;
    };
    std::string text;
    const SurfaceView bg = r.bg();
    for (int step = 0; step < 120; ++step) {
        const size_t at = text.empty() ? 0 : size_t(pick(int32_t(text.size()) + 1));
        if (pick(3) == 0 && !text.empty())
            text.erase(at, size_t(pick(40)));
        else
            text.insert(at, chunk());
        text = withCrLfLineEnds(text);
        std::fill(r.ed->frameBuffer.background.begin(), r.ed->frameBuffer.background.end(),
                  uint8_t(7));
        r.draw(text, pick(40) - 5);
        ScriptState& s = r.s();
        SCOPED_TRACE(step);
        const auto len = int32_t(text.size());
        std::vector<int32_t> order;  // each line's values, runs taken once
        for (int32_t n = 0; n < s.scriptLineCount; ++n)
            for (int32_t k = 0; k < kScriptLayoutColumns; ++k) {
                const int32_t v = layoutCell(s, n, k);
                ASSERT_TRUE(v == -1 || (v >= 1 && v <= len + 1)) << n << "," << k << ": " << v;
                if (k > 0) ASSERT_GE(v, layoutCell(s, n, k - 1)) << n << "," << k;
                if (v >= 0 && (k == 0 || v != layoutCell(s, n, k - 1))) order.push_back(v);
            }
        for (size_t i = 1; i < order.size(); ++i) ASSERT_LT(order[i - 1], order[i]);
        std::vector<bool> hasCell(size_t(len) + 2, false);
        for (const int32_t v : order) {
            hasCell[size_t(v)] = true;
            if (v <= len) ASSERT_NE(text[size_t(v - 1)], '\n') << v;
        }
        for (int32_t p = 1; p <= len; ++p) {
            const char c = text[size_t(p - 1)];
            if (c == '\r' || c == '\n' || c == ' ' || hasCell[size_t(p)]) continue;
            // Without a cell only the character drawn in column 74: the next line starts after it.
            bool startsNext = false;
            for (int32_t n = 1; n < s.scriptLineCount && !startsNext; ++n)
                startsNext = layoutCell(s, n, 0) == p + 1;
            ASSERT_TRUE(startsNext) << "position " << p;
        }
        for (int32_t y = 0; y < bg.height; ++y)
            for (int32_t x = 0; x < bg.width; ++x)
                if (x < 166 || x > 774 || y < 138 || y > 525) ASSERT_EQ(bg.at(x, y), 7);
        ASSERT_GE(s.scriptTopLine, 0);
    }
}

}  // namespace
}  // namespace korvel
