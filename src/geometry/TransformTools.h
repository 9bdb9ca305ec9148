// Transform tools for vertices, sectors and sprites.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Moves the selected sectors, their floors, ceilings and sprites, up or down by dz.
void zShiftSelSectors(MapStore& map, MapEvents& events, int32_t dz);

}  // namespace korvel
