// Rip operations: cutting a drawn shape out of one sector, or out of every sector it covers.
#pragma once

#include <cstdint>

#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Cuts sector `shape` out of sector `target`: both go, and the newest sectors are the part of
// target inside the shape and the part outside it (in that order, where both exist). Refused,
// the map as it was, for a sector given twice or outside the map, or no room for the parts.
bool ripSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t target, int32_t shape);
// Cuts the newest sector out of every shown sector it overlaps; hidden sectors move to the
// front, each ripped sector is replaced by its inside and outside parts, and vertices of
// neighbouring parts left one unit apart by rounding are welded.
bool multiSectorRip(MapStore& map, MapEvents& events, ShapeFeed& feed);

}  // namespace korvel
