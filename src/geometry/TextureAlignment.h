// Aligning textures along walls.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Aligns the walls that follow the wall to it. Not yet carried out: nothing changes.
void alignWallTexture(MapStore& map, MapEvents& events, int32_t wall);

}  // namespace korvel
