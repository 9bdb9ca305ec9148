// Services of other parts of the editor that the commands call but that arrive with their own
// changes; until then they change nothing.
#pragma once

namespace korvel {

struct Editor;

// Recomputes which layers the selection occupies, for the plan view's layer display.
void updateSelectionLayerMask(Editor& ed);

}  // namespace korvel

#include <cstdint>

namespace korvel {

class MapEvents;
struct MapStore;

// Copies of the selected sprites, sectors (with their walls) or loops, which become the
// selection; whether anything was made.
bool cloneSelectedSprites(MapStore& map, MapEvents& events);
bool cloneSelectedSectors(MapStore& map, MapEvents& events);
bool cloneSelectedLoops(MapStore& map, MapEvents& events);
// Grows the sector selection from sector s to the neighbouring parallax-sky sectors.
void skySelect(MapStore& map, int32_t s);
// Gives every selected sector the highest ceiling among them; whether anything changed.
bool equalizeCeilingHeights(MapStore& map);

}  // namespace korvel

namespace korvel {

// Prepares the 3D view's scene from the map.
void build3dView(Editor& ed);

}  // namespace korvel
