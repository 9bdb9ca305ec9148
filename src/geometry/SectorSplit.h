// Splitting a sector along a path drawn between two of its vertices.
#pragma once

#include <cstdint>

#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Whether the path from the vertex at the start of wall a to the vertex at the start of wall b
// may split their sector.
bool allowSectorSplit(const MapStore& map, int32_t a, int32_t b, int32_t x, int32_t y);
// Splits the sector of walls a and b between their start vertices, feeding the two parts.
void splitSector(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);

}  // namespace korvel
