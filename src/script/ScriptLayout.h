// The script editor's line layout: the script text cut into visual lines of 75 character cells
// (a CR LF ends a line, a word that would reach the last column moves to the next line, a longer
// token is broken after the 75th column), recorded as the map from screen cells to text
// positions that the caret, the selection, the keys and the mouse use.
#pragma once

#include <cstdint>
#include <string>

#include "script/ScriptFiles.h"

namespace korvel {

struct Editor;
struct Canvas;
struct Fonts;

// The text window: its cleared area and the cells' geometry.
constexpr int32_t kScriptAreaLeft = 166, kScriptAreaRight = 774;
constexpr int32_t kScriptAreaBottom = 138, kScriptAreaTop = 525;
constexpr int32_t kScriptTextLeft = 170;  // x of column 0
constexpr int32_t kScriptTextTop = 513;   // baseline of the first shown line
constexpr int32_t kScriptShownLines = 32;

// Cell (line, column) of the layout; the caller keeps line below kScriptLayoutLines and column
// below kScriptLayoutColumns. A cell taken for writing is no longer the layout's own: the next
// layout lays the text out again.
inline int32_t& layoutCell(ScriptState& s, int32_t line, int32_t column) {
    if (s.scriptLayout.empty())
        s.scriptLayout.assign(size_t(kScriptLayoutLines) * kScriptLayoutColumns, -1);
    s.scriptLayoutCurrent = 0;
    return s.scriptLayout[size_t(line) * kScriptLayoutColumns + size_t(column)];
}
inline int32_t layoutCell(const ScriptState& s, int32_t line, int32_t column) {
    if (s.scriptLayout.empty()) return -1;
    return s.scriptLayout[size_t(line) * kScriptLayoutColumns + size_t(column)];
}

// Lays scriptText out into scriptLayout and scriptLineCount and keeps scriptTopLine within the
// lines. A cell holds the 1-based position of the character shown there, which is the cursor
// position just after it; the first cell of a line minus 1 is the cursor position at the line's
// start; cells after a line's last character repeat its last value; an empty text gives line 0
// the first cell 1; the lines below the last one, up to the 32nd, copy it. A text that needs
// more than 16384 visual lines is laid out up to there and keeps the rest of its characters.
// With a canvas the text area of the background (rows 138..525, columns 166..774) is cleared
// and the lines from scriptTopLine on are drawn into it, coloured by the script grammar.
void layoutScriptText(ScriptState& s, const Canvas* cv = nullptr, const Fonts* fonts = nullptr);

// Lays the editor's script out again (the page's drawing of the text goes with it).
void drawScriptText(Editor& ed);

// Lays the text out, restarts the caret blink and scrolls scriptTopLine so that the cursor's
// line is among the 32 shown.
void scriptEditorKeepCursorVisible(Editor& ed);

// Whether position p of the text lies between the CR and the LF of a line end.
bool insideLineBreak(const std::string& text, int32_t p);

// The text with every line end made CR LF: a lone CR, a lone LF and CR LF all become CR LF.
std::string withCrLfLineEnds(const std::string& text);

}  // namespace korvel
