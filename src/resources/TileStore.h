// The game's tile pictures: the loaded ART files in one byte buffer, and per tile its size, its
// animation word and where its pixels start in that buffer. Loaded from the game archive and
// from loose tilesNNN.art files beside the program.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "map/MapRecords.h"

namespace korvel {

class FileSystem;
class MapEvents;

constexpr int32_t kTilesPerArtFile = 256;
constexpr int32_t kArtFilesRead = 60;     // ART files 0..59 hold tiles 0..15359
constexpr int32_t kArtFileNumbers = 256;  // numbers a tile-file name may carry
constexpr int64_t kArtPadding = 65536;    // zero bytes kept after the loaded data
// Far more than the game's own files; keeps every buffer index inside 32 bits.
constexpr int64_t kMaxArtBytes = int64_t(1) << 30;

struct TileStore {
    // Loaded ART files, concatenated in file-number order, then kArtPadding zero bytes.
    std::vector<uint8_t> artPixels;
    // Index in artPixels of ART file n's first byte; -1 when file n was not loaded.
    std::array<int32_t, kArtFileNumbers> artFileOffsets{};
    // Bytes of ART file n in artPixels, so that its tables are read only inside its own data.
    std::array<int32_t, kArtFileNumbers> artFileLengths{};

    std::vector<int16_t> tileWidths = std::vector<int16_t>(kTileCount);
    std::vector<int16_t> tileHeights = std::vector<int16_t>(kTileCount);
    // As stored: bits 0-5 frames, 6-7 type, 8-15 x offset, 16-23 y offset, 24-27 speed.
    std::vector<int32_t> tileAnims = std::vector<int32_t>(kTileCount);
    // One before the tile's first pixel: pixel (x, y) of tile t is
    // artPixels[tileOffsets[t] + 1 + x * height + y], column after column.
    std::vector<int32_t> tileOffsets = std::vector<int32_t>(kTileCount);

    uint8_t artLoaded = 0;  // 1 once loadArtTiles has run, whatever it found
};

// The ART file number of a tile-file name ("tiles" + three digits 000..255 + ... + "art", any
// case); nothing for every other name.
std::optional<int32_t> artFileNumber(std::string_view name);

// (Re)loads the tiles: the loose tile files of the program folder when grpPath is empty (which
// then becomes the program folder's DUKE3D.GRP), and the archive at grpPath. Logs each file read.
// ART file n holds as many tiles as its header's first and last tile numbers say, placed from
// tile 256 n on. A file that is cut short, holds impossible sizes or is of another version than
// 1 gives no tiles for what it spoils: those tiles are 0 x 0, and the log names the file. An
// archive without the archive signature is not read, and the log says so.
void loadArtTiles(TileStore& tiles, std::string& grpPath, const std::string& programFolder,
                  FileSystem& fs, MapEvents& events);

// Loads the tiles on first need (then tells the status line); afterwards does nothing.
void ensureArtLoaded(TileStore& tiles, std::string& grpPath, const std::string& programFolder,
                     FileSystem& fs, MapEvents& events);

// The tile's width x height pixels, column after column; empty for a tile without a picture.
std::span<const uint8_t> tilePixels(const TileStore& tiles, int32_t tile);

}  // namespace korvel
