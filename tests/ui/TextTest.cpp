#include "ui/Text.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "support/DrawFixtures.h"
#include "ui/Fonts.h"

namespace korvel {
namespace {

using test::DrawRig;
using test::PixelSet;

PixelSet box(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    PixelSet s;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) s.insert({x, y});
    return s;
}

PixelSet screenChanges(DrawRig& rig) {
    return test::changedPixels(screenView(*rig.fb), 0);
}

std::unique_ptr<Fonts> fontsInked(bool ink) {
    auto f = std::make_unique<Fonts>();
    for (auto* sheet : {&f->font4x6, &f->font7x11, &f->font5x7, &f->font8x11})
        std::fill(sheet->begin(), sheet->end(), ink ? 255 : 0);
    return f;
}

// Every glyph different, widths from 0 to the cell's.
std::unique_ptr<Fonts> patternFonts() {
    auto f = std::make_unique<Fonts>();
    for (auto* sheet : {&f->font4x6, &f->font7x11, &f->font5x7, &f->font8x11})
        for (size_t i = 0; i < sheet->size(); ++i)
            (*sheet)[i] = (i * 2654435761u >> 7) % 3 ? 0 : 255;
    for (size_t k = 0; k < 224; ++k) {
        f->font8x11Widths[k] = uint8_t(k % 9);
        f->font5x7Widths[k] = uint8_t(k % 6);
    }
    return f;
}

// Index of the pixel of glyph code c at cell column k and cell row r in a sheet.
size_t glyphPixel(int32_t sheetWidth, int32_t cellW, int32_t cellH, int32_t c, int32_t k,
                  int32_t r) {
    return size_t(((15 - c / 16) * cellH + r) * sheetWidth + (c % 16) * cellW + k);
}

TEST(Text, GlyphsAreAddressedBottomUpByCode) {
    auto fonts = fontsInked(false);
    fonts->font7x11[glyphPixel(112, 7, 11, 'A', 0, 0)] = 255;
    fonts->font7x11[glyphPixel(112, 7, 11, 'A', 6, 10)] = 255;
    DrawRig rig;
    drawText(rig.canvas, *fonts, "BA", 100, 200, 9);
    EXPECT_EQ(screenChanges(rig), (PixelSet{{108, 200}, {114, 210}}));
}

TEST(Text, TwoCharactersKeepToTheirCellsAndSpacing) {
    auto fonts = fontsInked(true);
    DrawRig rig;
    drawText(rig.canvas, *fonts, "AB", 100, 200, 9);
    PixelSet want = box(100, 200, 106, 210);
    for (const auto& p : box(108, 200, 114, 210)) want.insert(p);
    EXPECT_EQ(screenChanges(rig), want);
}

TEST(Text, ControlCodesAreDrawnAndMeasuredAsCode128) {
    auto fonts = patternFonts();
    using Drawer =
        void (*)(const Canvas&, const Fonts&, const std::string&, int32_t, int32_t, int32_t);
    const Drawer drawers[] = {drawText,         drawTextBg,         drawTextMapClipped,
                              drawSmallText,    drawSmallTextBg,    drawSmallTextMapClipped,
                              drawPropText,     drawPropTextBg,     drawPropTextMenu,
                              drawPropTextBold, drawPropTextBoldBg, drawPropTextBoldMenu,
                              drawSmallPropText};
    for (const Drawer draw : drawers) {
        DrawRig a, b;
        draw(a.canvas, *fonts, "x\ny\x01", 40, 300, 9);
        draw(b.canvas, *fonts, "x\x80y\x80", 40, 300, 9);
        EXPECT_EQ(a.fb->screen, b.fb->screen);
        EXPECT_EQ(a.fb->background, b.fb->background);
        EXPECT_EQ(a.fb->menuBuffer, b.fb->menuBuffer);
    }
    EXPECT_EQ(propTextWidth(*fonts, "\n"), propTextWidth(*fonts, "\x80"));
    EXPECT_EQ(smallPropTextWidth(*fonts, "\t\x1f"), smallPropTextWidth(*fonts, "\x80\x80"));
}

TEST(Text, ProportionalWidths) {
    Fonts fonts;
    fonts.font8x11Widths['A' - 32] = 5;
    fonts.font8x11Widths['B' - 32] = 3;
    fonts.font5x7Widths['A' - 32] = 4;
    struct Case {
        const char* text;
        int32_t plain, bold, small;
    };
    const Case cases[] = {{"", -1, -1, -1}, {"A", 5, 6, 4}, {"AB", 9, 11, 5}, {"ABA", 15, 18, 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(propTextWidth(fonts, c.text), c.plain);
        EXPECT_EQ(propTextWidthBold(fonts, c.text), c.bold);
        EXPECT_EQ(smallPropTextWidth(fonts, c.text), c.small);
    }
}

TEST(Text, ProportionalTextAdvancesByWidthPlusOneAndBoldDoublesInk) {
    auto fonts = fontsInked(false);
    fonts->font8x11[glyphPixel(128, 8, 11, 'A', 0, 0)] = 255;
    fonts->font8x11Widths['A' - 32] = 2;
    DrawRig rig;
    drawPropText(rig.canvas, *fonts, "AA", 100, 200, 9);
    EXPECT_EQ(screenChanges(rig), (PixelSet{{100, 200}, {103, 200}}));
    rig.clear(0);
    drawPropTextBold(rig.canvas, *fonts, "AA", 100, 200, 9);
    EXPECT_EQ(screenChanges(rig), (PixelSet{{100, 200}, {101, 200}, {104, 200}, {105, 200}}));
}

TEST(Text, WithoutWidthsProportionalTextDrawsNothingAndAdvancesOnePixel) {
    auto fonts = fontsInked(true);
    DrawRig rig;
    drawPropText(rig.canvas, *fonts, "abc", 100, 200, 9);
    drawSmallPropText(rig.canvas, *fonts, "abc", 100, 300, 9);
    EXPECT_TRUE(screenChanges(rig).empty());
    EXPECT_EQ(propTextWidth(*fonts, "abc"), 2);
}

TEST(Text, GlyphWidthsBeyondTheCellNeverShowTheNeighbouringGlyph) {
    auto fonts = fontsInked(false);
    // 'A' is blank and 'B', its right-hand neighbour on the sheet, fully inked.
    for (int32_t r = 0; r < 11; ++r)
        for (int32_t k = 0; k < 8; ++k) fonts->font8x11[glyphPixel(128, 8, 11, 'B', k, r)] = 255;
    fonts->font8x11Widths['A' - 32] = 9;
    fonts->font8x11Widths['B' - 32] = 9;
    DrawRig rig;
    drawPropText(rig.canvas, *fonts, "A", 100, 200, 9);
    EXPECT_TRUE(screenChanges(rig).empty());
    drawPropText(rig.canvas, *fonts, "B", 100, 200, 9);
    EXPECT_EQ(screenChanges(rig), box(100, 200, 107, 210));
}

TEST(Text, MapViewDrawersCutAtTheMapViewEdges) {
    auto fonts = fontsInked(true);
    DrawRig rig;
    drawTextMapClipped(rig.canvas, *fonts, "AB", 796, 300, 9);
    EXPECT_EQ(screenChanges(rig), box(796, 300, 799, 310));
    rig.clear(0);
    drawTextMapClipped(rig.canvas, *fonts, "A", 10, 580, 9);
    drawSmallTextMapClipped(rig.canvas, *fonts, "A", 30, 125, 9);
    PixelSet want = box(10, 580, 16, 583);
    for (const auto& p : box(30, 128, 33, 130)) want.insert(p);
    EXPECT_EQ(screenChanges(rig), want);
}

TEST(Text, OpaqueSmallTextFillsEachCharactersWholeBox) {
    auto blank = fontsInked(false);
    DrawRig rig;
    drawSmallTextOpaque(rig.canvas, *blank, "AB", 100, 200, 3, 4);
    EXPECT_EQ(screenChanges(rig), box(100, 200, 109, 205));
    auto inked = fontsInked(true);
    drawSmallTextOpaque(rig.canvas, *inked, "A", 100, 200, 3, 4);
    EXPECT_EQ(rig.px(103, 205), 4);
    EXPECT_EQ(rig.px(104, 205), 3);
}

TEST(Text, OutlinedTextPutsTheOutlineAroundTheText) {
    auto fonts = fontsInked(false);
    fonts->font7x11[glyphPixel(112, 7, 11, 'A', 3, 5)] = 255;
    DrawRig rig;
    drawOutlinedText(rig.canvas, *fonts, "A", 100, 200, 40, 50);
    EXPECT_EQ(rig.px(103, 205), 40);
    for (const auto& [x, y] : PixelSet{{102, 205}, {104, 205}, {103, 204}, {103, 206}})
        EXPECT_EQ(rig.px(x, y), 50);
    EXPECT_EQ(screenChanges(rig).size(), 5u);
    drawOutlinedTextBg(rig.canvas, *fonts, "A", 100, 200, 1);
    EXPECT_EQ(rig.bg(103, 205), 6);
    EXPECT_EQ(rig.bg(102, 205), 255);
}

TEST(Text, SingleGlyphDrawersBlendByMode) {
    auto fonts = fontsInked(true);
    fonts->font8x11Widths['A' - 32] = 3;
    auto tables = std::make_unique<ColorTables>();
    test::fillSyntheticBlend(*tables);
    const auto& blend = tables->blendTable;
    struct Case {
        int32_t mode;
        int expected;  // -1: untouched
    };
    const uint8_t v = 10, c = 60;
    const Case cases[] = {
        {0, blend[c * 256 + v]}, {1, blend[v * 256 + c]}, {2, c}, {3, -1}, {-1, -1}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.mode);
        DrawRig rig;
        rig.clear(v);
        drawGlyphProp8x11(rig.canvas, *fonts, 100, 200, 'A', c, k.mode);
        const PixelSet set = test::changedPixels(backgroundView(*rig.fb), v);
        if (k.expected < 0) {
            EXPECT_TRUE(set.empty());
            continue;
        }
        EXPECT_EQ(set, box(100, 200, 102, 210));
        EXPECT_EQ(rig.bg(100, 200), k.expected);
    }
    DrawRig rig;
    drawGlyphMono4x6(rig.canvas, *fonts, 5, 5, 'A', 1, 2);
    drawGlyphMono7x11(rig.canvas, *fonts, 5, 50, 10, 1, 2);
    drawGlyphProp5x7(rig.canvas, *fonts, 5, 80, 'A', 1, 2);  // width 0: nothing
    PixelSet want = box(5, 5, 8, 10);
    for (const auto& p : box(5, 50, 11, 60)) want.insert(p);
    EXPECT_EQ(test::changedPixels(backgroundView(*rig.fb), 0), want);
}

std::string randomText(std::mt19937& rng) {
    std::string s(rng() % 40, '\0');
    for (char& ch : s) ch = char(rng());
    return s;
}

int32_t randomPosition(std::mt19937& rng) {
    switch (rng() % 6) {
        case 0:
            return int32_t(rng());
        case 1:
            return (rng() & 1) ? INT32_MAX - int32_t(rng() % 20) : INT32_MIN + int32_t(rng() % 20);
        default:
            return std::uniform_int_distribution<int32_t>(-60, 860)(rng);
    }
}

TEST(Text, RandomTextsNeverLeaveTheirSurface) {
    auto fonts = patternFonts();
    using Drawer = std::function<void(const Canvas&, const std::string&, int32_t, int32_t)>;
    struct Routine {
        const char* name;
        Drawer draw;
        ClipRect keepTo;
    };
    const Fonts& f = *fonts;
    const Routine onScreen[] = {
        {"drawText", [&](auto& cv, auto& t, int32_t x, int32_t y) { drawText(cv, f, t, x, y, 9); },
         kWholeScreen},
        {"drawTextMapClipped",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawTextMapClipped(cv, f, t, x, y, 9); },
         kMapView},
        {"drawOutlinedText",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawOutlinedText(cv, f, t, x, y, 9, 8); },
         kWholeScreen},
        {"drawSmallText",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawSmallText(cv, f, t, x, y, 9); },
         kWholeScreen},
        {"drawSmallTextOpaque",
         [&](auto& cv, auto& t, int32_t x, int32_t y) {
             drawSmallTextOpaque(cv, f, t, x, y, 9, 8);
         },
         kWholeScreen},
        {"drawSmallTextMapClipped",
         [&](auto& cv, auto& t, int32_t x, int32_t y) {
             drawSmallTextMapClipped(cv, f, t, x, y, 9);
         },
         kMapView},
        {"drawPropText",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropText(cv, f, t, x, y, 9); },
         kWholeScreen},
        {"drawPropTextBold",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropTextBold(cv, f, t, x, y, 9); },
         kWholeScreen},
        {"drawSmallPropText",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawSmallPropText(cv, f, t, x, y, 9); },
         kWholeScreen},
    };
    std::mt19937 rng(99);
    for (const Routine& r : onScreen) {
        SCOPED_TRACE(r.name);
        DrawRig rig;
        for (int i = 0; i < 500; ++i)
            r.draw(rig.canvas, randomText(rng), randomPosition(rng), randomPosition(rng));
        EXPECT_TRUE(rig.guardsIntact());
        EXPECT_TRUE(test::unchangedOutside(screenView(*rig.fb), 0, r.keepTo));
        EXPECT_TRUE(test::unchangedOutside(backgroundView(*rig.fb), 0, {}));
    }

    // The background and the menu have no guard bytes: each of their drawers must write what
    // its screen twin writes, cut to the surface.
    struct Twin {
        const char* name;
        std::function<void(const Canvas&, const std::string&, int32_t, int32_t)> other, screen;
        bool menu;
    };
    const Twin twins[] = {
        {"drawTextBg",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawTextBg(cv, f, t, x, y, 9); },
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawText(cv, f, t, x, y, 9); }, false},
        {"drawOutlinedTextBg",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawOutlinedTextBg(cv, f, t, x, y, 9); },
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawOutlinedText(cv, f, t, x, y, 14, 7); },
         false},
        {"drawSmallTextBg",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawSmallTextBg(cv, f, t, x, y, 9); },
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawSmallText(cv, f, t, x, y, 9); }, false},
        {"drawPropTextBg",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropTextBg(cv, f, t, x, y, 9); },
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropText(cv, f, t, x, y, 9); }, false},
        {"drawPropTextBoldBg",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropTextBoldBg(cv, f, t, x, y, 9); },
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropTextBold(cv, f, t, x, y, 9); },
         false},
        {"drawPropTextMenu",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropTextMenu(cv, f, t, x, y, 9); },
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropText(cv, f, t, x, y, 9); }, true},
        {"drawPropTextBoldMenu",
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropTextBoldMenu(cv, f, t, x, y, 9); },
         [&](auto& cv, auto& t, int32_t x, int32_t y) { drawPropTextBold(cv, f, t, x, y, 9); },
         true},
    };
    for (const Twin& t : twins) {
        SCOPED_TRACE(t.name);
        DrawRig rig;
        for (int i = 0; i < 120; ++i) {
            const std::string text = randomText(rng);
            const int32_t x = randomPosition(rng), y = randomPosition(rng);
            rig.clear(0);
            t.other(rig.canvas, text, x, y);
            t.screen(rig.canvas, text, x, y);
            ASSERT_TRUE(
                test::sameAsScreen(*rig.fb, t.menu ? menuView(*rig.fb) : backgroundView(*rig.fb)));
            ASSERT_TRUE(rig.guardsIntact());
        }
    }
}

}  // namespace
}  // namespace korvel
