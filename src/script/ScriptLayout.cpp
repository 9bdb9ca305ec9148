#include "script/ScriptLayout.h"

#include <algorithm>
#include <utility>
#include <vector>

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

// One walk of the layout over the text from the start of a visual line on. With Cells it lays
// the text out into the cells and records where each line starts; without, it only draws and
// stops after the last shown line. With a canvas it colours the tokens and draws the characters
// of the shown lines.
template <bool Cells>
class LayoutWalk {
public:
    LayoutWalk(ScriptState& s, const Canvas* cv, const Fonts* fonts)
        : s_(s),
          text_(s.scriptText),
          cells_(s.scriptLayout.data()),
          cv_(cv),
          fonts_(fonts),
          draw_(cv != nullptr && fonts != nullptr),
          top_(std::max(s.scriptTopLine, 0)),  // the first shown line is never above line 0
          lastShown_(int64_t(top_) + kShownLines - 1) {}

    // Walks from the start of line n, at or above the first shown line: its first character, the
    // pen's x there and the colour drawn in from there; the grammar at a statement's start.
    void run(const ScriptLineStart start, int32_t n) {
        n_ = n;
        x_ = start.x;
        colour_ = start.colour;
        if (Cells) enterLine(n, true);
        bool full = false;
        for (size_t i = size_t(start.position); i < text_.size() && !full; ++i) {
            if (!Cells && n_ > lastShown_) break;
            // Positions past 2^31 - 2 cannot be named by a cell: the rest is not laid out.
            if (i >= size_t(INT32_MAX) - 1) break;
            const auto p = int32_t(i + 1);
            const char c = text_[i];
            if (draw_ && n_ <= lastShown_ &&
                (i == 0 || text_[i - 1] == ' ' || text_[i - 1] == kLf)) {
                // A token starts here; inside a comment it changes nothing.
                if (!colouring_.inComment()) {
                    size_t end = i;
                    if (c != ' ') {
                        end = i + 1;
                        while (end < text_.size() && text_[end] != ' ' && text_[end] != kLf &&
                               text_[end] != kCr)
                            ++end;
                    }
                    const int32_t tokenColour =
                        colouring_.token(std::string_view(text_).substr(i, end - i));
                    if (tokenColour >= 0) colour_ = tokenColour;
                }
            }
            if (c == kCr) {
                colouring_.lineEnd();
                if (n_ + 1 >= kScriptLayoutLines) break;
                const bool coloured = draw_ && n_ <= lastShown_;
                if (n_ >= top_) y_ -= 12;
                if (Cells) finishLine(n_);
                ++n_;
                if (Cells) {
                    enterLine(n_, x_ == kLeft);
                    s_.scriptLineStarts.push_back({p, x_, -1, true});
                }
                if (coloured) s_.scriptLineStarts[size_t(n_)].colour = colour_;
            } else if (c == kLf) {
                x_ = kLeft;
                if (Cells) put(n_, 0, p + 1);
            } else {
                if (draw_ && n_ >= top_ && y_ >= kScriptTextTop - 12 * (kShownLines - 1)) {
                    glyph_[0] = c;
                    drawTextBg(*cv_, *fonts_, glyph_, x_, y_, colour_);
                }
                x_ += 8;
                if (c == ' ' && x_ >= kRightEdge - 8 * wordAfterBlank(text_, i))
                    full = !breakLine(p);
                else if (x_ >= kRightEdge)
                    full = !breakLine(p);
                else if (Cells)
                    put(n_, (x_ - 178) / 8, p);
            }
        }
    }

    // The cells after the walk: the last line finished, the lines below it up to the 32nd
    // copying it, the lines the last layout used beyond these cleared.
    void finish() {
        finishLine(n_);
        for (int32_t m = n_ + 1; m < kShownLines; ++m)
            std::copy_n(lineCells(n_), kScriptLayoutColumns, lineCells(m));
        const int32_t used = std::max(n_ + 1, kShownLines);
        const int32_t stale = std::clamp(s_.scriptLayoutExtent, used, kScriptLayoutLines);
        std::fill(lineCells(used), lineCells(stale), -1);
        s_.scriptLayoutExtent = used;
    }

    int32_t lines() const { return n_ + 1; }

private:
    int32_t* lineCells(int32_t m) const { return cells_ + size_t(m) * kScriptLayoutColumns; }

    // A line entered at the left edge has its cells written from the first one on without gaps;
    // written_ counts them and the rest is filled when the layout leaves the line, so it needs
    // no clearing beforehand. A line entered further right (a carriage return without a line
    // feed keeps the column) is cleared on entry and its first empty cell found when it is left.
    void put(int32_t m, int32_t k, int32_t v) {
        lineCells(m)[k] = v;
        written_ = std::max(written_, k + 1);
    }
    void enterLine(int32_t m, bool atLeftEdge) {
        written_ = 0;
        cleared_ = !atLeftEdge;
        if (cleared_) std::fill_n(lineCells(m), kScriptLayoutColumns, -1);
    }
    // Cells after a line's last character repeat it; an empty first line starts at position 1,
    // other empty lines stay empty.
    void finishLine(int32_t m) {
        int32_t* line = lineCells(m);
        int32_t k = written_;
        if (cleared_) {
            k = 0;
            while (k < kScriptLayoutColumns && line[k] != -1) ++k;
        } else if (k == 0) {
            std::fill_n(line, kScriptLayoutColumns, -1);
        }
        if (k == 0 && m == 0) line[0] = 1;
        if (k >= 1) std::fill(line + k, line + kScriptLayoutColumns, line[k - 1]);
    }
    // Starts a new visual line whose start is the cursor position p (the 1-based position of
    // the character just passed); false when the layout is full.
    bool breakLine(int32_t p) {
        if (n_ + 1 >= kScriptLayoutLines) return false;
        if (n_ >= top_) y_ -= 12;
        if (Cells) finishLine(n_);
        ++n_;
        x_ = kLeft;
        if (Cells) {
            enterLine(n_, true);
            put(n_, 0, p + 1);
            s_.scriptLineStarts.push_back({p, x_, -1, false});
        }
        return true;
    }

    ScriptState& s_;
    const std::string& text_;
    int32_t* const cells_;
    const Canvas* const cv_;
    const Fonts* const fonts_;
    const bool draw_;
    const int32_t top_;
    // Colours matter only up to the last shown line; below it the text is only laid out.
    const int64_t lastShown_;
    ScriptColouring colouring_;
    std::string glyph_ = std::string(1, ' ');
    int32_t n_ = 0;  // visual line
    int32_t x_ = kLeft, y_ = kScriptTextTop;
    int32_t colour_ = kScriptColourError;
    int32_t written_ = 0;
    bool cleared_ = false;
};

// The latest line start at or above line n from which a drawing can go on: line 0, or a line
// after a carriage return whose colour a drawing has already found.
int32_t resumableLineAbove(const std::vector<ScriptLineStart>& starts, int32_t n) {
    for (int32_t m = n; m > 0; --m)
        if (starts[size_t(m)].afterReturn && starts[size_t(m)].colour >= 0) return m;
    return 0;
}

}  // namespace

void layoutScriptText(ScriptState& s, const Canvas* cv, const Fonts* fonts) {
    if (cv != nullptr && fonts != nullptr) {
        const SurfaceView bg = backgroundView(cv->frame);
        const int32_t right = std::min(kScriptAreaRight, bg.width - 1);
        for (int32_t y = kScriptAreaBottom; y <= kScriptAreaTop && y < bg.height; ++y)
            if (right >= kScriptAreaLeft)
                std::fill(&bg.at(kScriptAreaLeft, y), &bg.at(right, y) + 1, 0);
    }
    const int32_t top = std::max(s.scriptTopLine, 0);
    const bool current = s.scriptLayoutCurrent != 0 && !s.scriptLayout.empty() &&
                         !s.scriptLineStarts.empty() && s.scriptText == s.scriptLaidOutText;
    if (current) {
        // The cells are this text's already: only the shown lines are drawn, from the nearest
        // line start whose colour is known.
        s.scriptLineCount = int32_t(s.scriptLineStarts.size());
        if (cv != nullptr && fonts != nullptr && top < s.scriptLineCount) {
            const int32_t from = resumableLineAbove(s.scriptLineStarts, top);
            LayoutWalk<false>(s, cv, fonts).run(s.scriptLineStarts[size_t(from)], from);
        }
    } else {
        if (s.scriptLayout.empty()) {
            s.scriptLayout.assign(size_t(kScriptLayoutLines) * kScriptLayoutColumns, -1);
            s.scriptLayoutExtent = 0;
        }
        s.scriptLineStarts.clear();
        s.scriptLineStarts.push_back({0, kLeft, kScriptColourError, false});
        LayoutWalk<true> walk(s, cv, fonts);
        walk.run(s.scriptLineStarts[0], 0);
        walk.finish();
        s.scriptLineCount = walk.lines();
        s.scriptLaidOutText = s.scriptText;
        s.scriptLayoutCurrent = 1;
    }

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
            const int32_t v = layoutCell(std::as_const(s), n, c);
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
