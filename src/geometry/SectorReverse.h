// Reversing the wall order of a sector's loops, which restores their facing after a reflection.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

void reverseSector(MapStore& map, MapEvents& events, int32_t sector);

}  // namespace korvel
