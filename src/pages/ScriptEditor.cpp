#include "pages/ScriptEditor.h"

#include <algorithm>
#include <cmath>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "app/Sound.h"
#include "base/Mainm.h"
#include "pages/PageMouse.h"
#include "script/ScriptLayout.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kScriptNameField = 189;
constexpr int32_t kTitleX = 12, kTitleY = 538;
constexpr int32_t kTitleMaxWidth = 138;
constexpr int32_t kListX = 12, kListTop = 514, kListBottom = 138, kListMaxWidth = 128;
constexpr int32_t kBarLeft = 10, kBarRight = 142;
constexpr int32_t kCaretColour = 83;
constexpr int32_t kSelectionColour = 28;
constexpr int32_t kTextColour = 0;
constexpr int32_t kCurrentNameColour = 83;

void setPixel(const SurfaceView& sv, int32_t x, int32_t y, uint8_t c) {
    if (x >= 0 && y >= 0 && x < sv.width && y < sv.height) sv.at(x, y) = c;
}

// The caret after (at) or before a character: a line in the caret colour, or in overwrite mode
// the 8 x 12 block beside it inverted.
void drawCaret(const SurfaceView& sv, int32_t x, int32_t y, bool overwrite) {
    for (int32_t row = y; row <= y + 11; ++row) {
        if (!overwrite) {
            setPixel(sv, x, row, kCaretColour);
            continue;
        }
        for (int32_t col = x; col <= x + 7; ++col)
            if (col >= 0 && row >= 0 && col < sv.width && row < sv.height) {
                uint8_t& px = sv.at(col, row);
                px = px == 0 ? kCaretColour : 0;
            }
    }
}

// The selection behind one cell: its empty pixels take the selection colour.
void paintSelected(const SurfaceView& sv, int32_t x, int32_t y) {
    for (int32_t row = y; row <= y + 11; ++row)
        for (int32_t col = x - 1; col <= x + 6; ++col)
            if (col >= 0 && row >= 0 && col < sv.width && row < sv.height && sv.at(col, row) == 0)
                sv.at(col, row) = kSelectionColour;
}

int64_t floorMod(int64_t a, int64_t b) {
    const int64_t r = a % b;
    return r < 0 ? r + b : r;
}

void paintTitleAndList(const ScriptState& s, int32_t frameTime, int32_t focusedField,
                       const Fonts& fonts, const Canvas& cv, const SurfaceView& sv) {
    const std::string title = cutToWidth(fonts, s.scriptName, kTitleMaxWidth);
    drawPropText(cv, fonts, title, kTitleX, kTitleY, kTextColour);
    if (focusedField == kScriptNameField && floorMod(frameTime, 400) < 200) {
        const int32_t x = kTitleX + propTextWidth(fonts, title) + (title.empty() ? 0 : 1);
        for (int32_t row = kTitleY; row <= kTitleY + 10; ++row) setPixel(sv, x, row, kTextColour);
    }

    const int64_t d = int64_t(s.scriptIndex) - s.scriptListTop;
    if (d >= 0 && d <= 31) {
        const auto y = int32_t(kListTop - 12 * d);
        const auto c = uint8_t(24 + safeFloor(std::sin(frameTime / 100.0) * 6 + 6));
        for (int32_t x = kBarLeft; x <= kBarRight; ++x) {
            setPixel(sv, x, y - 1, c);
            setPixel(sv, x, y + 11, c);
            for (int32_t row = y; row <= y + 10; ++row)
                if (x >= 0 && row >= 0 && x < sv.width && row < sv.height)
                    sv.at(x, row) = uint8_t(sv.at(x, row) % 12 + 20);
        }
        for (int32_t row = y - 1; row <= y + 11; ++row) {
            setPixel(sv, kBarLeft, row, c);
            setPixel(sv, kBarRight, row, c);
        }
    }

    const int64_t count = std::min<int64_t>(s.scriptCount, int64_t(s.scriptNames.size()));
    int32_t row = kListTop;
    for (int64_t i = s.scriptListTop; row >= kListBottom && i < count; ++i, row -= 12) {
        if (i < 0) continue;
        const std::string name = cutToWidth(fonts, s.scriptNames[size_t(i)], kListMaxWidth);
        drawPropText(cv, fonts, name, kListX, row,
                     i == s.scriptIndex ? kCurrentNameColour : kTextColour);
    }
}

constexpr int32_t kTextDrag = 26020;
constexpr int32_t kDoubleClickMs = 250;

// Cell k of a visual line; a line outside the layout reads as empty.
int32_t cellOf(const ScriptState& s, int64_t line, int64_t k) {
    if (line < 0 || line >= kScriptLayoutLines || k < 0 || k >= kScriptLayoutColumns) return -1;
    return layoutCell(s, int32_t(line), int32_t(k));
}

// The characters that end a word for the double click: backspace, LF, CR and the blank.
bool endsWord(char c) {
    return c == 8 || c == 10 || c == 13 || c == 32;
}

// The caret goes to (x, y) of the text window: column c and visual row u (0 the bottom row).
void placeCaret(ScriptState& s, const Pointer& p, int64_t c, int64_t u, int32_t frameTime,
                int32_t& hoveredWidget) {
    if (u < 0 || u > 31) return;
    const int32_t length = int32_t(std::min<size_t>(s.scriptText.size(), INT32_MAX));
    const int64_t line = int64_t(std::max(s.scriptTopLine, 0)) - u + 31;
    const auto P = [&](int64_t k) { return cellOf(s, line, k); };
    if (p.x < 174) {
        s.scriptCursor = P(0) - 1 < 0 ? length : std::min(P(0) - 1, length);
        if (p.press() && !p.shift) s.scriptAnchor = s.scriptCursor;
        hoveredWidget = kTextDrag;
        return;
    }
    if (c < 0 || c > 74) return;
    const int32_t old = s.scriptCursor;
    int32_t cursor = c == 0 && P(1) < P(0) ? P(0) - 1 : P(c);
    if (cursor < 0) cursor = P(0) > 0 ? P(0) - 1 : length;
    // The empty line after a final line break names the position after the text.
    cursor = std::min(cursor, length);
    // An empty line's cells name its CR: the caret goes before it, never between CR and LF.
    if (insideLineBreak(s.scriptText, cursor)) --cursor;
    s.scriptCursor = cursor;
    if (p.press()) {
        s.scriptTextChanged = 1;
        if (!p.shift) s.scriptAnchor = s.scriptCursor;
    }
    if (s.scriptCursor != old || p.wasHeld) {
        s.lastClickTime = frameTime;
        hoveredWidget = kTextDrag;
        return;
    }
    hoveredWidget = kTextDrag;
    if (int64_t(frameTime) - s.lastClickTime > kDoubleClickMs) {
        s.lastClickTime = frameTime;
        return;
    }
    // A second click on the caret's own place: the word around it.
    int32_t a = std::clamp(s.scriptAnchor, 0, length), b = std::clamp(s.scriptCursor, 0, length);
    while (a > 0 && !endsWord(s.scriptText[size_t(a - 1)])) --a;
    while (b < length && !endsWord(s.scriptText[size_t(b)])) ++b;
    s.scriptAnchor = a, s.scriptCursor = b;
    if (a != b) s.scriptDragFlag = 1;
}

}  // namespace

void scriptTextMouse(ScriptState& s, const Pointer& p, int32_t frameTime, int32_t& hoveredWidget) {
    if (p.wasHeld && !p.held) s.scriptDragFlag = 0;
    if (!p.held || s.scriptDragFlag != 0) return;
    if (hoveredWidget == 0) {
        if (p.y < 138 || p.x < 166) return;
        // Divisions truncate toward zero: the margin's first columns still count as column 0.
        placeCaret(s, p, (int64_t(p.x) - 174) / 8, (int64_t(p.y) - 141) / 12, frameTime,
                   hoveredWidget);
    } else if (hoveredWidget == kTextDrag) {
        const int64_t c = std::clamp<int64_t>((int64_t(p.x) - 174) / 8, 0, 74);
        int64_t u = (int64_t(p.y) - 141) / 12;
        // Above or below the window the text scrolls a line per frame.
        int64_t top = s.scriptTopLine;
        if (u < 0) {
            top = std::min<int64_t>(top + 1, int64_t(s.scriptLineCount) - 32);
            u = 0;
        }
        if (u > 31) {
            top = std::max<int64_t>(top - 1, 0);
            u = 31;
        }
        s.scriptTopLine = int32_t(std::clamp<int64_t>(top, 0, INT32_MAX));
        s.scriptCaretTime = frameTime;
        placeCaret(s, p, c, u, frameTime, hoveredWidget);
    }
}

std::string cutToWidth(const Fonts& fonts, const std::string& text, int32_t maxWidth) {
    if (propTextWidth(fonts, text) <= maxWidth) return text;
    std::string cut = text;
    while (!cut.empty() && propTextWidth(fonts, cut + "...") > maxWidth) cut.pop_back();
    return cut + "...";
}

void paintScriptEditor(const ScriptState& s, int32_t frameTime, int32_t focusedField,
                       int32_t demoFrameIndex, const Fonts& fonts, const Canvas& cv) {
    const SurfaceView sv = screenView(cv.frame);
    if (demoFrameIndex == -1) paintTitleAndList(s, frameTime, focusedField, fonts, cv, sv);

    const int32_t lo = std::min(s.scriptCursor, s.scriptAnchor);
    const int32_t hi = std::max(s.scriptCursor, s.scriptAnchor);
    const auto selected = [&](int64_t v) { return lo != hi && lo < v && v <= hi; };
    bool caretDue = focusedField == -1 &&
                    (int64_t(frameTime) - int64_t(s.scriptCaretTime)) % 500 < 250;
    const auto textLength = int64_t(s.scriptText.size());
    const int32_t lines = std::min(s.scriptLineCount, kScriptLayoutLines);
    for (int32_t i = 0; i < kScriptShownLines; ++i) {
        const int64_t line = int64_t(s.scriptTopLine) + i;
        if (line >= lines) break;
        if (line < 0) continue;
        const auto n = int32_t(line);
        const int32_t y = kScriptTextTop - 12 * i;
        for (int32_t k = 0; k < kScriptLayoutColumns; ++k) {
            const int32_t x = kScriptTextLeft + 8 * k;
            const int32_t v = layoutCell(s, n, k);
            if (caretDue) {
                if (v == s.scriptCursor) {
                    drawCaret(sv, x + 7, y, s.scriptOverwrite != 0);
                    caretDue = false;
                } else if (k == 0 && int64_t(v) == int64_t(s.scriptCursor) + 1) {
                    drawCaret(sv, x - 1, y, s.scriptOverwrite != 0);
                    caretDue = false;
                }
            }
            if (lo == hi) continue;
            const int32_t left = k > 0 ? layoutCell(s, n, k - 1) : 0;
            if (selected(v) && (k == 0 || v != left)) paintSelected(sv, x, y);
            if (k >= 2 && v == left && left != layoutCell(s, n, k - 2) && selected(int64_t(v) + 1))
                paintSelected(sv, x, y);
            if (k == 1) {
                const int32_t w = layoutCell(s, n, 0);
                if (w >= 0 && w < textLength && s.scriptText[size_t(w)] != '\n' && v == w &&
                    selected(int64_t(w) + 1))
                    paintSelected(sv, x, y);
            }
        }
    }
}

void drawScriptEditor(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    if (s.scriptTopLine != s.scriptShownLine) {
        s.scriptShownLine = s.scriptTopLine;
        drawScriptText(ed);
    }
    paintScriptEditor(s, ed.input.frameTime, ed.app.focusedField, ed.demo.demoFrameIndex,
                      ed.fonts, canvasOf(ed));
}

void openScriptEditorPage(Editor& ed) {
    ed.app.currentPage = Page::ScriptEditor;
    playSound(ed, "command");
}

}  // namespace korvel
