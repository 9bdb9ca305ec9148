#include "script/ScriptLayout.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "script/ScriptCompiler.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr char kCr = '\r', kLf = '\n';
constexpr int32_t kLeft = 170;       // x of column 0
constexpr int32_t kRightEdge = 770;  // x past column 74
constexpr int32_t kShownLines = 32;

// Length of the token that starts after the blank at i: up to the next blank or line break, its
// first character always taken; empty when another blank follows.
int64_t wordAfterBlank(const std::string& text, size_t i) {
    const size_t start = i + 1;
    if (start >= text.size() || text[start] == ' ') return 0;
    size_t end = start + 1;
    while (end < text.size() && text[end] != ' ' && text[end] != kCr && text[end] != kLf) ++end;
    return int64_t(end - start);
}

}  // namespace

void layoutScriptText(ScriptState& s, const Canvas* cv, const Fonts* fonts) {
    const bool draw = cv != nullptr && fonts != nullptr;
    if (draw) {
        const SurfaceView bg = backgroundView(cv->frame);
        for (int32_t y = kScriptAreaBottom; y <= kScriptAreaTop && y < bg.height; ++y)
            for (int32_t x = kScriptAreaLeft; x <= kScriptAreaRight && x < bg.width; ++x)
                bg.at(x, y) = 0;
    }
    // The first shown line is never above line 0.
    const int32_t top = std::max(s.scriptTopLine, 0);
    ScriptColouring colouring;
    int32_t colour = kScriptColourError;
    int32_t y = kScriptTextTop;
    std::string glyph(1, ' ');
    if (s.scriptLayout.empty()) {
        s.scriptLayout.assign(size_t(kScriptLayoutLines) * kScriptLayoutColumns, -1);
        s.scriptLayoutExtent = 0;
    }
    // A line entered at the left edge has its cells written from the first one on without gaps;
    // `written` counts them and the rest is filled when the layout leaves the line, so it needs
    // no clearing beforehand. A line entered further right (a carriage return without a line
    // feed keeps the column) is cleared on entry and its first empty cell found when it is left.
    // The lines the last layout used beyond this one's are cleared at the end.
    int32_t* const cells = s.scriptLayout.data();
    const auto lineCells = [cells](int32_t m) { return cells + size_t(m) * kScriptLayoutColumns; };
    int32_t written = 0;
    bool cleared = false;
    const auto put = [&](int32_t m, int32_t k, int32_t v) {
        lineCells(m)[k] = v;
        written = std::max(written, k + 1);
    };
    const auto enterLine = [&](int32_t m, bool atLeftEdge) {
        written = 0;
        cleared = !atLeftEdge;
        if (cleared) std::fill_n(lineCells(m), kScriptLayoutColumns, -1);
    };
    // Cells after a line's last character repeat it; an empty first line starts at position 1,
    // other empty lines stay empty.
    const auto finishLine = [&](int32_t m) {
        int32_t* line = lineCells(m);
        int32_t k = written;
        if (cleared) {
            k = 0;
            while (k < kScriptLayoutColumns && line[k] != -1) ++k;
        } else if (k == 0) {
            std::fill_n(line, kScriptLayoutColumns, -1);
        }
        if (k == 0 && m == 0) line[0] = 1;
        if (k >= 1) std::fill(line + k, line + kScriptLayoutColumns, line[k - 1]);
    };
    const std::string& text = s.scriptText;
    int32_t n = 0;  // visual line
    int32_t x = kLeft;
    enterLine(0, true);
    // Starts a new visual line whose start is the cursor position p (the 1-based position of
    // the character just passed); false when the layout is full.
    const auto breakLine = [&](int32_t p) {
        if (n + 1 >= kScriptLayoutLines) return false;
        if (n >= top) y -= 12;
        finishLine(n);
        enterLine(++n, true);
        x = kLeft;
        put(n, 0, p + 1);
        return true;
    };
    // Colours matter only up to the last shown line; below it the text is only laid out.
    const int64_t lastShown = int64_t(top) + kShownLines - 1;
    bool full = false;
    for (size_t i = 0; i < text.size() && !full; ++i) {
        // Positions past 2^31 - 2 cannot be named by a cell: the rest is not laid out.
        if (i >= size_t(INT32_MAX) - 1) break;
        const auto p = int32_t(i + 1);
        const char c = text[i];
        if (draw && n <= lastShown && (i == 0 || text[i - 1] == ' ' || text[i - 1] == kLf)) {
            // A token starts here; inside a comment it changes nothing.
            if (!colouring.inComment()) {
                size_t end = i;
                if (c != ' ') {
                    end = i + 1;
                    while (end < text.size() && text[end] != ' ' && text[end] != kLf &&
                           text[end] != kCr)
                        ++end;
                }
                const int32_t tokenColour =
                    colouring.token(std::string_view(text).substr(i, end - i));
                if (tokenColour >= 0) colour = tokenColour;
            }
        }
        if (c == kCr) {
            colouring.lineEnd();
            if (n + 1 >= kScriptLayoutLines) break;
            if (n >= top) y -= 12;
            finishLine(n);
            enterLine(++n, x == kLeft);
        } else if (c == kLf) {
            x = kLeft;
            put(n, 0, p + 1);
        } else {
            if (draw && n >= top && y >= kScriptTextTop - 12 * (kShownLines - 1)) {
                glyph[0] = c;
                drawTextBg(*cv, *fonts, glyph, x, y, colour);
            }
            x += 8;
            if (c == ' ' && x >= kRightEdge - 8 * wordAfterBlank(text, i))
                full = !breakLine(p);
            else if (x >= kRightEdge)
                full = !breakLine(p);
            else
                put(n, (x - 178) / 8, p);
        }
    }
    s.scriptLineCount = n + 1;

    finishLine(n);
    for (int32_t m = n + 1; m < kShownLines; ++m)
        std::copy_n(lineCells(n), kScriptLayoutColumns, lineCells(m));
    const int32_t used = std::max(n + 1, kShownLines);
    const int32_t stale = std::clamp(s.scriptLayoutExtent, used, kScriptLayoutLines);
    std::fill(lineCells(used), lineCells(stale), -1);
    s.scriptLayoutExtent = used;

    if (s.scriptLineCount > kShownLines)
        s.scriptTopLine = std::clamp(s.scriptTopLine, 0, s.scriptLineCount - kShownLines);
    else
        s.scriptTopLine = 0;
}

void drawScriptText(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    layoutScriptText(ed.pages.scriptEditor, &cv, &ed.fonts);
}

void scriptEditorKeepCursorVisible(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    drawScriptText(ed);
    s.scriptCaretTime = ed.input.frameTime;
    const int32_t lines = std::min(s.scriptLineCount, kScriptLayoutLines);
    int32_t found = -1;
    for (int32_t n = 0; n < lines && found < 0; ++n)
        for (int32_t c = 0; c < kScriptLayoutColumns; ++c) {
            const int32_t v = layoutCell(s, n, c);
            if (v >= 0 && v >= s.scriptCursor) {
                found = n;
                break;
            }
        }
    if (found >= 0) {
        const int32_t before = s.scriptTopLine;
        if (found < s.scriptTopLine) s.scriptTopLine = found;
        if (s.scriptTopLine < found - (kShownLines - 1))
            s.scriptTopLine = found - (kShownLines - 1);
        if (s.scriptTopLine != before) drawScriptText(ed);
    } else if (int64_t(s.scriptCursor) == int64_t(s.scriptText.size()) &&
               s.scriptTopLine < s.scriptLineCount - (kShownLines - 1)) {
        s.scriptTopLine = s.scriptLineCount - (kShownLines - 1);
        drawScriptText(ed);
    }
}

bool insideLineBreak(const std::string& text, int32_t p) {
    return p > 0 && size_t(p) < text.size() && text[size_t(p)] == kLf && text[size_t(p) - 1] == kCr;
}

std::string withCrLfLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == kCr) {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == kLf) ++i;
        } else if (c == kLf) {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace korvel
