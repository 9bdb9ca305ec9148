// Panning a sector side's texture by a map distance, as moving the sector would carry it.
#pragma once

#include <cstdint>

#include "map/MapStore.h"
#include "resources/TileStore.h"

namespace korvel {

// Pans the floor (ceilingFlag 0) or ceiling (any other value) texture of the sector by (dx, dy)
// map units scaled to its tile: 16 units are one texel, 256 panning steps one tile. Parallaxed
// and relatively aligned surfaces, and those without a tile of some size, stay as they are.
void shiftSectorTile(MapStore& map, const TileStore& tiles, int32_t sector, int32_t ceilingFlag,
                     int32_t dx, int32_t dy);

}  // namespace korvel
