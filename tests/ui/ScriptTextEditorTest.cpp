#include "ui/ScriptTextEditor.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>

#include "script/ScriptLayout.h"
#include "support/EditorRig.h"

namespace korvel {
namespace {

constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kShift = 16, kPageUp = 33, kPageDown = 34,
              kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45,
              kDelete = 46, kC = 67, kV = 86, kX = 88;

struct ScriptRig : test::EditorRig {
    ScriptRig() : EditorRig("", false) {}
    ScriptState& s() { return ed->pages.scriptEditor; }

    void setText(const std::string& text, int32_t cursor, int32_t anchor) {
        s().scriptText = text;
        s().scriptCursor = cursor;
        s().scriptAnchor = anchor;
        layoutScriptText(s());
    }
    // One call with these keys down this frame and these modifiers held.
    void keys(std::initializer_list<int> pressed, bool ctrl = false, bool shift = false,
              bool alt = false) {
        ed->input.keyPressed.fill(0);
        for (int k : pressed) ed->input.keyPressed[size_t(k)] = 1;
        ed->input.keyStates[kShift] = shift ? -128 : 0;
        ed->dispatch.ctrlHeld = ctrl ? 1 : 0;
        ed->dispatch.shiftHeld = shift ? 1 : 0;
        ed->dispatch.altHeld = alt ? 1 : 0;
        editScriptText(*ed);
    }
    bool left(int key) const { return ed->input.keyPressed[size_t(key)] != 0; }
};

TEST(ScriptTextEditor, KeysChangeTheTextAndCursorAsAnEditorShould) {
    struct Case {
        const char* what;
        std::string text;
        int32_t cursor, anchor;
        std::initializer_list<int> keys;
        const char* held;  // c Ctrl, s Shift, a Alt
        std::string wantText;
        int32_t wantCursor, wantAnchor;
    } const cases[] = {
        {"B and A in one frame", "", 0, 0, {66, 65}, "", "ab", 2, 2},
        {"Backspace after a line break", "ab\r\ncd", 4, 4, {kBackspace}, "", "abcd", 2, 2},
        {"Delete before a CR", "ab\r\ncd", 2, 2, {kDelete}, "", "abcd", 2, 2},
        {"Backspace at 0", "ab", 0, 0, {kBackspace}, "", "ab", 0, 0},
        {"Backspace on one character", "a", 1, 1, {kBackspace}, "", "", 0, 0},
        {"Backspace deletes the selection", "abcd", 1, 3, {kBackspace}, "", "ad", 1, 1},
        {"Enter keeps the indent", "    ab  cd", 6, 6, {kEnter}, "", "    ab  \r\n    cd", 14, 14},
        {"Tab at column 1", "ab", 0, 0, {kTab}, "", "  ab", 2, 2},
        {"Tab at column 2", "ab", 1, 1, {kTab}, "", "a b", 2, 2},
        {"Shift+Tab at an odd column", "    x", 4, 4, {kTab}, "s", "  x", 2, 2},
        {"Shift+Tab at an even column", "   x", 3, 3, {kTab}, "s", "  x", 2, 2},
        {"Tab indents lines", "ab\r\ncd\r\nef", 1, 5, {kTab}, "", "  ab\r\n  cd\r\nef", 1, 9},
        {"Shift+Tab unindents lines", "  ab\r\n cd", 8, 0, {kTab}, "s", "ab\r\ncd", 5, 0},
        {"Left over a line break", "ab\r\ncd", 4, 4, {kLeft}, "", "ab\r\ncd", 2, 2},
        {"Right over a line break", "ab\r\ncd", 2, 2, {kRight}, "", "ab\r\ncd", 4, 4},
        {"Shift+Right extends the selection", "abc", 0, 0, {kRight}, "s", "abc", 1, 0},
        {"Up on the first line", "abc\r\nd", 2, 2, {kUp}, "", "abc\r\nd", 0, 0},
        {"Down on the last line", "abc\r\nd", 5, 5, {kDown}, "", "abc\r\nd", 6, 6},
        {"Down keeps the column", "abc\r\ndef", 2, 2, {kDown}, "", "abc\r\ndef", 7, 7},
        {"Down onto a shorter line", "abc\r\nd\r\nx", 3, 3, {kDown}, "", "abc\r\nd\r\nx", 6, 6},
        {"PageDown on a short text", "ab\r\ncd", 1, 1, {kPageDown}, "", "ab\r\ncd", 6, 6},
        {"PageUp on a short text", "ab\r\ncd", 5, 5, {kPageUp}, "", "ab\r\ncd", 0, 0},
        {"Home", "ab\r\ncde", 6, 6, {kHome}, "", "ab\r\ncde", 4, 4},
        {"End", "ab\r\ncde", 4, 4, {kEnd}, "", "ab\r\ncde", 7, 7},
        {"Ctrl+Left", "ab cd", 5, 5, {kLeft}, "c", "ab cd", 2, 2},
        {"Ctrl+Right", "ab cd ef", 0, 0, {kRight}, "c", "ab cd ef", 2, 2},
        {"Ctrl+Right over a break", "ab\r\ncd", 2, 2, {kRight}, "c", "ab\r\ncd", 4, 4},
        {"Ctrl: no editing keys",
         "ab",
         1,
         1,
         {65, kEnter, kTab, kDelete, kHome, kInsert},
         "c",
         "ab",
         1,
         1},
        {"Alt: nothing", "ab", 1, 1, {65, kEnter, kLeft, kBackspace}, "a", "ab", 1, 1},
        {"inside a line break", "ab\r\ncd", 3, 3, {}, "", "ab\r\ncd", 2, 2},
        {"past the end", "ab", 9, -4, {}, "", "ab", 2, 0},
    };
    ScriptRig r;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        r.setText(c.text, c.cursor, c.anchor);
        const std::string held = c.held;
        r.keys(c.keys, held == "c", held == "s", held == "a");
        EXPECT_EQ(r.s().scriptText, c.wantText);
        EXPECT_EQ(r.s().scriptCursor, c.wantCursor);
        EXPECT_EQ(r.s().scriptAnchor, c.wantAnchor);
    }
}

TEST(ScriptTextEditor, OverwriteReplacesCharactersButNeverALineBreak) {
    ScriptRig r;
    r.setText("ab\r\nc", 1, 1);
    r.keys({kInsert});
    EXPECT_EQ(r.s().scriptOverwrite, 1);
    r.keys({88});  // x
    r.keys({89});  // y: the cursor now stands before the CR
    EXPECT_EQ(r.s().scriptText, "axy\r\nc");
    EXPECT_EQ(r.s().scriptCursor, 3);
}

TEST(ScriptTextEditor, TheClipboardKeys) {
    ScriptRig r;
    // Ctrl+C without a selection leaves the key for others; Ctrl+V with an empty clipboard does
    // nothing but takes the key.
    r.setText("abc", 1, 1);
    r.keys({kC, kV}, true);
    EXPECT_TRUE(r.left(kC));
    EXPECT_FALSE(r.left(kV));
    EXPECT_EQ(r.s().scriptText, "abc");

    // A cut the clipboard refuses keeps the selection and its text.
    r.setText("abcd", 1, 3);
    r.platform->refuseClipboard(true);
    r.keys({kX}, true);
    EXPECT_EQ(r.s().scriptText, "abcd");
    EXPECT_EQ(r.s().scriptCursor, 1);
    EXPECT_EQ(r.s().scriptAnchor, 3);
    r.platform->refuseClipboard(false);

    // A pasted text gets CR LF line ends whatever it came with, and replaces the selection.
    r.platform->setClipboardText("1\n2\r3\r\n4");
    r.setText("abcd", 3, 1);
    r.keys({kV}, true);
    EXPECT_EQ(r.s().scriptText, "a1\r\n2\r\n3\r\n4d");
    EXPECT_EQ(r.s().scriptCursor, 11);
    EXPECT_EQ(r.s().scriptAnchor, 11);
    // Backspace then takes only the pasted 4 and, next, one whole line break.
    r.keys({kBackspace});
    r.keys({kBackspace});
    r.keys({kBackspace});
    EXPECT_EQ(r.s().scriptText, "a1\r\n2\r\nd");
}

TEST(ScriptTextEditor, ACyrillicSelectionCutAndPastedBackIsUnchanged) {
    ScriptRig r;
    const std::string text = "x \xF4\xE8\xF1\r\n\xC0\xFF\xA8\xB8 y";
    r.setText(text, 2, 10);
    r.keys({kX}, true);
    EXPECT_EQ(r.s().scriptText, "x \xB8 y");
    EXPECT_EQ(r.platform->clipboardText(), text.substr(2, 8));
    r.keys({kV}, true);
    EXPECT_EQ(r.s().scriptText, text);
}

// Seeded random keys: after every step the line breaks are whole CR LF pairs and cursor and
// anchor lie in the text, never inside a line break; the undo copy holds the text as it was at
// the last mouse placement once an edit took it.
TEST(ScriptTextEditor, RandomKeysKeepLineBreaksWholeAndPositionsInTheText) {
    const int plainKeys[] = {65,     66,         90,      48,      57,        32,      186,
                             192,    kBackspace, kDelete, kEnter,  kTab,      kInsert, kLeft,
                             kRight, kUp,        kDown,   kPageUp, kPageDown, kHome,   kEnd};
    const int ctrlKeys[] = {kX, kC, kV, kLeft, kRight, kUp, kDown};
    const char* const pastes[] = {"p\rq",     "p\nq", "p\r\nq", "\r",   "\n",
                                  "\r\n\r\n", "zz",   "",       "\n\r", "\xF4\xE8\r"};
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        auto pick = [&](int n) { return int(rng() % uint32_t(n)); };
        ScriptRig r;
        r.setText("first line\r\n  second\r\n", 0, 0);
        std::string placedText;
        bool placed = false;
        for (int step = 0; step < 800; ++step) {
            SCOPED_TRACE(step);
            ScriptState& s = r.s();
            const int what = pick(10);
            if (what == 0) {
                // A mouse placement: somewhere in the text, never inside a line break.
                int32_t p = pick(int(s.scriptText.size()) + 1);
                if (insideLineBreak(s.scriptText, p)) --p;
                s.scriptCursor = s.scriptAnchor = p;
                if (pick(2) == 0) s.scriptAnchor = int32_t(pick(int(s.scriptText.size()) + 1));
                s.scriptTextChanged = 1;
                placed = true;
                placedText = s.scriptText;
                continue;
            }
            if (what == 1) {
                r.platform->setClipboardText(pastes[pick(int(std::size(pastes)))]);
                r.keys({kV}, true);
            } else if (what <= 3) {
                r.keys({ctrlKeys[pick(int(std::size(ctrlKeys)))]}, true, pick(2) == 0);
            } else {
                const int key = plainKeys[pick(int(std::size(plainKeys)))];
                if (pick(4) == 0)
                    r.keys({key, plainKeys[pick(int(std::size(plainKeys)))]}, false, pick(2) == 0);
                else
                    r.keys({key}, false, pick(3) == 0);
            }
            const std::string& t = s.scriptText;
            for (size_t i = 0; i < t.size(); ++i) {
                if (t[i] == '\r') ASSERT_TRUE(i + 1 < t.size() && t[i + 1] == '\n') << i;
                if (t[i] == '\n') ASSERT_TRUE(i > 0 && t[i - 1] == '\r') << i;
            }
            const auto n = int32_t(t.size());
            for (int32_t p : {s.scriptCursor, s.scriptAnchor}) {
                ASSERT_GE(p, 0);
                ASSERT_LE(p, n);
                ASSERT_FALSE(insideLineBreak(t, p)) << p;
            }
            if (placed && s.scriptTextChanged == 0) ASSERT_EQ(s.scriptUndoText, placedText);
            if (t.size() > 4000) r.setText("again\r\n", 0, 0);
        }
    }
}

}  // namespace
}  // namespace korvel
