// Text palettes (Palette.pal for the screen, dukepal.pal for the game's tiles) and the
// nearest-colour searches that every colour table is built from.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
// at all 256 colours: the colour cube is cut into cells, and a cell, when first asked about,
// lists the colours that can be the nearest to some point in it (all but those that the colour
// nearest to its centre is nearer than everywhere in it). Cells are cut finer level by level,
// each sifting the list of the cell around it. A search scans one list, in index order as the
// full scan does. For building whole tables, where a full scan per entry would cost tens of
// milliseconds.
class NearestColorSearch {
public:
    NearestColorSearch(const PaletteChannel& red, const PaletteChannel& green,
                       const PaletteChannel& blue, int32_t redWeight, int32_t greenWeight,
                       int32_t blueWeight);
    uint8_t find(int32_t r, int32_t g, int32_t b);

private:
    // Cell sides of 64, 32 and 16 values.
    static constexpr std::array<int32_t, 3> kLevelShifts = {6, 5, 4};

    struct Candidate {
        uint8_t r, g, b, index;
    };
    // Per cell of a level: where its list starts in candidates_ and its length (0: not listed
    // yet; a listed cell always holds at least one colour). All the lists of every level, each
    // of 256 colours at most, take fewer than 2^23 entries.
    struct Cell {
        uint32_t first : 23 = 0;
        uint32_t count : 9 = 0;
    };

    uint32_t cellOf(size_t level, int32_t r, int32_t g, int32_t b) const;
    void listCell(size_t level, int32_t r, int32_t g, int32_t b);
    // The least of weighted squared distance times 256 plus index over a list of candidates,
    // while keys are small. Lists are read four entries at a time, so candidates_ ends in
    // kSlack entries past the last list.
    static constexpr size_t kSlack = 3;
    int32_t leastSmallKey(const Candidate* c, uint32_t count, int32_t r, int32_t g,
                          int32_t b) const;

    const PaletteChannel& red_;
    const PaletteChannel& green_;
    const PaletteChannel& blue_;
    int32_t wr_, wg_, wb_;
    bool smallKeys_ = false;  // keys fit 32 bits
    std::array<std::vector<Cell>, kLevelShifts.size()> levels_;
    // The whole palette first, then every cell's list, then the slack.
    std::vector<Candidate> candidates_;
};

}  // namespace korvel
