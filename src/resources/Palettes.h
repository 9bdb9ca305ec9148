// Text palettes (Palette.pal for the screen, dukepal.pal for the game's tiles) and the
// nearest-colour searches that every colour table is built from.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "resources/ColorTables.h"

namespace korvel {

class FileSystem;
class MapEvents;

using PaletteChannel = std::array<uint8_t, 256>;

// Colour k is on line k + 4 as "red green blue", decimal 0..255 separated by single blanks. A
// colour whose line is missing or malformed keeps its value. False for an empty text.
bool parseTextPalette(std::string_view text, PaletteChannel& red, PaletteChannel& green,
                      PaletteChannel& blue);
// The same format, CR LF line ends, after a three-line header.
std::string formatTextPalette(const PaletteChannel& red, const PaletteChannel& green,
                              const PaletteChannel& blue);

// Start-up reading from the data folder. A missing or empty file is logged and leaves the
// palette as it was; the result says whether the palette was read.
bool loadDisplayPalette(ColorTables& colors, FileSystem& fs, MapEvents& events,
                        const std::string& dataFolder);
bool loadGamePalette(ColorTables& colors, FileSystem& fs, MapEvents& events,
                     const std::string& dataFolder);

// Each scans its palette in index order and keeps the first colour strictly nearer than the
// best so far, which starts at 1,000,000 (so a colour no nearer than that gives 0).
// Display palette, plain squared distance.
uint8_t nearestColor(const ColorTables& colors, int32_t r, int32_t g, int32_t b);
// Game palette, distance weighted 30/59/11 by the channels' brightness.
uint8_t nearestColorLuma(const ColorTables& colors, int32_t r, int32_t g, int32_t b);
// Display palette: the nearest colour and a second one to dither with, or the nearest twice
// when the second is at least twice as far.
ColorPair nearestColorPair(const ColorTables& colors, int32_t r, int32_t g, int32_t b);
// As nearestColorPair, with the distance weighted 27/49/24.
ColorPair nearestColorPairWeighted(const ColorTables& colors, int32_t r, int32_t g, int32_t b);

// The same answer as the scans above for one palette and one weighting, found without looking
// at all 256 colours: the palette is kept sorted by red, the search starts from the previous
// answer and stops once the red difference alone is farther than the best so far. For building
// whole tables, where one scan per entry would cost tens of milliseconds.
class NearestColorSearch {
public:
    NearestColorSearch(const PaletteChannel& red, const PaletteChannel& green,
                       const PaletteChannel& blue, int32_t redWeight, int32_t greenWeight,
                       int32_t blueWeight);
    uint8_t find(int32_t r, int32_t g, int32_t b);

private:
    struct Entry {
        int32_t r, g, b;
        int32_t index;
    };
    int64_t distance(const Entry& e, int32_t r, int32_t g, int32_t b) const;

    std::array<Entry, 256> sorted_{};   // by red, then by index
    std::array<uint16_t, 257> byRed_{};  // first sorted position with red >= value
    std::array<uint8_t, 256> position_{};
    const PaletteChannel& red_;
    const PaletteChannel& green_;
    const PaletteChannel& blue_;
    int32_t wr_, wg_, wb_;
    uint8_t last_ = 0;
};

}  // namespace korvel
