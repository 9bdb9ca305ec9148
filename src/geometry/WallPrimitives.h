// The primitives through which the wall array's numbering changes: inserting a wall or a vertex,
// removing one wall, collapsing a wall, removing a vertex. They move every per-wall table with
// the records, renumber every stored wall index, keep the rings closed and both sides of a
// two-sided wall in step, and remove sectors and loops that become degenerate.
//
// None of them takes the undo snapshot: the command that calls them does, first.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Cuts w's link, and its twin's when the twin points back, so no one-way link is left.
void unlinkBothSides(MapStore& map, int32_t w);

// Inserts a wall w+1 starting at (x, y) after w in w's loop; both pieces become one-sided (the
// former twin too). The new wall copies w's record and hidden state but is not selected.
// Refused with a status message when the map or w's sector is full.
bool insertWallAfter(MapStore& map, MapEvents& events, int32_t w, int32_t x, int32_t y);

// Splits w at (x, y), and its twin with it, relinking the halves. Refused with a status message
// without room for the new walls; refused silently when (x, y) is an end point of the wall.
bool insertVertex(MapStore& map, MapEvents& events, int32_t w, int32_t x, int32_t y,
                  bool autoWallSquare);

// deleteWallSng: delete a single wall, not its twin (deleteWall takes both).
// Removes wall w alone, closing its loop over the gap. A sector left with two walls or fewer,
// and a loop left with one, go too.
bool deleteWallSng(MapStore& map, MapEvents& events, int32_t w);

// Moves both end points of w (and the walls meeting there) to its midpoint unless skipMerge is
// set, then removes w and its twin.
bool deleteWall(MapStore& map, MapEvents& events, int32_t w, bool skipMerge);

// Removes the vertex at the start of v: every wall that starts there goes and the walls that
// ended there are relinked. Ends with no move marks.
bool deleteVertex(MapStore& map, MapEvents& events, int32_t v);

}  // namespace korvel
