#include "pages/ColorSchemeEditor.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "support/DrawFixtures.h"
#include "support/LanguageFixture.h"
#include "ui/ColorSettings.h"
#include "ui/Fonts.h"

namespace korvel {
namespace {

struct EditorRig {
    test::DrawRig rig;
    std::unique_ptr<Fonts> fonts = std::make_unique<Fonts>();
    Languages langs;
    ColorSettings colors;
    ColorSchemeEditorState editor;

    EditorRig() {
        std::fill(fonts->font7x11.begin(), fonts->font7x11.end(), 255);
        std::map<int32_t, std::string> names;
        for (int32_t n = 1217; n <= 1256; ++n) names[n] = "N";
        langs = test::languageWith(names);
        rig.clear(5);
    }
    void draw(int32_t frameTime = 0) {
        drawColorSchemeEditor(rig.canvas, *fonts, langs, colors, editor, frameTime);
    }
    uint8_t px(int32_t x, int32_t y) { return rig.px(x, y); }
};

TEST(ColorSchemeEditor, ListShowsTwentyNineRowsFromTheTopSetting) {
    for (const int32_t top : {11, 12}) {
        SCOPED_TRACE(top);
        EditorRig e;
        e.editor.colorEditorTop = top;
        e.editor.colorEditorSelected = 0;  // scrolled out of the list
        e.draw();
        for (int32_t j = 0; j < 29; ++j)
            EXPECT_EQ(e.px(14, 511 - 12 * j), top + j < 40 ? 0 : 5) << j;
        for (int32_t y = 160; y < 530; ++y) EXPECT_EQ(e.px(569, y), 5);  // no band
    }
}

TEST(ColorSchemeEditor, SelectedRowPulsesInTheRampOfItsColour) {
    struct Case {
        uint8_t colour;
        uint8_t frame;  // at frame time 0 the pulse is 6 shades up
        uint8_t band;   // a background pixel of 5 in the band
    };
    for (const Case c : {Case{30, 30, 25}, Case{253, 78, 253}}) {
        SCOPED_TRACE(int(c.colour));
        EditorRig e;
        e.editor.colorEditorTop = 0;
        e.editor.colorEditorSelected = 5;
        setColorSetting(e.colors, 5, c.colour);
        e.draw();
        const int32_t r = 511 - 12 * 5;
        EXPECT_EQ(e.px(11, r - 1), c.frame);
        EXPECT_EQ(e.px(568, r + 11), c.frame);
        EXPECT_EQ(e.px(10, r + 5), c.frame);
        EXPECT_EQ(e.px(569, r + 5), c.frame);
        EXPECT_EQ(e.px(300, r + 5), c.band);
        EXPECT_EQ(e.px(14, r), 83);  // the setting's name
    }
}

TEST(ColorSchemeEditor, MarkersSurroundTheSelectedColourAndTheColourOffset) {
    EditorRig e;
    e.editor.colorEditorTop = 11;
    e.editor.colorEditorSelected = 0;  // not listed: the palette marker is drawn all the same
    e.colors.colorSectorHighlight = 30;
    e.colors.guiColor = 24;
    e.draw();
    const uint8_t q = 78;  // 6 sin(0) + 78
    const int32_t X = 597 + 16 * 6, Y = 506 - 16 * 2;
    EXPECT_EQ(e.px(X, Y), q);
    EXPECT_EQ(e.px(X + 15, Y), q);
    EXPECT_EQ(e.px(X + 16, Y + 15), q);
    EXPECT_EQ(e.px(X + 16, Y + 16), q);
    EXPECT_EQ(e.px(X, Y + 16), q);
    EXPECT_EQ(e.px(X + 8, Y + 8), 5);
    // guiColor 24 puts the offset marker at columns 436 to 448.
    EXPECT_EQ(e.px(436, 533), q);
    EXPECT_EQ(e.px(447, 533), q);
    EXPECT_EQ(e.px(448, 533), q);
    EXPECT_EQ(e.px(448, 545), q);
    EXPECT_EQ(e.px(436, 545), q);
    EXPECT_EQ(e.px(435, 533), 5);
    EXPECT_EQ(e.px(449, 545), 5);
    EXPECT_EQ(e.px(442, 540), 5);
}

}  // namespace
}  // namespace korvel
