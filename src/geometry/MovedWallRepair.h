// Link repair after a drag: the walls whose move marks are set, found again through one index
// of the wall start points instead of a scan of every wall per wall.
#pragma once

#include <cstdint>
#include <functional>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// For every wall with a move mark, from the last to the first: before(w), then
// checkWallPointer(w, no, no). A wall of no length removed on the way renumbers the walls
// above it; the pass goes on from the new wall count when that falls below its place.
// `before` must not move or renumber walls.
void relinkMovedWalls(MapStore& map, MapEvents& events, const std::function<void(int32_t)>& before);

}  // namespace korvel
