// Where the game palette comes from when dukepal.pal is missing: the game's own PALETTE.DAT (in
// the archive, else beside the program), saved as dukepal.pal for later starts; without it, a
// stand-in palette held in memory only, so that adding the game's files later takes effect.
#pragma once

#include <string>
#include <string_view>

#include "resources/ColorTables.h"
#include "resources/Palettes.h"

namespace korvel {

class FileSystem;
class MapEvents;

enum class GamePaletteSource { PaletteFile, ArchivePaletteDat, LoosePaletteDat, BuiltIn };

struct GamePaletteInputs {
    std::string dataFolder;     // where dukepal.pal is written
    std::string programFolder;  // a loose PALETTE.DAT, and DUKE3D.GRP when no archive is named
    std::string grpPath;        // the archive named on the command line, or empty
};

constexpr size_t kPaletteDatBytes = 768;

// The first 768 bytes of PALETTE.DAT: 256 colours of three 6-bit values, scaled so that 63
// becomes 255 (larger values count as 63). False when there are fewer bytes.
bool decodePaletteDat(std::string_view bytes, PaletteChannel& red, PaletteChannel& green,
                      PaletteChannel& blue);

// The stand-in palette: a grey ramp, plainly not the game's colours.
void fillBuiltInGamePalette(ColorTables& colors);

// Fills the game palette from PALETTE.DAT and writes dukepal.pal (a failed write is logged and
// the palette used all the same), or falls back to the stand-in palette.
GamePaletteSource provideGamePalette(ColorTables& colors, FileSystem& fs, MapEvents& events,
                                     const GamePaletteInputs& inputs);

}  // namespace korvel
