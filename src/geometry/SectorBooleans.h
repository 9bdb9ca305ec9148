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

// Each operation makes its result the newest sector and deletes both operands (their sprites
// kept). When the result is empty no sector is made, the operands still go and the status line
// says so. Refused, the map as it was, for a sector given twice, a sector outside the map or
// with damaged walls, or no room for the walls and sector made. True when a sector was made.
bool intersectSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
bool joinSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
// The lower-numbered operand minus the higher-numbered one.
bool subtractSectorsAB(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
// The higher-numbered operand minus the lower-numbered one.
bool subtractSectorsBA(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b);
// Puts a vertex on both sectors' walls wherever their walls cross or one's vertex lies on the
// other's wall; with keepSecond only sector s is changed. Nothing else changes.
void insertCrossingVertices(MapStore& map, MapEvents& events, int32_t s, int32_t cutter,
                            int32_t keepSecond);
// Joins the selected sectors two at a time until one is left, which is selected. True when a
// join was made.
bool joinSelectedSectors(MapStore& map, MapEvents& events, ShapeFeed& feed);

// The shared procedure, for the rips: which operation, and whether the operands survive it.
enum class BooleanKind : uint8_t { Join, Intersect, SubtractAB, SubtractBA };
struct BooleanOptions {
    bool keepOperands = false;
    bool quiet = false;  // no status message for an empty result (a caller reports)
};
enum class BooleanResult : uint8_t { Made, Empty, Refused };
BooleanResult combineSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, BooleanKind kind,
                             int32_t a, int32_t b, BooleanOptions options = {});

}  // namespace korvel
