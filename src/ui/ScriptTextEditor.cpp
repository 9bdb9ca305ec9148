#include "ui/ScriptTextEditor.h"

#include <algorithm>
#include <string>
#include <utility>

#include "app/Editor.h"
#include "editing/InputDispatcher.h"
#include "script/ScriptLayout.h"
#include "ui/Toolbar.h"
#include "ui/TypedText.h"

namespace korvel {

namespace {

constexpr char kCr = '\r', kLf = '\n';
constexpr uint8_t kBackspace = 8;
constexpr int kTab = 9, kEnter = 13, kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeftKey = 37, kUpKey = 38, kRightKey = 39, kDownKey = 40;
constexpr int kInsert = 45, kDelete = 46;
constexpr int kKeyC = 67, kKeyV = 86, kKeyX = 88;
constexpr int32_t kShownLines = 32;

bool take(InputState& in, int key) {
    uint8_t& pressed = in.keyPressed[size_t(key)];
    if (!pressed) return false;
    pressed = 0;
    return true;
}

struct TextEdit {
    Editor& ed;
    ScriptState& s;
    std::string& text;
    InputState& in;
    bool shift;

    int32_t length() const { return int32_t(std::min<size_t>(text.size(), INT32_MAX)); }
    // Reads a layout cell without taking it for writing.
    int32_t cell(int32_t line, int32_t column) const {
        return layoutCell(std::as_const(s), line, column);
    }
    bool hasSelection() const { return s.scriptCursor != s.scriptAnchor; }
    int32_t lo() const { return std::min(s.scriptCursor, s.scriptAnchor); }
    int32_t hi() const { return std::max(s.scriptCursor, s.scriptAnchor); }
    char at(int32_t p) const { return text[size_t(p)]; }
    bool isBreakAt(int32_t p) const {  // a CR LF pair starts at p
        return p >= 0 && p + 1 < length() && at(p) == kCr && at(p + 1) == kLf;
    }

    // Into 0..length and off the middle of a line break.
    int32_t normalised(int32_t p) const {
        p = std::clamp(p, 0, length());
        if (insideLineBreak(text, p)) --p;
        return p;
    }
    void normalise() {
        s.scriptCursor = normalised(s.scriptCursor);
        s.scriptAnchor = normalised(s.scriptAnchor);
    }

    void checkpoint() {
        if (!s.scriptTextChanged) return;
        s.scriptTextChanged = 0;
        s.scriptUndoText = text;
        s.scriptUndoCursor = s.scriptCursor;
        s.scriptUndoAnchor = s.scriptAnchor;
        s.scriptUndoAvailable = 1;
        rebuildToolbar(ed);
        ed.app.redrawRequest = 1;
    }
    void keepVisible() { scriptEditorKeepCursorVisible(ed); }
    void follow() {
        if (!shift) s.scriptAnchor = s.scriptCursor;
    }
    void deleteSelection() {
        checkpoint();
        const int32_t a = lo(), b = hi();
        text.erase(size_t(a), size_t(b - a));
        s.scriptEdited = 1;
        s.scriptCursor = s.scriptAnchor = a;
        keepVisible();
    }
    void insertAtCursor(const std::string& piece) {
        text.insert(size_t(s.scriptCursor), piece);
        s.scriptEdited = 1;
        s.scriptCursor += int32_t(piece.size());
        s.scriptAnchor = s.scriptCursor;
    }

    // The start of the text line holding p (after its LF, or 0).
    int32_t lineStart(int32_t p) const {
        while (p > 0 && at(p - 1) != kLf) --p;
        return p;
    }

    bool copySelection() {
        Platform& platform = *ed.app.platform;
        platform.clearClipboard();
        return platform.setClipboardText(text.substr(size_t(lo()), size_t(hi() - lo())));
    }

    void controlKeys() {
        if (hasSelection() && take(in, kKeyX))
            if (copySelection()) deleteSelection();
        if (hasSelection() && take(in, kKeyC)) copySelection();
        if (take(in, kKeyV)) {
            const std::string pasted = withCrLfLineEnds(ed.app.platform->clipboardText());
            if (!pasted.empty()) {
                checkpoint();
                if (hasSelection()) deleteSelection();
                insertAtCursor(pasted);
                keepVisible();
            }
        }
        if (take(in, kLeftKey)) {
            int32_t& c = s.scriptCursor;
            while (c > 0) {
                --c;
                if (at(c) == kLf) {
                    if (c > 0 && at(c - 1) == kCr) --c;
                    break;
                }
                if (at(c) == ' ' || at(c) == kCr) break;
            }
            keepVisible();
            follow();
        }
        if (take(in, kRightKey)) {
            int32_t& c = s.scriptCursor;
            const int32_t n = length();
            if (c + 1 < n) {
                for (;;) {
                    if (c == n - 1) {
                        c = n;
                        break;
                    }
                    ++c;
                    if (at(c) == kLf) {
                        ++c;
                        break;
                    }
                    if (at(c) == ' ' || at(c) == kCr || c >= n) break;
                }
                keepVisible();
            } else {
                c = n;
            }
            follow();
        }
    }

    void scroll() {
        const bool middle = keyHeld(in, kMiddleButton);
        const bool ctrl = ed.dispatch.ctrlHeld != 0;
        const bool up = (ctrl && take(in, kUpKey)) || (middle && in.mouseY > 350);
        if (up && s.scriptTopLine > 0) --s.scriptTopLine;
        const bool down = (ctrl && take(in, kDownKey)) || (middle && in.mouseY < 250);
        if (down && s.scriptTopLine < s.scriptLineCount - kShownLines) ++s.scriptTopLine;
    }

    void backspace() {
        if (hasSelection()) {
            deleteSelection();
            return;
        }
        const int32_t n = length();
        int32_t& c = s.scriptCursor;
        if (n >= 2) {
            checkpoint();
            if (c > 0) {
                const int32_t width = at(c - 1) == kLf && c >= 2 && at(c - 2) == kCr ? 2 : 1;
                text.erase(size_t(c - width), size_t(width));
                s.scriptEdited = 1;
                c -= width;
                s.scriptAnchor = c;
                keepVisible();
            }
        } else if (n == 1 && c > 0) {
            checkpoint();
            text.clear();
            s.scriptEdited = 1;
            c = s.scriptAnchor = 0;
            keepVisible();
        }
    }

    void typeChar(uint8_t ch) {
        checkpoint();
        if (hasSelection()) deleteSelection();
        int32_t& c = s.scriptCursor;
        if (s.scriptOverwrite && c < length() && at(c) != kCr)
            text[size_t(c)] = char(ch);
        else
            text.insert(size_t(c), 1, char(ch));
        s.scriptEdited = 1;
        ++c;
        s.scriptAnchor = c;
        keepVisible();
    }

    void enter() {
        checkpoint();
        if (hasSelection()) deleteSelection();
        int32_t& c = s.scriptCursor;
        while (c < length() && at(c) == ' ') ++c;
        int32_t indent = 0;
        for (int32_t p = c; p > 0 && at(p - 1) != kLf; --p)
            indent = at(p - 1) == ' ' ? indent + 1 : 0;
        text.insert(size_t(c), "\r\n" + std::string(size_t(indent), ' '));
        s.scriptEdited = 1;
        c += 2 + indent;
        s.scriptAnchor = c;
        keepVisible();
    }

    void tab() {
        checkpoint();
        int32_t& c = s.scriptCursor;
        if (!hasSelection()) {
            const int32_t k = c - lineStart(c) + 1;
            if (!shift) {
                const int32_t blanks = k % 2 != 0 ? 2 : 1;
                text.insert(size_t(c), size_t(blanks), ' ');
                s.scriptEdited = 1;
                c += blanks;
            } else if (c > 0 && at(c - 1) == ' ') {
                const int32_t width = c >= 2 && at(c - 2) == ' ' && k % 2 != 0 ? 2 : 1;
                text.erase(size_t(c - width), size_t(width));
                s.scriptEdited = 1;
                c -= width;
            }
            s.scriptAnchor = c;
        } else {
            // Each line from the larger end's back to the smaller end's, the last first so that
            // the earlier lines' positions hold.
            const bool cursorIsLarger = s.scriptCursor > s.scriptAnchor;
            const int32_t first = lineStart(lo());
            int32_t moved = 0;
            for (int32_t start = lineStart(hi());;) {
                if (!shift) {
                    text.insert(size_t(start), 2, ' ');
                    s.scriptEdited = 1;
                    moved += 2;
                } else {
                    int32_t blanks = 0;
                    while (blanks < 2 && start + blanks < length() && at(start + blanks) == ' ')
                        ++blanks;
                    text.erase(size_t(start), size_t(blanks));
                    s.scriptEdited = 1;
                    moved -= blanks;
                }
                if (start <= first) break;
                start = lineStart(start - 1);
            }
            (cursorIsLarger ? s.scriptCursor : s.scriptAnchor) += moved;
            normalise();
        }
        keepVisible();
    }

    void deleteKey() {
        checkpoint();
        if (hasSelection()) {
            deleteSelection();
            return;
        }
        const int32_t c = s.scriptCursor;
        if (c < length()) {
            text.erase(size_t(c), isBreakAt(c) ? 2 : 1);
            s.scriptEdited = 1;
            keepVisible();
        }
    }

    // The first visual line whose start is the cursor, or else which holds it in a cell (its
    // column then); -1 when none does.
    struct LinePlace {
        int32_t line = -1;
        int32_t column = -1;  // -1: at the line's start
    };
    LinePlace findCursorLine() const {
        const int32_t lines = std::min(s.scriptLineCount, kScriptLayoutLines);
        const int32_t cursor = s.scriptCursor;
        for (int32_t j = 0; j < lines; ++j) {
            const int32_t first = cell(j, 0);
            if (first != -1 && int64_t(first) - 1 == cursor) return {j, -1};
            for (int32_t c = 0; c < kScriptLayoutColumns; ++c)
                if (cell(j, c) == cursor) return {j, c};
        }
        return {};
    }

    void verticalMove(int32_t step) {
        const LinePlace place = findCursorLine();
        const int32_t target = place.line < 0 ? -1 : place.line + step;
        int32_t& c = s.scriptCursor;
        if (place.line >= 0 && target >= 0 && target < s.scriptLineCount &&
            target < kScriptLayoutLines) {
            const int32_t v = place.column < 0 ? cell(target, 0) - 1 : cell(target, place.column);
            c = v;
        } else {
            c = step < 0 ? 0 : length();
        }
        c = normalised(c);
        keepVisible();
        follow();
    }

    void home() {
        const LinePlace place = findCursorLine();
        if (place.line >= 0 && place.column >= 0) {
            const int32_t first = cell(place.line, 0);
            if (first != -1) {
                s.scriptCursor = first - 1;
                keepVisible();
            }
        }
        s.scriptCursor = normalised(s.scriptCursor);
        follow();
    }

    void end() {
        const LinePlace place = findCursorLine();
        if (place.line >= 0) {
            s.scriptCursor = cell(place.line, kScriptLayoutColumns - 1);
            keepVisible();
        }
        s.scriptCursor = normalised(s.scriptCursor);
        follow();
    }

    void plainKeys() {
        for (int key = 0; key < 256; ++key) {
            if (!in.keyPressed[size_t(key)]) continue;
            const uint8_t ch = keyToChar(in, uint8_t(key));
            if (ch == 0) continue;
            in.keyPressed[size_t(key)] = 0;
            if (ch == kBackspace)
                backspace();
            else
                typeChar(ch);
        }
        if (take(in, kEnter)) enter();
        if (take(in, kTab)) tab();
        if (take(in, kDelete)) deleteKey();
        if (take(in, kInsert)) s.scriptOverwrite = s.scriptOverwrite ? 0 : 1;
        if (take(in, kLeftKey)) {
            int32_t& c = s.scriptCursor;
            if (c > 0) {
                --c;
                if (insideLineBreak(text, c)) --c;
                keepVisible();
            }
            follow();
        }
        if (take(in, kRightKey)) {
            int32_t& c = s.scriptCursor;
            if (c < length()) {
                c += isBreakAt(c) ? 2 : 1;
                keepVisible();
            }
            follow();
        }
        if (take(in, kUpKey)) verticalMove(-1);
        if (take(in, kPageUp)) verticalMove(-kShownLines);
        if (take(in, kDownKey)) verticalMove(1);
        if (take(in, kPageDown)) verticalMove(kShownLines);
        if (take(in, kHome)) home();
        if (take(in, kEnd)) end();
    }
};

}  // namespace

void editScriptText(Editor& ed) {
    ScriptState& s = ed.pages.scriptEditor;
    TextEdit edit{ed, s, s.scriptText, ed.input, ed.dispatch.shiftHeld != 0};
    edit.normalise();
    const bool ctrl = ed.dispatch.ctrlHeld != 0;
    const bool alt = ed.dispatch.altHeld != 0;
    if (ctrl) edit.controlKeys();
    edit.scroll();
    if (!ctrl && !alt) edit.plainKeys();
}

}  // namespace korvel
