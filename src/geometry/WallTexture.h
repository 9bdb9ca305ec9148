// Texture squaring of a wall: the horizontal repeat that matches the wall's length.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

// xrepeat := min(255, floor(yrepeat x length / 1024 + 0.5)), the length at single precision.
void squareWallTexture(MapStore& map, int32_t w);

}  // namespace korvel
