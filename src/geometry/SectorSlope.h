// The sloped flags of a sector's floor and ceiling, kept in step with their slope values.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

// Sets each surface's sloped flag when its heinum is not 0 and clears it otherwise.
void updateSectorSlope(MapStore& map, int32_t sector);

}  // namespace korvel
