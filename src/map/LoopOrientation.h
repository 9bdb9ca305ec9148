// Which way a wall loop turns. Outer loops of a sector run one way (false), holes the other.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

// True when the shoelace sum of the loop of w, sum of (x2 - x1)(y1 + y2) / 2, is positive: a
// hole in the usual orientation. A loop drawn clockwise on the plan view gives false. The walk
// stops back at w or after as many walls as w's sector has.
bool isWallLoopClockwise(const MapStore& map, int32_t w);

}  // namespace korvel
