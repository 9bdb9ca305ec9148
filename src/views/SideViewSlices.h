// What the side view shows of the map for its subject: the sectors and sprites of a point's
// column, the sprites near a line, and the spans a section line cuts through each sector.
#pragma once

namespace korvel {

struct MapStore;
struct ViewState;

// Rebuilds the flags for the current subject and, for a Section, its slices, from the map as it
// is now. A section that crosses more spans than the list holds keeps the first ones.
void buildSideViewSlices(const MapStore& map, ViewState& view);
// Brings every slice's floor and ceiling heights up to the map's at its two end points, so that
// a height edit shows without a rebuild; a slice naming a sector the map no longer has keeps
// its old heights (the painters skip it).
void refreshSliceHeights(const MapStore& map, ViewState& view);

}  // namespace korvel
