// Link repair of two-sided walls: a wall between two sectors is stored once in each, the two
// records running in opposite directions and naming each other. After a geometry edit these
// links are found again by the walls' end points. Links are always written on both sides, and
// a wall is linked only with a candidate that is free or already linked to it, so no repair
// leaves a one-way link.
#pragma once

#include <cstdint>

#include "map/MapClipboard.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Keeps w's link when it is consistent (with keepValid nothing else happens); otherwise
// unlinks both sides and links w with the last shown wall of another sector that runs between
// w's end points the other way round (with the same `extra` unless ignoreExtra), taking that
// wall's `extra`. A wall of zero length is then removed (message 716), so wallCount may shrink
// and w may name another wall afterwards. Returns the wall linked, or -1.
int32_t checkWallPointer(MapStore& map, MapEvents& events, int32_t w, bool keepValid,
                         bool ignoreExtra);

// checkWallPointer(w, no, no) for every wall marked kPassRelink, in index order, clearing the
// marks; walls removed on the way (zero length) are accounted for, so no marked wall is missed.
void relinkMarkedWalls(MapStore& map, MapEvents& events);

// Removes w when its end points coincide; zeroWallRemoved tells whether it did.
bool checkZeroWall(MapStore& map, MapEvents& events, int32_t w);

// checkWallPointer(i, no, no) for every shown wall from the last to the first, as the repair
// command runs it, with one progress step per wall checked. Finds candidates through an index
// of wall start points, so the result is the same as wall-by-wall calls in a fraction of the
// time.
void repairWallLinks(MapStore& map, MapEvents& events);

// clipbCheckWallPointer: checkWallPointer for a wall of the clipboard.
// Link repair among the clipboard's own walls: an inconsistent link is cleared; then w is
// linked with the last free clipboard wall of another clipboard sector that runs the other way
// round between its end points. Returns the wall linked, or -1.
int32_t clipbCheckWallPointer(MapClipboard& clip, int32_t w);

}  // namespace korvel
