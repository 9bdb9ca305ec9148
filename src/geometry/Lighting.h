// Lighting from light sprites: the light value at a surface point and of a whole surface, and the
// shade a light value gives.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

int32_t lightAtSurfacePoint(const MapStore& map, int32_t x, int32_t y, int32_t sector,
                            int32_t ceiling);
int32_t getSectorLightValue(const MapStore& map, int32_t sector, int32_t ceiling);
// lightShadeBase + value / 16, kept within the shades a surface can take.
int32_t lightValueToShade(int32_t lightShadeBase, int32_t value);

}  // namespace korvel
