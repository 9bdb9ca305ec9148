// What the editor knows about tiles and sounds beyond their pictures: the category bits from
// TILESETS.DAT (effectors, actors, pickups, switches, doors...), the names the game's names.h
// and sounds.h give to tile and sound numbers, and the lists the tile picker shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/NameTable.h"
#include "map/TileCategories.h"
#include "resources/TileStore.h"

namespace korvel {

class FileSystem;

constexpr int32_t kSoundCount = 1000;

struct TileCatalog {
    std::vector<uint8_t> tileCategories = std::vector<uint8_t>(kTileCount);
    NameTable tileNames = NameTable(kTileCount);
    NameTable soundNames = NameTable(kSoundCount);

    // Tile numbers the tile picker shows, ended by -1; one entry more than there are tiles, so
    // that the end mark fits when every tile is listed.
    std::vector<int32_t> tileList = std::vector<int32_t>(kTileCount + 1, -1);
    // How often the map uses tileList[i] (0 after filtering). 32 bits: a map may hold more
    // than 32767 walls of one tile.
    std::vector<int32_t> tileUseCounts = std::vector<int32_t>(kTileCount + 1);
    uint8_t usedTileListKind = 0;  // 0 floor list, 1 ceiling list (the last of the two built)
    std::vector<int32_t> soundUsage = std::vector<int32_t>(kSoundCount);
};

// TILESETS.DAT: header words select a category bit; numbers and ranges "a-b" of tiles get it.
// Lines that are neither, and numbers outside the tiles, are skipped.
void parseTileSets(std::string_view text, std::vector<uint8_t>& categories);
// Clears the categories and reads TILESETS.DAT from the data folder (missing: all clear).
void loadTileSets(TileCatalog& catalog, FileSystem& fs, const std::string& dataFolder);

// "#define NAME number" lines of a C header; a later line for a number replaces its name, and
// numbers outside the table are skipped.
void parseDefines(std::string_view text, NameTable& names);
// names.h into tileNames, then sounds.h into soundNames, from the program folder; a missing
// file changes nothing.
void loadNamesAndSounds(TileCatalog& catalog, FileSystem& fs, const std::string& programFolder);

}  // namespace korvel
