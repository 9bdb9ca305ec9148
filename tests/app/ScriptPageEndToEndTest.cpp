// The script page and the calculator driven as the user drives them: whole frames on the
// headless platform, the mouse and the keys only, checked on the presented frame.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "base/MessageNumbers.h"
#include "editing/ValuePromptState.h"
#include "script/ScriptLayout.h"
#include "support/CommandRig.h"
#include "support/PngFile.h"
#include "ui/Widgets.h"

namespace korvel {
namespace {

struct Rig : test::CommandRig {
    // The page as its command opens it: the next frame sees the change.
    void openScriptPage() {
        ed->app.currentPage = Page::ScriptEditor;
        runFrame(*ed);
    }
    // A left click at (x, y) in frame coordinates: a frame with the button down, one with it up.
    void clickAt(int32_t x, int32_t y) {
        platform->setPointer(x, 599 - y);
        for (const bool down : {true, false}) {
            platform->setKeyDown(kLeftButton, down);
            runFrame(*ed);
        }
    }
    void type(const std::string& text) {
        for (const char c : text) {
            if (c == '*') {
                press({test::kShiftKey, '8'});
            } else {
                press({c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c});
            }
        }
    }
    // The colours on the presented frame in the glyph box of the character at text index i.
    std::set<int> inksAt(int32_t i, int32_t* boxX = nullptr, int32_t* boxY = nullptr) {
        const ScriptState& s = ed->pages.scriptEditor;
        for (int32_t n = 0; n < s.scriptLineCount; ++n)
            for (int32_t k = 0; k < kScriptLayoutColumns; ++k)
                if (layoutCell(s, n, k) == i + 1) {
                    const int32_t x = 170 + 8 * k, y = 513 - 12 * (n - s.scriptTopLine);
                    if (boxX) *boxX = x;
                    if (boxY) *boxY = y;
                    std::set<int> inks;
                    for (int32_t row = y; row <= y + 10; ++row)
                        for (int32_t col = x; col <= x + 6; ++col)
                            inks.insert(platform->framePixel(col, row));
                    return inks;
                }
        return {};
    }
};

TEST(ScriptPageEndToEnd, TypedScriptIsColouredAndSelectedOnTheFrame) {
    Rig r;
    r.openScriptPage();
    ASSERT_EQ(r.ed->app.currentPage, Page::ScriptEditor);
    ScriptState& s = r.ed->pages.scriptEditor;
    const size_t start = size_t(s.scriptCursor);
    r.type("mov r01 5");
    ASSERT_EQ(s.scriptText.substr(start, 9), "mov r01 5");
    runFrame(*r.ed);
    const struct {
        int32_t offset, colour;
    } glyphs[] = {{0, 68}, {2, 68}, {4, 176}, {6, 176}, {8, 83}};
    for (const auto& g : glyphs)
        EXPECT_EQ(r.inksAt(int32_t(start) + g.offset), (std::set<int>{0, g.colour})) << g.offset;

    r.press({test::kShiftKey, 37});
    r.press({test::kShiftKey, 37});
    EXPECT_EQ(s.scriptAnchor - s.scriptCursor, 2);
    runFrame(*r.ed);
    int32_t x = 0, y = 0;
    EXPECT_TRUE(r.inksAt(int32_t(start) + 8, &x, &y).count(28)) << "behind the 5";
    EXPECT_TRUE(r.inksAt(int32_t(start) + 7).count(28)) << "behind the blank";
    EXPECT_FALSE(r.inksAt(int32_t(start) + 6).count(28));
}

// With KORVEL_PICTURE_DIR set, the page is written there as a picture for looking at: a
// coloured script, a selection across a line end and the overwrite caret.
TEST(ScriptPageEndToEnd, PictureOfThePage) {
    const char* dir = std::getenv("KORVEL_PICTURE_DIR");
    if (dir == nullptr) GTEST_SKIP() << "set KORVEL_PICTURE_DIR to write the picture";
    Rig r;
    r.openScriptPage();
    ScriptState& s = r.ed->pages.scriptEditor;
    s.scriptText =
        "!!! raise every selected sector\r\nfor each selected sector r01\r\n"
        "  getfield r01 floorz r02\r\n  sub r02 1024\r\n  setfield r01 floorz r02\r\n"
        "endif\r\n// done\r\nmovv r03 7\r\n";
    s.scriptAnchor = 40;
    s.scriptCursor = 75;
    s.scriptOverwrite = 1;
    scriptEditorKeepCursorVisible(*r.ed);
    runFrame(*r.ed);
    EXPECT_TRUE(test::writeScreenPng(std::string(dir) + "/script_page.png", r.ed->frameBuffer,
                                     r.ed->colorTables));
}

TEST(ScriptPageEndToEnd, TheCalculatorEvaluatesWithTheFieldsValueAsX) {
    Rig r;
    // The calculator as it opens over a value field showing 12: its text "x", the field's text
    // handed on as x.
    r.ed->prompt.promptKind = int32_t(ValuePromptKind::Calculator);
    r.ed->prompt.promptInput = "x";
    r.ed->pages.scriptEditor.exprXText = "12";
    r.type("*2");
    ASSERT_EQ(r.ed->prompt.promptInput, "x*2");
    r.press({13});
    EXPECT_EQ(r.ed->prompt.valueClipboard, 24);
    EXPECT_EQ(r.platform->clipboardText(), "24");
    EXPECT_NE(r.ed->app.statusText.find("24"), std::string::npos);
}

TEST(ScriptPageEndToEnd, AClickRightOfALinePutsTheCaretAfterItsLastCharacter) {
    Rig r;
    r.openScriptPage();
    ScriptState& s = r.ed->pages.scriptEditor;
    s.scriptText.clear();
    s.scriptCursor = s.scriptAnchor = 0;
    r.type("mov r01 5");
    r.press({test::kShiftKey, 37});
    r.press({test::kShiftKey, 37});
    int32_t x = 0, y = 0;
    ASSERT_FALSE(r.inksAt(8, &x, &y).empty());
    r.clickAt(700, y + 5);
    EXPECT_EQ(s.scriptCursor, 9);
    EXPECT_EQ(s.scriptAnchor, 9) << "the click ends the selection";
    s.scriptCaretTime = r.ed->input.frameTime;  // the caret in its shown half of the blink
    runFrame(*r.ed);
    for (int32_t row = y; row <= y + 11; ++row)
        EXPECT_EQ(r.platform->framePixel(x + 7, row), 83) << row;
    EXPECT_FALSE(r.inksAt(8).count(28)) << "no selection left";
}

TEST(ScriptPageEndToEnd, SpaceOnAFocusedFieldOpensTheCalculatorWithItsValueAsX) {
    Rig r;
    r.ed->settings.tagDrawLimit = 12;
    r.ed->app.currentPage = Page::DisplayOptions;
    runFrame(*r.ed);
    const WidgetState& w = r.ed->widgets;
    const WidgetValueField* field = nullptr;
    for (int32_t i = 0; i < w.valueFieldCount; ++i)
        if (w.valueFields[i].id == 6) field = &w.valueFields[i];
    ASSERT_NE(field, nullptr);
    r.clickAt(field->x + 10, field->y + 7);
    ASSERT_EQ(r.ed->app.focusedField, 6);
    r.press({' '});
    ASSERT_EQ(r.ed->prompt.promptKind, int32_t(ValuePromptKind::Calculator));
    EXPECT_EQ(r.ed->prompt.promptInput, "x");
    EXPECT_EQ(r.ed->settings.tagDrawLimit, 12);
    r.type("*2");
    r.press({13});
    EXPECT_EQ(r.ed->prompt.promptKind, 0);
    EXPECT_EQ(r.ed->prompt.valueClipboard, 24);
    EXPECT_EQ(r.platform->clipboardText(), "24");
    EXPECT_NE(r.ed->app.statusText.find("24"), std::string::npos);
}

}  // namespace
}  // namespace korvel
