// Aligning textures along walls and sprites to the walls behind them.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Aligns the walls that follow the wall to it. Not yet carried out: nothing changes.
void alignWallTexture(MapStore& map, MapEvents& events, int32_t wall);

// Turns the sprite to the nearest blocking wall behind it and puts it on that wall; returns the
// wall, or -1 when none was hit (the sprite unchanged). Not yet carried out: always -1.
int32_t alignSprite(MapStore& map, MapEvents& events, int32_t sprite);

}  // namespace korvel
