// Rip operations: cutting a drawn shape out of one sector, or out of every sector it covers.
#pragma once

#include <cstdint>

#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Cuts sector `shape` out of sector `target`, keeping both parts.
void ripSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t target, int32_t shape);
// Cuts the newest sector out of every sector it overlaps.
void multiSectorRip(MapStore& map, MapEvents& events, ShapeFeed& feed);

}  // namespace korvel
