// The wall move marks that tell a drag which end points move: the walls around one vertex, or
// around every selected vertex.
#pragma once

#include <cstdint>

#include "map/MapStore.h"

namespace korvel {

// findMovWalls: find the walls that move when the vertex at the start of `wall` moves.
// Clears the marks of all walls, switches to one mark per wall and marks the walls at the vertex
// at the start of `wall`, found by turning about the point through the loops and the twin links:
// StartPoint on a wall that starts there, EndPoint on one that ends there, BothPoints on one
// that does both.
void findMovWalls(MapStore& map, int32_t wall);
// The same for every selected vertex.
void findMovingWallsByVertices(MapStore& map);

}  // namespace korvel
