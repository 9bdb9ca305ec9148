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

// Every selected loop (extractSelLoops), or every selected outer loop taking along the holes of
// its old sector that lie inside it (extractSelLoopsWi), becomes a sector of its own; the loop
// selection count stays as it was. Message 1196 and the cue when done; refused (false, the map
// as it was) for a damaged loop or no room.
bool extractSelLoops(MapStore& map, MapEvents& events);
bool extractSelLoopsWi(MapStore& map, MapEvents& events);
// Every outer loop of sector s becomes a selected sector of its own with the holes that lie
// inside it and can be reached from its first corner without crossing a wall of s; the new
// sectors are linked. Nothing happens to a sector with fewer than two outer loops.
bool splitIsolatedLoops(MapStore& map, MapEvents& events, int32_t s);

// A selected, unlinked copy of the loop of w, stored right after it in its sector; the source
// loop is deselected and keeps its links.
bool cloneLoop(MapStore& map, MapEvents& events, int32_t w);
// Copies of the selected sprites, sectors (with their walls and sprites) or loops, which take
// over the selection from their sources; whether anything was made. Refused, the map as it
// was, without room for every copy.
bool cloneSelectedSprites(MapStore& map, MapEvents& events);
bool cloneSelectedSectors(MapStore& map, MapEvents& events);
bool cloneSelectedLoops(MapStore& map, MapEvents& events);

// The wall selection passes to the twin of every selected two-sided wall whose twin is not
// selected.
void selectOppositeWalls(MapStore& map);

}  // namespace korvel
