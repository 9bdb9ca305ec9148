// Structure edits on whole loops and sectors: a loop made a sector of its own, copies of loops,
// sectors and sprites, and loops turned to run the other way.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// The loop of w becomes the newest sector, with every field of its old sector and the walls'
// selection; a hole is stored reversed, as the new sector's outer loop. The loop leaves its old
// sector (the sector goes when it was its only loop). Refused (false, the map as it was) for a
// wall outside the map, a damaged loop or no room.
bool extractLoop(MapStore& map, MapEvents& events, int32_t w);

// An unselected copy of sector s at the end, with copies of its walls (unlinked) and of its
// sprites. Refused without room.
bool cloneSector(MapStore& map, MapEvents& events, int32_t s);
// An unselected copy of sprite k at the end.
bool cloneSprite(MapStore& map, MapEvents& events, int32_t k);

// The loop of w runs the other way: every wall keeps its geometric edge and attributes, and the
// two-sided walls are linked again to their neighbours.
bool reverseLoop(MapStore& map, MapEvents& events, int32_t w);
// Every loop of s reversed, the same edge first as before.
bool reverseSector(MapStore& map, MapEvents& events, int32_t s);

}  // namespace korvel
