#include "app/PanelBackground.h"

#include <gtest/gtest.h>

#include "support/ChromeRig.h"

namespace korvel {
namespace {

using test::ChromeRig;

// How many values the generator drew to get from `before` to `after` (limit + 1: not found).
int32_t drawsBetween(Random before, const Random& after, int32_t limit) {
    for (int32_t n = 0; n <= limit; ++n) {
        if (before.randomState == after.randomState) return n;
        (void)randomSingle(before);
    }
    return limit + 1;
}

struct Panels : ChromeRig {
    ToolbarButton& button(int32_t i) { return ed->toolbar.toolbarButtons[size_t(i)]; }
    // Slot i as a button of code `code` at (x, y) that always shows.
    void place(int32_t i, int16_t x, int16_t y, int16_t code, bool enabled, bool lit) {
        ToolbarButton& b = button(i);
        b.x = x, b.y = y, b.code = code, b.context = kContextAlways, b.colorOffset = 0;
        b.enabled = enabled, b.lit = lit;
    }
    uint8_t skin(int32_t sx, int32_t sy) { return ed->skin.skin[size_t(sy) * 512 + size_t(sx)]; }
};

TEST(PanelBackground, FullRebuildDrawsItsFixedNumberOfValuesAndThePartialNone) {
    Panels p;
    Editor& ed = *p.ed;
    const Random before = ed.random;
    ed.app.redrawRequest = 2;
    rebuildBackground(ed);
    EXPECT_EQ(ed.app.redrawRequest, 0);
    EXPECT_EQ(drawsBetween(before, ed.random, 30000), 13 * 299 + 13 * 484 + 13 * 788);
    EXPECT_EQ(13 * 299 + 13 * 484 + 13 * 788, 20423);

    const Random again = ed.random;
    ed.app.redrawRequest = 1;
    rebuildBackground(ed);
    EXPECT_EQ(ed.app.redrawRequest, 0);
    EXPECT_EQ(ed.random.randomState, again.randomState);
    ed.app.redrawRequest = 0;
    rebuildBackground(ed);
    EXPECT_EQ(ed.random.randomState, again.randomState);
}

TEST(PanelBackground, StripsAndGrooveOfTheFullRebuild) {
    Panels p;
    Editor& ed = *p.ed;
    ColorSettings& c = ed.colorSettings;
    ed.app.redrawRequest = 2;
    rebuildBackground(ed);
    const SurfaceView bg = backgroundView(ed.frameBuffer);
    const auto fill = uint8_t(c.colorUiBackground + c.guiColor);
    struct Groove {
        int32_t x, shade;
    };
    for (const Groove g : {Groove{510, 0}, Groove{511, 0}, Groove{512, -1}, Groove{514, -2},
                           Groove{516, -2}, Groove{518, -2}, Groove{520, -1}, Groove{521, 0}})
        EXPECT_EQ(bg.at(g.x, 20), uint8_t(fill + g.shade)) << g.x;
    // The first strip: its row shade less a dithered fall of 0 or 1 at its left end (R <= 134).
    for (int32_t y = 86; y <= 98; ++y) {
        const int32_t base = c.colorUiLine1 + std::abs(y - 92) / 2;
        EXPECT_EQ(bg.at(6, y), uint8_t(base)) << y;
    }
    // The third strip's right end falls by one or two: R(r * 640 + 889) \ 512.
    const int32_t right = bg.at(793, 74);
    EXPECT_TRUE(right == uint8_t(c.colorUiLine3 - 1) || right == uint8_t(c.colorUiLine3 - 2))
        << right;
}

TEST(PanelBackground, ToolbarFacesOverlayAndHighlight) {
    Panels p;
    Editor& ed = *p.ed;
    for (int32_t i = 0; i < kToolbarSlots; ++i) p.button(i).context = kContextEmpty;
    p.place(0, 100, 10, 3, true, false);  // hovered but not lit
    p.place(1, 130, 10, 3, true, false);  // hovered
    p.place(2, 160, 10, 3, false, true);  // lit, disabled
    ed.app.hoveredWidget = 0;
    p.clearScreen(0);
    drawToolbarOverlay(ed);
    EXPECT_EQ(p.px(100, 10), 0) << "button 0 is never pressed by the mouse alone";
    EXPECT_EQ(p.px(160, 10), p.skin(88, 490));

    ed.app.hoveredWidget = 1;
    ed.toolbar.hoveredElement = 1;
    ed.settings.buttonHighlight = 0;
    p.clearScreen(0);
    drawToolbarOverlay(ed);
    EXPECT_EQ(p.px(130, 10), p.skin(88, 490)) << "pressed whatever buttonHighlight says";
    EXPECT_EQ(p.px(130 + 21, 10 + 21), p.skin(88 + 21, 490 + 21));

    ed.settings.buttonHighlight = 1;
    p.clearScreen(0);
    drawToolbarOverlay(ed);
    const auto& blend = ed.colorTables.blendTable;
    EXPECT_EQ(p.px(130, 10), blend[83 * 256 + p.skin(88, 490)]);
    // A disabled button is not highlighted.
    ed.toolbar.hoveredElement = 2;
    p.clearScreen(0);
    drawToolbarOverlay(ed);
    EXPECT_EQ(p.px(160, 10), p.skin(88, 490));
}

TEST(PanelBackground, DisabledIconInOneColourAndFaceWithItsOffset) {
    Panels p;
    Skin& skin = p.ed->skin;
    // Icon 17: skin column 169, rows 480..495, drawn in stripes; 255 stays transparent.
    for (int32_t j = 0; j < 16; ++j)
        for (int32_t i = 0; i < 16; ++i)
            skin.skin[size_t(480 + j) * 512 + size_t(169 + i)] = uint8_t(i == 5 ? 255 : 10 + i);
    FrameBuffer fb;
    std::fill(fb.screen.begin(), fb.screen.end(), uint8_t(7));
    const SurfaceView s = screenView(fb);
    drawToolbarButton(s, skin, 50, 50, 17, 4, true, false, 99);
    EXPECT_EQ(s.at(50, 50), uint8_t(p.skin(66, 490) + 4));
    EXPECT_EQ(s.at(53, 53), 10);
    EXPECT_EQ(s.at(53 + 15, 53), 25);
    EXPECT_EQ(s.at(53 + 5, 53), uint8_t(p.skin(66 + 8, 490 + 3) + 4)) << "transparent";
    drawToolbarButton(s, skin, 50, 50, 17, 4, false, true, 99);
    EXPECT_EQ(s.at(50, 50), uint8_t(p.skin(88, 490) + 4));
    for (int32_t i = 0; i < 16; ++i)
        if (i != 5) EXPECT_EQ(s.at(53 + i, 60), 99) << i;
    // Buttons partly or wholly off the surface and icons beyond the skin draw what fits.
    for (const int32_t x : {-30, -10, 790, 100000, -2147483647})
        drawToolbarButton(s, skin, x, x, 32767, 255, true, true, 1);
}

TEST(PanelBackground, OpenMenuWithItsHighlightAndTitleBand) {
    Panels p;
    Editor& ed = *p.ed;
    ColorSettings& c = ed.colorSettings;
    MenuState& m = ed.menus;
    std::fill(ed.frameBuffer.menuBuffer.begin(), ed.frameBuffer.menuBuffer.end(), uint8_t(5));
    m.openMenu = 2;
    m.menuBoxX = 100, m.menuBoxY = 400, m.menuBoxWidth = 50, m.menuBoxHeight = 60;
    m.menuHighlightShown = 1;
    m.menuHighlightX1 = 110, m.menuHighlightX2 = 120, m.menuHighlightY1 = 410;
    m.menuHighlightY2 = 420;
    p.clearScreen(0);
    drawOpenMenuOverlay(ed);
    EXPECT_EQ(p.px(100, 400), 5);
    EXPECT_EQ(p.px(150, 460), 5);
    EXPECT_EQ(p.px(151, 460), 0);
    EXPECT_EQ(p.px(150, 461), 0);
    EXPECT_EQ(p.px(115, 415), uint8_t(c.guiColor + c.colorUiAmt));
    const TextPosition pos = messagePosition(ed.langs, 354);
    const std::string title = p.msg(354);
    EXPECT_EQ(p.px(pos.x - 4, 586), uint8_t(c.guiColor + c.colorUiAmb));
    EXPECT_EQ(p.px(pos.x - 4 + 8 * int32_t(title.size()) + 7, 597),
              uint8_t(c.guiColor + c.colorUiAmb));
    EXPECT_EQ(p.px(pos.x - 5, 590), 0);
    EXPECT_TRUE(p.shows(title, pos.x, pos.y, uint8_t(c.guiColor + c.colorUiAmt)));
}

TEST(PanelBackground, MenuPlacesOffTheScreenAreCut) {
    Panels p;
    Editor& ed = *p.ed;
    MenuState& m = ed.menus;
    LanguageRecord& lang = ed.langs.languages[ed.langs.currentLanguage];
    const int32_t kMax = 2147483647, kMin = -kMax - 1;
    struct Case {
        int32_t x, y, w, h, titleX;
    };
    for (const Case c : {Case{-300, -300, 399, 455, -1000}, Case{700, 500, 399, 455, 790},
                         Case{kMax, kMax, kMax, kMax, kMax}, Case{kMin, kMin, kMax, kMax, kMin},
                         Case{0, 0, -5, -5, 0}}) {
        m.openMenu = 6;
        m.menuBoxX = c.x, m.menuBoxY = c.y, m.menuBoxWidth = c.w, m.menuBoxHeight = c.h;
        m.menuHighlightShown = 1;
        m.menuHighlightX1 = c.x, m.menuHighlightY1 = c.y;
        m.menuHighlightX2 = c.w, m.menuHighlightY2 = c.h;
        lang.positions[358] = {c.titleX, c.titleX};
        lang.texts[358] = std::string(10000, 'M');
        drawOpenMenuOverlay(ed);
    }
}

}  // namespace
}  // namespace korvel
