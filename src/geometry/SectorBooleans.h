// Boolean operations between two sectors: intersect, join and subtract, each building its result
// through the shape feed.
#pragma once

#include <cstdint>

#include "geometry/ShapeFeed.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// What a shape drawn in the boolean-target mode does to the target (booleanMode).
enum class BooleanMode : int32_t { None = 0, Intersect = 1, Join = 2, Subtract = 3, Rip = 4 };

void intersectSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
void joinSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
// a minus b, for a below b; the BA form for a above b.
void subtractSectorsAB(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
void subtractSectorsBA(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
// Puts a vertex on sector s's walls wherever sector cutter's walls cross them.
void insertCrossingVertices(MapStore& map, MapEvents& events, int32_t s, int32_t cutter,
                            int32_t option);

}  // namespace korvel
