#include "resources/ColorTableBuild.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/FileSystem.h"
#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "map/MapEvents.h"
#include "resources/Palettes.h"

namespace korvel {

namespace {

constexpr uint8_t kBuildLogColour = 83;
constexpr uint8_t kWarningColour = 68;
constexpr size_t kBlendBytes = 65536;
constexpr size_t kShadeBytes = 8192;
constexpr size_t kStoredRemapBytes = 26 * 256;
constexpr int kShadeLevels = 32;

// How a run of colours a..b is moved under a pal number.
enum class Move : uint8_t {
    Up,     // k -> c + (k - a)
    Down,   // k -> c - (k - a)
    Step2,  // k -> c + 2 (k - a)
    Half,   // k -> c + (k - a) / 2
    To,     // k -> c
};

struct RemapRun {
    uint8_t pal;
    uint8_t a, b;
    Move move;
    uint8_t c;
};

// The game's pal numbers as the editor shows them; colours not listed keep their index, and so
// does every colour from 240 on (row 4 alone maps all but 255 to 0).
// clang-format off
constexpr RemapRun kRemapRuns[] = {
    {1, 0, 15, Move::Up, 80},       {1, 16, 47, Move::Up, 64},      {1, 48, 63, Move::Up, 64},
    {1, 96, 111, Move::Up, 80},     {1, 112, 143, Move::Up, 64},    {1, 144, 175, Move::Up, 64},
    {1, 176, 191, Move::Up, 64},    {1, 192, 196, Move::Up, 91},    {1, 197, 207, Move::Up, 64},
    {1, 208, 239, Move::Up, 64},

    {2, 0, 15, Move::Up, 128},      {2, 16, 31, Move::Up, 208},     {2, 32, 47, Move::Up, 128},
    {2, 48, 63, Move::Up, 208},     {2, 64, 79, Move::Up, 208},     {2, 80, 95, Move::Up, 128},
    {2, 96, 111, Move::Up, 128},    {2, 112, 127, Move::Up, 208},   {2, 144, 159, Move::Up, 128},
    {2, 160, 175, Move::Up, 128},   {2, 176, 191, Move::Up, 208},   {2, 192, 199, Move::Step2, 129},
    {2, 200, 207, Move::Step2, 209}, {2, 224, 239, Move::Up, 128},

    {4, 0, 254, Move::To, 0},

    {5, 128, 143, Move::Up, 32},    {5, 208, 223, Move::Up, 48},

    {6, 0, 31, Move::Down, 127},    {6, 32, 63, Move::Down, 127},   {6, 64, 95, Move::Down, 127},
    {6, 96, 127, Move::Down, 127},  {6, 128, 143, Move::Down, 111}, {6, 144, 159, Move::Down, 127},
    {6, 160, 191, Move::Down, 127}, {6, 192, 207, Move::Down, 127}, {6, 208, 223, Move::Down, 127},
    {6, 224, 239, Move::Down, 119},

    {7, 0, 15, Move::Up, 160},      {7, 16, 47, Move::Up, 144},     {7, 48, 63, Move::Up, 144},
    {7, 64, 95, Move::Up, 144},     {7, 96, 111, Move::Up, 160},    {7, 112, 143, Move::Up, 144},
    {7, 176, 191, Move::Up, 144},   {7, 192, 207, Move::Up, 144},   {7, 208, 223, Move::Up, 144},
    {7, 224, 239, Move::Up, 144},

    {8, 0, 31, Move::Up, 96},       {8, 32, 63, Move::Up, 96},      {8, 64, 79, Move::Up, 112},
    {8, 80, 95, Move::Up, 96},      {8, 128, 159, Move::Up, 96},    {8, 160, 191, Move::Up, 96},
    {8, 192, 207, Move::Up, 112},   {8, 208, 223, Move::Up, 112},   {8, 224, 239, Move::Up, 104},

    {10, 64, 79, Move::Half, 136},  {10, 80, 95, Move::Half, 128},

    {11, 64, 79, Move::Up, 112},    {11, 80, 95, Move::Up, 96},

    {12, 64, 79, Move::Up, 16},     {12, 80, 95, Move::Up, 0},

    {13, 64, 79, Move::Half, 8},    {13, 80, 95, Move::Half, 0},    {13, 128, 143, Move::Half, 0},
    {13, 208, 223, Move::Half, 8},

    {14, 64, 79, Move::Half, 104},  {14, 80, 95, Move::Half, 96},   {14, 128, 143, Move::Half, 96},
    {14, 208, 223, Move::Half, 104},

    {15, 64, 79, Move::Up, 48},     {15, 80, 95, Move::Up, 32},

    {16, 64, 79, Move::Half, 88},   {16, 80, 95, Move::Half, 80},

    {17, 32, 47, Move::Up, 80},     {17, 48, 63, Move::Up, 64},     {17, 64, 79, Move::Up, 112},
    {17, 80, 95, Move::Up, 96},     {17, 96, 111, Move::Up, 80},    {17, 112, 127, Move::Up, 64},
    {17, 192, 207, Move::Up, 80},   {17, 224, 239, Move::Up, 64},

    {18, 64, 79, Move::Up, 16},     {18, 80, 95, Move::Up, 0},

    {19, 32, 47, Move::Up, 128},    {19, 48, 63, Move::Up, 208},    {19, 64, 79, Move::Up, 16},
    {19, 80, 95, Move::Up, 0},      {19, 96, 111, Move::Up, 128},   {19, 112, 127, Move::Up, 208},
    {19, 192, 207, Move::Up, 128},  {19, 224, 239, Move::Up, 208},

    {20, 32, 47, Move::Up, 80},     {20, 48, 63, Move::Up, 64},     {20, 64, 79, Move::Up, 16},
    {20, 80, 95, Move::Up, 0},      {20, 96, 111, Move::Up, 80},    {20, 112, 127, Move::Up, 64},
    {20, 192, 207, Move::Up, 80},   {20, 224, 239, Move::Up, 64},

    {21, 64, 79, Move::Up, 208},    {21, 80, 95, Move::Up, 128},

    {22, 64, 79, Move::Up, 112},    {22, 80, 95, Move::Up, 96},

    {23, 64, 79, Move::Half, 152},  {23, 80, 95, Move::Half, 144},

    {24, 0, 15, Move::Up, 128},     {24, 16, 31, Move::Up, 208},    {24, 128, 143, Move::Up, 0},
    {24, 208, 223, Move::Up, 16},

    {25, 96, 111, Move::Up, 128},   {25, 112, 127, Move::Up, 208},
};
// clang-format on

uint8_t moved(const RemapRun& run, int k) {
    const int d = k - run.a;
    switch (run.move) {
        case Move::Up:
            return uint8_t(run.c + d);
        case Move::Down:
            return uint8_t(run.c - d);
        case Move::Step2:
            return uint8_t(run.c + 2 * d);
        case Move::Half:
            return uint8_t(run.c + d / 2);
        case Move::To:
            return run.c;
    }
    return uint8_t(k);
}

// A colour channel scaled by a shade factor, as a 32-bit real, to the nearest integer.
int32_t shaded(uint8_t channel, float factor) {
    return int32_t(std::nearbyint(float(channel) * factor));
}

// For each colour the first colour of the palette equal to it (itself when none before it is):
// tables whose entries depend on colours alone repeat those entries.
std::array<uint8_t, 256> firstOfSameColour(const PaletteChannel& red, const PaletteChannel& green,
                                           const PaletteChannel& blue) {
    std::array<uint32_t, 256> keys;
    for (size_t k = 0; k < 256; ++k)
        keys[k] = uint32_t(red[k]) << 24 | uint32_t(green[k]) << 16 | uint32_t(blue[k]) << 8 |
                  uint32_t(k);
    std::sort(keys.begin(), keys.end());
    std::array<uint8_t, 256> first;
    for (size_t n = 0; n < 256; ++n)
        first[keys[n] & 255] = n > 0 && keys[n] >> 8 == keys[n - 1] >> 8 ? first[keys[n - 1] & 255]
                                                                         : uint8_t(keys[n] & 255);
    return first;
}

}  // namespace

void buildRemapRows(ColorTables& colors) {
    auto& remaps = colors.palRemaps;
    for (size_t p = 0; p < 26; ++p)
        for (size_t k = 0; k < 256; ++k) remaps[p * 256 + k] = uint8_t(k);
    for (const auto& run : kRemapRuns)
        for (int k = run.a; k <= run.b; ++k)
            remaps[size_t(run.pal) * 256 + size_t(k)] = moved(run, k);
}

void buildBlendTable(ColorTables& colors) {
    // Channel mixes depend only on the two channel values: one 256 x 256 table serves all three.
    static const auto mix = [] {
        std::vector<uint8_t> table(65536);
        for (int j = 0; j < 256; ++j)
            for (int k = 0; k < 256; ++k) {
                const double cj = j / 255.0, ck = k / 255.0;
                table[size_t(j * 256 + k)] = uint8_t(
                    std::min(255, safeFloor(255.0 * std::sqrt((2 * ck * ck + cj * cj) / 3) + 0.5)));
            }
        return table;
    }();
    const auto& r = colors.paletteRed;
    const auto& g = colors.paletteGreen;
    const auto& b = colors.paletteBlue;
    NearestColorSearch nearest(r, g, b, 1, 1, 1);
    const auto same = firstOfSameColour(r, g, b);
    auto* table = colors.blendTable.data();
    for (size_t j = 0; j < 256; ++j) {
        if (same[j] != j) {
            std::memcpy(table + j * 256, table + size_t(same[j]) * 256, 256);
            continue;
        }
        for (size_t k = 0; k < 256; ++k)
            table[j * 256 + k] = same[k] != k ? table[j * 256 + same[k]]
                                              : nearest.find(mix[size_t(r[j]) * 256 + r[k]],
                                                             mix[size_t(g[j]) * 256 + g[k]],
                                                             mix[size_t(b[j]) * 256 + b[k]]);
    }
}

void buildShadeTables(ColorTables& colors) {
    // One palette after the other, so that the lists of one search alone are held at a time.
    // Colours from keptFrom on keep their index (the game's from 240 on).
    auto shadeAll = [](std::array<uint8_t, kShadeBytes>& shades, const PaletteChannel& red,
                       const PaletteChannel& green, const PaletteChannel& blue, int32_t redWeight,
                       int32_t greenWeight, int32_t blueWeight, size_t keptFrom) {
        NearestColorSearch nearest(red, green, blue, redWeight, greenWeight, blueWeight);
        const auto same = firstOfSameColour(red, green, blue);
        for (int level = 0; level < kShadeLevels; ++level) {
            const float factor = float(31 - level) / 31.0f;
            uint8_t* row = shades.data() + size_t(level) * 256;
            for (size_t k = 0; k < 256; ++k)
                row[k] = k >= keptFrom ? uint8_t(k)
                         : same[k] != k
                             ? row[same[k]]
                             : nearest.find(shaded(red[k], factor), shaded(green[k], factor),
                                            shaded(blue[k], factor));
        }
    };
    shadeAll(colors.gameShades, colors.gamePaletteRed, colors.gamePaletteGreen,
             colors.gamePaletteBlue, 30, 59, 11, 240);
    shadeAll(colors.displayShades, colors.paletteRed, colors.paletteGreen, colors.paletteBlue, 1, 1,
             1, 256);
}

void buildTintTable(ColorTables& colors, uint8_t tintBase) {
    const auto& r = colors.paletteRed;
    const auto& g = colors.paletteGreen;
    const auto& b = colors.paletteBlue;
    const size_t t = tintBase;
    for (size_t i = 0; i < 256; ++i)
        colors.uiTint[i] = nearestColor(colors, (6 * r[t] + r[i]) / 7, (6 * g[t] + g[i]) / 7,
                                        (6 * b[t] + b[i]) / 7);
}

void buildGammaRemap(ColorTables& colors, int32_t textureGamma, bool alternatePalette) {
    const float exponent = textureGamma > 0 ? 1000.0f / float(textureGamma) : 0.0f;
    auto corrected = [exponent](uint8_t c) {
        return int32_t(std::nearbyint(255.0 * std::pow(c / 255.0, double(exponent))));
    };
    for (size_t i = 0; i < 256; ++i) {
        const int32_t r = corrected(colors.gamePaletteRed[i]);
        const int32_t g = corrected(colors.gamePaletteGreen[i]);
        const int32_t b = corrected(colors.gamePaletteBlue[i]);
        colors.gamePaletteMap[i] = alternatePalette ? nearestColorPairWeighted(colors, r, g, b)
                                                    : nearestColorPair(colors, r, g, b);
    }
}

std::string colorTablesFileBytes(const ColorTables& colors) {
    std::string bytes;
    bytes.reserve(kColorTablesFileBytes);
    auto put = [&bytes](const uint8_t* data, size_t n) {
        bytes.append(reinterpret_cast<const char*>(data), n);
    };
    put(colors.blendTable.data(), kBlendBytes);
    put(colors.gameShades.data(), kShadeBytes);
    put(colors.displayShades.data(), kShadeBytes);
    put(colors.palRemaps.data(), kStoredRemapBytes);
    return bytes;
}

bool readColorTablesFileBytes(ColorTables& colors, std::string_view bytes) {
    if (bytes.size() < kColorTablesFileBytes) return false;
    const char* at = bytes.data();
    auto take = [&at](uint8_t* data, size_t n) {
        std::memcpy(data, at, n);
        at += n;
    };
    take(colors.blendTable.data(), kBlendBytes);
    take(colors.gameShades.data(), kShadeBytes);
    take(colors.displayShades.data(), kShadeBytes);
    take(colors.palRemaps.data(), kStoredRemapBytes);
    return true;
}

ColorTableLoad loadColorTables(ColorTables& colors, FileSystem& fs, MapEvents& events,
                               const ColorTableInputs& inputs) {
    ColorTableLoad result;
    if (!inputs.gamePaletteRead)
        result.paletteSource = provideGamePalette(
            colors, fs, events, {inputs.dataFolder, inputs.programFolder, inputs.grpPath});

    const std::string path = findNoCase(fs, inputs.dataFolder, "colortab.dat");
    const auto stored = fs.readAll(path, int64_t(kColorTablesFileBytes));
    result.readFromFile = stored && readColorTablesFileBytes(colors, *stored);
    if (!result.readFromFile) {
        events.bootLogMessage(kMsgColorTablesMissing, kBuildLogColour);
        events.bootLogMessage(kMsgBuildingColorTables, kBuildLogColour);
        buildRemapRows(colors);
        events.bootLogMessage(kMsgRemapRowsDone, kBuildLogColour);
        buildBlendTable(colors);
        events.bootLogMessage(kMsgBlendTableDone, kBuildLogColour);
        buildShadeTables(colors);
        events.bootLogMessage(kMsgShadeTablesDone, kBuildLogColour);
        // Tables made from the stand-in palette would hide the game's own colours once its
        // files are added, so they are never stored.
        if (result.paletteSource != GamePaletteSource::BuiltIn) {
            result.written = fs.writeAtomic(path, colorTablesFileBytes(colors));
            if (result.written)
                events.bootLogMessage(kMsgColorTablesWritten, kBuildLogColour);
            else
                events.bootLogMessage(kMsgCouldNotWriteBuilt, kWarningColour, {"colortab.dat"});
        }
    }
    buildTintTable(colors, inputs.colorUiTintBase);
    buildGammaRemap(colors, inputs.textureGamma, inputs.alternatePalette);
    std::copy_n(colors.palRemaps.begin(), 256, colors.palRemaps.begin() + 26 * 256);
    return result;
}

}  // namespace korvel
