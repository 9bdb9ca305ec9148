// Building, storing and loading the colour tables: colortab.dat in the data folder keeps the
// blend, shade and remap tables, which take a while to compute; the tint table and the map from
// game colours to display colours are made from the current settings at every start.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "resources/ColorTables.h"
#include "resources/GamePalette.h"

namespace korvel {

class FileSystem;
class MapEvents;

constexpr size_t kColorTablesFileBytes = 88576;

struct ColorTableInputs {
    std::string dataFolder;         // colortab.dat and dukepal.pal
    std::string programFolder;      // the game's files when no archive is named
    std::string grpPath;            // the archive named on the command line, or empty
    bool gamePaletteRead = false;   // dukepal.pal was read at start-up
    int32_t textureGamma = 1000;    // "texgamma": 1000 leaves the game colours as they are
    bool alternatePalette = false;  // "alterpal": match game colours by the weighted distance
    uint8_t colorUiTintBase = 0;    // "sct_uibb"
};

struct ColorTableLoad {
    bool readFromFile = false;  // colortab.dat supplied the stored tables
    bool written = false;       // they were built and colortab.dat written
    GamePaletteSource paletteSource = GamePaletteSource::PaletteFile;
};

// The whole start-up step: the game palette when dukepal.pal was missing, the stored tables
// read from colortab.dat or built (and written, unless the game palette is only a stand-in),
// then the tint table and the game colour map. A failed write is logged; the built tables are
// used all the same.
ColorTableLoad loadColorTables(ColorTables& colors, FileSystem& fs, MapEvents& events,
                               const ColorTableInputs& inputs);

// The parts of a build, each from the palettes alone.
void buildRemapRows(ColorTables& colors);  // rows 0..25 (row 26 is copied by loadColorTables)
void buildBlendTable(ColorTables& colors);
void buildShadeTables(ColorTables& colors);

// Display colour c mixed 1:6 with display colour tintBase, for every c.
void buildTintTable(ColorTables& colors, uint8_t tintBase);
// Game colours raised to the power 1000 / textureGamma (all white for textureGamma <= 0), each
// matched to a pair of display colours.
void buildGammaRemap(ColorTables& colors, int32_t textureGamma, bool alternatePalette);

// colortab.dat: blend table, game shades, display shades, remap rows 0..25, no header.
std::string colorTablesFileBytes(const ColorTables& colors);
// False, changing nothing, for fewer than kColorTablesFileBytes bytes.
bool readColorTablesFileBytes(ColorTables& colors, std::string_view bytes);

}  // namespace korvel
