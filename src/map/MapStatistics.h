// The map statistics: loops, connected sector groups, corner points, distinct tiles, wall length
// and area, special sectors and sprites by tile category, the file size, the first free trigger
// number and the first free channel of each effector group. Reads the map only; finishes on any
// contents of the records.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "map/MapStore.h"
#include "map/WallChains.h"

namespace korvel {

constexpr int32_t kEffectorGroups = 14;
// Size of a version 7 map file filled to every capacity.
constexpr int32_t kFullMapFileSize = 26 + kMaxSectors * 40 + kMaxWalls * 32 + kMaxSprites * 44;

struct MapStatistics {
    int32_t statLoopCount = 0;
    int32_t statSectorGroupCount = 0;
    int32_t statVertexCount = 0;
    int32_t statTileCount = 0;
    double statWallLengthSum = 0;
    double statArea = 0;
    int32_t statLotag32767SectorCount = 0;
    int32_t statCategory1SpriteCount = 0;
    // Actor sprites with lotag <= 1, <= 2, <= 3, all of them, and tile 9 effectors whose hitag
    // names an actor tile.
    std::array<int32_t, 5> statSpriteClassCounts{};
    int32_t statCategory4SpriteCount = 0;
    int32_t statMapFileSize = 0;
    int32_t statFirstFreeNumber = 0;
    std::array<int32_t, kEffectorGroups> statFreeEffectorHitags{};
};

// tileCategories: the category bits of every tile (kTileCount entries).
void computeMapStatistics(const MapStore& map, std::span<const uint8_t> tileCategories,
                          MapStatistics& out);

// The effector group of a sprite of tile 1 with this lotag, or -1.
int32_t effectorGroupOf(int32_t lotag);

// Marks sector s and every sector joined to it through nextsector (marks has one entry per
// sector; it is read and written only below the sector count). Iterative: a chain of any length
// costs no stack.
void floodFillSectorGroup(const MapStore& map, int32_t s, std::vector<uint8_t>& marks);

// Walks around the start point of w through the links of the walls meeting there, marking the
// walls it passes (1 for walls starting at the point, 2 for others, 3 once marked twice);
// 1 when the walk ended normally. marks has one entry per wall.
// chains: findWallChains of the map's walls (the wall before each wall on its loop).
uint8_t checkWallLinks(const MapStore& map, const WallChains& chains, int32_t w,
                       std::vector<uint8_t>& marks);

}  // namespace korvel
