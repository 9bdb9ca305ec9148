// The lists the tile picker shows: every tile that passes the tile filter, or the tiles the map
// uses on floors, ceilings, walls, masked walls or sprites, most used first; and how often the
// map's sound sprites use each sound.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "resources/TileCatalog.h"
#include "resources/TileStore.h"

namespace korvel {

class MapEvents;

// The tile filter page's settings.
struct TileFilter {
    int32_t tileWidthFilter = -1;        // -1: any width
    int32_t tileHeightFilter = -1;       // -1: any height
    std::string tileNameFilter;          // empty: any name
    bool tileNameSubstring = false;      // the name contains the filter rather than equals it
    int32_t tileFilterColor = 0;         // 0 any, 1..9 the colour class that must dominate
    int32_t tileFilterTransparency = 0;  // 0 any, 1 no transparent pixel, 2 at least one
};

// Lists every tile with a picture that passes the filter, with the progress bar; tells the
// status line how many passed (pluralRule: the current language's rule). Returns that count.
int32_t filterTileList(TileCatalog& catalog, const TileStore& tiles, const TileFilter& filter,
                       int32_t pluralRule, MapEvents& events);

// The distinct tile numbers among picnums, most used first (ties in order of first use), with
// their counts. Numbers outside the tiles are skipped.
void listUsedTiles(TileCatalog& catalog, std::span<const int16_t> picnums);
// The same for one kind of map object; the caller passes the picnum field of each object, in
// index order: sectors' floorpicnum, sectors' ceilingpicnum, sprites' picnum, walls' picnum,
// walls' overpicnum.
void listUsedFloorTiles(TileCatalog& catalog, std::span<const int16_t> floorPicnums);
void listUsedCeilingTiles(TileCatalog& catalog, std::span<const int16_t> ceilingPicnums);
void listUsedSpriteTiles(TileCatalog& catalog, std::span<const int16_t> spritePicnums);
void listUsedWallTiles(TileCatalog& catalog, std::span<const int16_t> wallPicnums);
void listUsedMaskedWallTiles(TileCatalog& catalog, std::span<const int16_t> overPicnums);

// The tags of one sprite, as countSoundUsage reads them.
struct SpriteSoundTags {
    int16_t picnum = 0;
    int16_t lotag = 0;
    int16_t hitag = 0;
};
constexpr int16_t kSoundSpriteTile = 5;

// soundUsage[s]: how often the sound sprites' lotag and hitag name sound s.
void countSoundUsage(TileCatalog& catalog, std::span<const SpriteSoundTags> sprites);

}  // namespace korvel
