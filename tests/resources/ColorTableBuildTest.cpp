#include "resources/ColorTableBuild.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/NativeFileSystem.h"
#include "resources/GamePalette.h"
#include "resources/Palettes.h"
#include "support/RecordingMapEvents.h"
#include "support/SyntheticGameFiles.h"

namespace korvel {
namespace {

// Both palettes a grey ramp, colour k = (k, k, k): every nearest colour of a grey is that grey.
std::unique_ptr<ColorTables> greyTables() {
    auto c = std::make_unique<ColorTables>();
    for (size_t k = 0; k < 256; ++k) {
        c->paletteRed[k] = c->paletteGreen[k] = c->paletteBlue[k] = uint8_t(k);
        c->gamePaletteRed[k] = c->gamePaletteGreen[k] = c->gamePaletteBlue[k] = uint8_t(k);
    }
    return c;
}

struct Start {
    TempFolder data;
    test::RecordingMapEvents events;
    ColorTableInputs inputs;
    Start() {
        inputs.dataFolder = data.path();
        inputs.programFolder = data.path();
        inputs.gamePaletteRead = true;
    }
    std::vector<int32_t> logNumbers() const {
        std::vector<int32_t> out;
        for (const auto& l : events.bootLog) out.push_back(l.message.number);
        return out;
    }
};

void expectSameTables(const ColorTables& a, const ColorTables& b) {
    EXPECT_EQ(a.blendTable, b.blendTable);
    EXPECT_EQ(a.gameShades, b.gameShades);
    EXPECT_EQ(a.displayShades, b.displayShades);
    EXPECT_EQ(a.palRemaps, b.palRemaps);
    EXPECT_EQ(a.uiTint, b.uiTint);
    EXPECT_EQ(a.gamePaletteMap, b.gamePaletteMap);
}

TEST(ColorTableBuild, MissingFileIsBuiltWrittenAndReadBack) {
    Start s;
    NativeFileSystem fs;
    auto first = greyTables();
    const auto load = loadColorTables(*first, fs, s.events, s.inputs);
    EXPECT_FALSE(load.readFromFile);
    EXPECT_TRUE(load.written);
    EXPECT_EQ(s.logNumbers(), (std::vector<int32_t>{3, 4, 5, 6, 7, 8}));
    for (const auto& line : s.events.bootLog) EXPECT_EQ(line.colour, 83);
    EXPECT_EQ(s.data.read("colortab.dat").size(), 88576u);
    EXPECT_TRUE(std::equal(first->palRemaps.begin(), first->palRemaps.begin() + 256,
                           first->palRemaps.begin() + 26 * 256));

    // The next start reads what was written.
    s.events.clear();
    auto second = greyTables();
    const auto again = loadColorTables(*second, fs, s.events, s.inputs);
    EXPECT_TRUE(again.readFromFile);
    EXPECT_FALSE(again.written);
    EXPECT_TRUE(s.events.bootLog.empty());
    expectSameTables(*first, *second);
}

TEST(ColorTableBuild, ShortFileCountsAsMissing) {
    Start s;
    NativeFileSystem fs;
    s.data.write("colortab.dat", std::string(88575, '\x07'));
    auto c = greyTables();
    const auto load = loadColorTables(*c, fs, s.events, s.inputs);
    EXPECT_FALSE(load.readFromFile);
    EXPECT_TRUE(load.written);
    EXPECT_EQ(s.data.read("colortab.dat").size(), 88576u);
    EXPECT_EQ(c->blendTable[0], 0);
}

TEST(ColorTableBuild, FailedWriteIsLoggedAndTablesUsed) {
    Start s;
    test::WriteFailingFileSystem fs({"colortab.dat"});
    auto c = greyTables();
    const auto load = loadColorTables(*c, fs, s.events, s.inputs);
    EXPECT_FALSE(load.written);
    EXPECT_FALSE(s.data.exists("colortab.dat"));
    EXPECT_EQ(s.logNumbers(), (std::vector<int32_t>{3, 4, 5, 6, 7, 1351}));
    EXPECT_EQ(s.events.bootLog.back().colour, 68);
    EXPECT_EQ(s.events.bootLog.back().message.args, std::vector<std::string>{"colortab.dat"});
    EXPECT_EQ(c->blendTable[200 * 256 + 200], 200);
    EXPECT_EQ(c->palRemaps[1 * 256 + 0], 80);
}

TEST(ColorTableBuild, StoredFileOverridesTheBuild) {
    Start s;
    NativeFileSystem fs;
    std::string stored(88576, '\0');
    for (size_t i = 0; i < stored.size(); ++i) stored[i] = char(i * 31 % 251);
    s.data.write("COLORTAB.DAT", stored);
    auto c = greyTables();
    EXPECT_TRUE(loadColorTables(*c, fs, s.events, s.inputs).readFromFile);
    EXPECT_EQ(colorTablesFileBytes(*c), stored);
    // Row 26 is a copy of row 0 whatever the file holds.
    EXPECT_TRUE(std::equal(c->palRemaps.begin(), c->palRemaps.begin() + 256,
                           c->palRemaps.begin() + 26 * 256));
}

TEST(ColorTableBuild, RemapRows) {
    auto c = greyTables();
    buildRemapRows(*c);
    const struct {
        int pal, colour, expected;
    } cases[] = {
        {0, 17, 17},   {1, 0, 80},    {1, 15, 95},    {1, 192, 91},   {1, 197, 64},  {1, 239, 95},
        {2, 192, 129}, {2, 199, 143}, {2, 200, 209},  {2, 207, 223},  {2, 128, 128}, {3, 100, 100},
        {4, 0, 0},     {4, 254, 0},   {4, 255, 255},  {5, 143, 47},   {5, 208, 48},  {6, 0, 127},
        {6, 31, 96},   {6, 128, 111}, {6, 239, 104},  {7, 0, 160},    {7, 160, 160}, {8, 224, 104},
        {10, 64, 136}, {10, 65, 136}, {10, 79, 143},  {10, 95, 135},  {13, 129, 0},  {13, 223, 15},
        {14, 80, 96},  {16, 79, 95},  {17, 224, 64},  {19, 224, 208}, {20, 64, 16},  {23, 95, 151},
        {24, 128, 0},  {24, 223, 31}, {25, 112, 208}, {25, 128, 128},
    };
    for (const auto& t : cases)
        EXPECT_EQ(c->palRemaps[size_t(t.pal * 256 + t.colour)], t.expected)
            << "pal " << t.pal << " colour " << t.colour;
    for (int pal = 0; pal < 26; ++pal) {
        for (int colour = 240; colour < 256; ++colour) {
            if (pal != 4 || colour == 255) {
                EXPECT_EQ(c->palRemaps[size_t(pal * 256 + colour)], colour) << pal;
            }
        }
    }
}

TEST(ColorTableBuild, BlendAndShadeTables) {
    auto c = greyTables();
    buildBlendTable(*c);
    buildShadeTables(*c);
    for (int j = 0; j < 256; ++j) EXPECT_EQ(c->blendTable[size_t(j * 256 + j)], j);
    EXPECT_EQ(c->blendTable[255 * 256 + 0], 147);  // black over white: sqrt(1/3) of white
    EXPECT_EQ(c->blendTable[0 * 256 + 255], 208);  // white over black: sqrt(2/3)
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ(c->gameShades[size_t(k)], k);
        EXPECT_EQ(c->displayShades[size_t(k)], k);
        EXPECT_EQ(c->gameShades[size_t(31 * 256 + k)], k >= 240 ? k : 0);
        EXPECT_EQ(c->displayShades[size_t(31 * 256 + k)], 0);
    }
    // Level 16 scales by 15/31: 100 gives 48.39, 31 gives exactly 15.
    EXPECT_EQ(c->gameShades[16 * 256 + 100], 48);
    EXPECT_EQ(c->displayShades[16 * 256 + 31], 15);
    EXPECT_EQ(c->gameShades[16 * 256 + 250], 250);
}

// Palettes for comparing the built tables with plain scans: ramps from black to a tint (as the
// display palette is made), game-like ramps of 16 that share black and repeat colours, scattered
// colours with duplicates, and the stand-in game palette used when the game's files are missing
// (beside the ramps of the display).
enum class PaletteKind { DisplayRamps, GameRamps, Scattered, StandIn };

std::unique_ptr<ColorTables> paletteTables(PaletteKind kind) {
    auto c = std::make_unique<ColorTables>();
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return uint8_t(seed >> 16);
    };
    for (size_t k = 0; k < 256; ++k) {
        uint8_t r = 0, g = 0, b = 0;
        if (kind == PaletteKind::DisplayRamps || kind == PaletteKind::StandIn) {
            const int ramp = int(k / 12), shade = int(k % 12);
            r = uint8_t(std::min(255, shade * (40 + ramp * 9) / 5));
            g = uint8_t(std::min(255, shade * (200 - ramp * 7) / 9));
            b = uint8_t(std::min(255, shade * (ramp * 13 % 230 + 20) / 8));
        } else if (kind == PaletteKind::GameRamps) {
            const int ramp = int(k / 16), shade = int(k % 16);
            r = uint8_t(shade * ((ramp * 37) % 17) + (shade == 0 ? 0 : ramp));
            g = uint8_t(shade * ((ramp * 11) % 17));
            b = uint8_t(shade * ((ramp * 5 + 3) % 17));
        } else {
            r = next(), g = next(), b = next();
            if (k % 9 == 0 && k > 0) r = c->paletteRed[k - 1], g = c->paletteGreen[k - 1],
                                     b = c->paletteBlue[k - 1];
        }
        c->paletteRed[k] = c->gamePaletteRed[255 - k] = r;
        c->paletteGreen[k] = c->gamePaletteGreen[255 - k] = g;
        c->paletteBlue[k] = c->gamePaletteBlue[255 - k] = b;
    }
    if (kind == PaletteKind::StandIn) fillBuiltInGamePalette(*c);
    return c;
}

// The nearest colour as the tables were first built: every colour scanned in index order, the
// first strictly nearer than the best so far kept, starting from 1,000,000 (colour 0 when none
// is nearer).
uint8_t scannedNearest(const PaletteChannel& red, const PaletteChannel& green,
                       const PaletteChannel& blue, int64_t wr, int64_t wg, int64_t wb, int32_t r,
                       int32_t g, int32_t b) {
    int64_t best = 1000000;
    uint8_t found = 0;
    for (size_t i = 0; i < 256; ++i) {
        const int64_t dr = red[i] - r, dg = green[i] - g, db = blue[i] - b;
        const int64_t d = wr * dr * dr + wg * dg * dg + wb * db * db;
        if (d < best) best = d, found = uint8_t(i);
    }
    return found;
}

TEST(ColorTableBuild, TablesEqualPlainScans) {
    const struct {
        PaletteKind kind;
        const char* name;
    } palettes[] = {
        {PaletteKind::DisplayRamps, "display ramps"},
        {PaletteKind::GameRamps, "game ramps"},
        {PaletteKind::Scattered, "scattered"},
        {PaletteKind::StandIn, "stand-in game palette"},
    };
    auto mix = [](uint8_t j, uint8_t k) {
        const double cj = j / 255.0, ck = k / 255.0;
        return std::min(255, int(std::floor(255.0 * std::sqrt((2 * ck * ck + cj * cj) / 3) + 0.5)));
    };
    for (const auto& p : palettes) {
        auto c = paletteTables(p.kind);
        buildBlendTable(*c);
        buildShadeTables(*c);
        const auto& r = c->paletteRed;
        const auto& g = c->paletteGreen;
        const auto& b = c->paletteBlue;
        const auto& gr = c->gamePaletteRed;
        const auto& gg = c->gamePaletteGreen;
        const auto& gb = c->gamePaletteBlue;
        int wrongBlend = 0, wrongGame = 0, wrongDisplay = 0;
        for (size_t j = 0; j < 256; ++j)
            for (size_t k = 0; k < 256; ++k)
                wrongBlend +=
                    c->blendTable[j * 256 + k] != scannedNearest(r, g, b, 1, 1, 1, mix(r[j], r[k]),
                                                                 mix(g[j], g[k]), mix(b[j], b[k]));
        for (int level = 0; level < 32; ++level) {
            const float f = float(31 - level) / 31.0f;
            auto sh = [f](uint8_t v) { return int32_t(std::nearbyint(float(v) * f)); };
            for (size_t k = 0; k < 256; ++k) {
                const size_t at = size_t(level) * 256 + k;
                const uint8_t game = k >= 240 ? uint8_t(k)
                                              : scannedNearest(gr, gg, gb, 30, 59, 11, sh(gr[k]),
                                                               sh(gg[k]), sh(gb[k]));
                wrongGame += c->gameShades[at] != game;
                wrongDisplay += c->displayShades[at] !=
                                scannedNearest(r, g, b, 1, 1, 1, sh(r[k]), sh(g[k]), sh(b[k]));
            }
        }
        EXPECT_EQ(wrongBlend, 0) << p.name;
        EXPECT_EQ(wrongGame, 0) << p.name;
        EXPECT_EQ(wrongDisplay, 0) << p.name;
    }
}

TEST(ColorTableBuild, TintAndGamma) {
    auto c = greyTables();
    buildTintTable(*c, 70);
    EXPECT_EQ(c->uiTint[0], 60);    // 6 x 70 / 7
    EXPECT_EQ(c->uiTint[255], 96);  // (420 + 255) / 7, remainder dropped
    EXPECT_EQ(c->uiTint[70], 70);

    const struct {
        int32_t gamma;
        bool alternate;
        int colour, expected;
    } cases[] = {
        {1000, false, 0, 0},    {1000, false, 128, 128}, {1000, false, 255, 255},
        {1000, true, 77, 77},   {500, false, 128, 64},   {500, false, 255, 255},
        {2000, false, 64, 128}, {0, false, 0, 255},      {-3, true, 10, 255},
    };
    for (const auto& t : cases) {
        buildGammaRemap(*c, t.gamma, t.alternate);
        const ColorPair pair = c->gamePaletteMap[size_t(t.colour)];
        EXPECT_EQ(pair & 0xFF, t.expected) << t.gamma << " " << t.colour;
        EXPECT_EQ(pair >> 8, t.expected) << t.gamma << " " << t.colour;  // exact: no dithering
    }
}

}  // namespace
}  // namespace korvel
