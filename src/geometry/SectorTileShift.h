// Panning a sector side's texture by a map distance, as moving the sector would carry it.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

// Pans the floor (ceilingFlag 0) or ceiling (-1) texture of the sector by (dx, dy) scaled to
// the tile. Not yet carried out: the texture stays where it is.
void shiftSectorTile(MapStore& map, int32_t sector, int32_t ceilingFlag, int32_t dx, int32_t dy);

}  // namespace korvel
