#include "resources/Palettes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/NativeFileSystem.h"
#include "support/RecordingMapEvents.h"
#include "support/SyntheticGameFiles.h"

namespace korvel {
namespace {

using test::Rgb;

void setDisplay(ColorTables& c, size_t i, Rgb rgb) {
    c.paletteRed[i] = rgb.r;
    c.paletteGreen[i] = rgb.g;
    c.paletteBlue[i] = rgb.b;
}
void setGame(ColorTables& c, size_t i, Rgb rgb) {
    c.gamePaletteRed[i] = rgb.r;
    c.gamePaletteGreen[i] = rgb.g;
    c.gamePaletteBlue[i] = rgb.b;
}

TEST(Palettes, TextPaletteLines) {
    const std::string head = "JASC-PAL\r\n0100\r\n256\r\n";
    const struct {
        const char* what;
        std::string text;
        Rgb colour0, colour1;
    } cases[] = {
        {"plain", head + "1 2 3\r\n4 5 6\r\n", {1, 2, 3}, {4, 5, 6}},
        {"blue ends at the third blank",
         head + "1 2 3 extra\r\n255 255 255 \r\n",
         {1, 2, 3},
         {255, 255, 255}},
        {"lines split at CR alone", "a\rb\rc\r\n7 8 9\r10 11 12", {7, 8, 9}, {10, 11, 12}},
        {"a field missing", head + "1 2\r\n4 5 6\r\n", {9, 9, 9}, {4, 5, 6}},
        {"a field not a number", head + "1 x 3\r\n4 5 6\r\n", {9, 9, 9}, {4, 5, 6}},
        {"a field above 255", head + "1 256 3\r\n4 5 6\r\n", {9, 9, 9}, {4, 5, 6}},
        {"a negative field", head + "-1 2 3\r\n4 5 6\r\n", {9, 9, 9}, {4, 5, 6}},
        {"two blanks make an empty field", head + "1  2 3\r\n4 5 6\r\n", {9, 9, 9}, {4, 5, 6}},
        {"header only", head, {9, 9, 9}, {9, 9, 9}},
    };
    for (const auto& c : cases) {
        PaletteChannel r, g, b;
        r.fill(9);
        g.fill(9);
        b.fill(9);
        EXPECT_TRUE(parseTextPalette(c.text, r, g, b)) << c.what;
        EXPECT_EQ((std::array<int, 3>{r[0], g[0], b[0]}),
                  (std::array<int, 3>{c.colour0.r, c.colour0.g, c.colour0.b}))
            << c.what;
        EXPECT_EQ((std::array<int, 3>{r[1], g[1], b[1]}),
                  (std::array<int, 3>{c.colour1.r, c.colour1.g, c.colour1.b}))
            << c.what;
        EXPECT_EQ(r[2], 9) << c.what;
    }
    PaletteChannel r{}, g{}, b{};
    EXPECT_FALSE(parseTextPalette("", r, g, b));
}

TEST(Palettes, WrittenPaletteReadsBackEqual) {
    const auto colours = test::distinctColours();
    PaletteChannel r, g, b;
    for (size_t k = 0; k < 256; ++k) {
        r[k] = colours[k].r;
        g[k] = colours[k].g;
        b[k] = colours[k].b;
    }
    const std::string text = formatTextPalette(r, g, b);
    EXPECT_EQ(text, test::makeTextPalette(colours));
    PaletteChannel r2{}, g2{}, b2{};
    ASSERT_TRUE(parseTextPalette(text, r2, g2, b2));
    EXPECT_EQ(r2, r);
    EXPECT_EQ(g2, g);
    EXPECT_EQ(b2, b);
}

TEST(Palettes, StartUpReading) {
    TempFolder data;
    NativeFileSystem fs;
    test::RecordingMapEvents events;
    auto colors = std::make_unique<ColorTables>();
    colors->paletteRed[5] = 77;

    // Missing: logged with the lower-case name, the palette left as it was.
    EXPECT_FALSE(loadDisplayPalette(*colors, fs, events, data.path()));
    EXPECT_FALSE(loadGamePalette(*colors, fs, events, data.path()));
    ASSERT_EQ(events.bootLog.size(), 2u);
    EXPECT_EQ(events.bootLog[0].message.number, 323);
    EXPECT_EQ(events.bootLog[0].message.args, std::vector<std::string>{"palette.pal"});
    EXPECT_EQ(events.bootLog[0].colour, 68);
    EXPECT_EQ(events.bootLog[1].message.args, std::vector<std::string>{"dukepal.pal"});
    EXPECT_EQ(colors->paletteRed[5], 77);

    // Found whatever the case of its name.
    data.write("PALETTE.PAL", test::makeTextPalette(test::distinctColours()));
    data.write("DUKEPAL.PAL", test::makeTextPalette(test::distinctColours()));
    events.clear();
    EXPECT_TRUE(loadDisplayPalette(*colors, fs, events, data.path()));
    EXPECT_TRUE(loadGamePalette(*colors, fs, events, data.path()));
    EXPECT_TRUE(events.bootLog.empty());
    EXPECT_EQ(colors->paletteRed[5], test::distinctColours()[5].r);
    EXPECT_EQ(colors->gamePaletteBlue[200], test::distinctColours()[200].b);
}

TEST(Palettes, NearestColourSearches) {
    auto c = std::make_unique<ColorTables>();
    // Display palette: every colour (200, 200, 200) but a few.
    for (size_t i = 0; i < 256; ++i) setDisplay(*c, i, {200, 200, 200});
    setDisplay(*c, 3, {10, 20, 230});
    setDisplay(*c, 7, {10, 20, 230});  // the same colour again
    setDisplay(*c, 9, {100, 0, 0});
    setDisplay(*c, 11, {0, 100, 0});
    // Game palette: black, then grey 10 everywhere.
    for (size_t i = 1; i < 256; ++i) setGame(*c, i, {10, 10, 10});
    setGame(*c, 20, {0, 250, 0});

    EXPECT_EQ(nearestColor(*c, 12, 20, 230), 3);        // a tie goes to the lower index
    EXPECT_EQ(nearestColor(*c, 190, 200, 210), 0);      // the first of the greys
    EXPECT_EQ(nearestColorLuma(*c, 255, 255, 255), 0);  // nothing below 1,000,000
    EXPECT_EQ(nearestColorLuma(*c, 0, 200, 0), 20);
    EXPECT_EQ(nearestColorLuma(*c, 6, 6, 6), 1);

    // The cell search gives what the scans give, ties, the 1,000,000 cut-off and values
    // outside 0..255 included.
    NearestColorSearch display(c->paletteRed, c->paletteGreen, c->paletteBlue, 1, 1, 1);
    NearestColorSearch game(c->gamePaletteRed, c->gamePaletteGreen, c->gamePaletteBlue, 30, 59, 11);
    const int32_t probes[][3] = {{12, 20, 230}, {190, 200, 210}, {255, 255, 255}, {0, 200, 0},
                                 {6, 6, 6},     {-40, 300, 7},   {100, 1, 0},     {0, 0, 0}};
    for (const auto& p : probes) {
        EXPECT_EQ(display.find(p[0], p[1], p[2]), nearestColor(*c, p[0], p[1], p[2]));
        EXPECT_EQ(game.find(p[0], p[1], p[2]), nearestColorLuma(*c, p[0], p[1], p[2]));
    }

    // Colours in mirrored pairs two apart across a plane, so that the points on the plane are
    // equally near to both, and the pair often straddles an edge between cells: the search
    // must keep both and give the lower index, as the scans do, on every point of a slice.
    auto ties = std::make_unique<ColorTables>();
    uint32_t seed = 7;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return uint8_t(seed >> 16);
    };
    for (size_t i = 0; i < 256; i += 2) {
        const Rgb a{uint8_t(next() | 1), next(), uint8_t(next() & 0xF0)};
        Rgb b = a;
        (i % 4 == 0 ? b.r : b.g) = uint8_t(std::min(255, (i % 4 == 0 ? a.r : a.g) + 2));
        setDisplay(*ties, i, i % 8 < 4 ? a : b);
        setDisplay(*ties, i + 1, i % 8 < 4 ? b : a);
        setGame(*ties, i, i % 8 < 4 ? a : b);
        setGame(*ties, i + 1, i % 8 < 4 ? b : a);
    }
    NearestColorSearch tieDisplay(ties->paletteRed, ties->paletteGreen, ties->paletteBlue, 1, 1, 1);
    NearestColorSearch tieGame(ties->gamePaletteRed, ties->gamePaletteGreen, ties->gamePaletteBlue,
                               30, 59, 11);
    int wrongDisplay = 0, wrongGame = 0;
    for (int32_t r = 0; r < 256; ++r)
        for (int32_t g = 0; g < 256; g += 3) {
            const int32_t b = (r * 7 + g) % 3 == 0 ? 16 : 15;  // both sides of a cell edge
            wrongDisplay += tieDisplay.find(r, g, b) != nearestColor(*ties, r, g, b);
            wrongGame += tieGame.find(r, g, b) != nearestColorLuma(*ties, r, g, b);
        }
    EXPECT_EQ(wrongDisplay, 0);
    EXPECT_EQ(wrongGame, 0);

    const struct {
        const char* what;
        bool weighted;
        int32_t r, g, b;
        int first, second;
    } pairs[] = {
        {"target equals a colour: no dithering", false, 100, 0, 0, 9, 9},
        {"two colours equal the target", false, 10, 20, 230, 3, 7},
        {"halfway between two colours", false, 50, 50, 0, 9, 11},
        {"second colour at least twice as far", false, 90, 10, 0, 9, 9},
        {"plain distance: green nearer", false, 40, 42, 0, 11, 9},
        {"weighted distance: red nearer", true, 40, 42, 0, 9, 11},
    };
    for (const auto& p : pairs) {
        const ColorPair pair = p.weighted ? nearestColorPairWeighted(*c, p.r, p.g, p.b)
                                          : nearestColorPair(*c, p.r, p.g, p.b);
        EXPECT_EQ(pair & 0xFF, p.first) << p.what;
        EXPECT_EQ(pair >> 8, p.second) << p.what;
    }
}

// The scans as first written: every colour in index order but the one skipped, the first
// strictly nearer than the best so far kept, the best starting at 1,000,000 (colour 0 when none
// is nearer).
struct Scanned {
    int index;
    int64_t distance;
};
Scanned plainScan(const PaletteChannel& red, const PaletteChannel& green,
                  const PaletteChannel& blue, const int64_t (&w)[3], int32_t r, int32_t g,
                  int32_t b, int skip) {
    Scanned found{0, 1000000};
    for (int i = 0; i < 256; ++i) {
        if (i == skip) continue;
        const int64_t dr = red[size_t(i)] - r, dg = green[size_t(i)] - g, db = blue[size_t(i)] - b;
        const int64_t d = w[0] * dr * dr + w[1] * dg * dg + w[2] * db * db;
        if (d < found.distance) found = {i, d};
    }
    return found;
}

TEST(Palettes, SearchesEqualPlainScans) {
    // Scattered colours repeated every few entries, one colour everywhere (every colour ties
    // with every other), and black and white alone (weighted distances past 1,000,000).
    enum class Kind { ScatteredRepeats, OneColour, BlackAndWhite };
    const struct {
        Kind kind;
        const char* what;
    } palettes[] = {
        {Kind::ScatteredRepeats, "scattered with repeats"},
        {Kind::OneColour, "one colour"},
        {Kind::BlackAndWhite, "black and white"},
    };
    const int64_t plain[3] = {1, 1, 1}, luma[3] = {30, 59, 11}, pairWeights[3] = {27, 49, 24};
    for (const auto& p : palettes) {
        auto c = std::make_unique<ColorTables>();
        uint32_t seed = 99;
        auto next = [&seed] {
            seed = seed * 1103515245u + 12345u;
            return uint8_t(seed >> 16);
        };
        for (size_t i = 0; i < 256; ++i) {
            Rgb rgb{77, 140, 3};
            if (p.kind == Kind::ScatteredRepeats)
                rgb = i % 5 == 4
                          ? Rgb{c->paletteRed[i - 3], c->paletteGreen[i - 3], c->paletteBlue[i - 3]}
                          : Rgb{next(), next(), next()};
            else if (p.kind == Kind::BlackAndWhite)
                rgb = i < 128 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
            setDisplay(*c, i, rgb);
            setGame(*c, 255 - i, rgb);
        }
        NearestColorSearch display(c->paletteRed, c->paletteGreen, c->paletteBlue, 1, 1, 1);
        NearestColorSearch game(c->gamePaletteRed, c->gamePaletteGreen, c->gamePaletteBlue, 30, 59,
                                11);
        int wrong = 0;
        for (int32_t r = -20; r < 280; r += 13)
            for (int32_t g = -9; g < 270; g += 11)
                for (int32_t b = 0; b < 256; b += 15) {
                    const auto& dr = c->paletteRed;
                    const auto& dg = c->paletteGreen;
                    const auto& db = c->paletteBlue;
                    const int nearest = plainScan(dr, dg, db, plain, r, g, b, -1).index;
                    const int nearestLuma = plainScan(c->gamePaletteRed, c->gamePaletteGreen,
                                                      c->gamePaletteBlue, luma, r, g, b, -1)
                                                .index;
                    wrong += nearestColor(*c, r, g, b) != nearest;
                    wrong += display.find(r, g, b) != nearest;
                    wrong += nearestColorLuma(*c, r, g, b) != nearestLuma;
                    wrong += game.find(r, g, b) != nearestLuma;
                    for (const bool weighted : {false, true}) {
                        const auto& w = weighted ? pairWeights : plain;
                        const Scanned f = plainScan(dr, dg, db, w, r, g, b, -1);
                        Scanned s = plainScan(dr, dg, db, w, r, g, b, f.index);
                        if (s.distance > 0 && double(f.distance) / double(s.distance) <= 0.5)
                            s.index = f.index;
                        const ColorPair pair = weighted ? nearestColorPairWeighted(*c, r, g, b)
                                                        : nearestColorPair(*c, r, g, b);
                        wrong += pair != ColorPair(f.index | s.index << 8);
                    }
                }
        EXPECT_EQ(wrong, 0) << p.what;
    }
}

}  // namespace
}  // namespace korvel
