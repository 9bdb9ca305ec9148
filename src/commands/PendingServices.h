// Operations the commands call whose own work arrives with the loop and selection tools; until
// then they change nothing.
#pragma once

namespace korvel {

class MapEvents;
struct MapStore;

// Copies of the selected sprites, sectors (with their walls) or loops, which become the
// selection; whether anything was made.
bool cloneSelectedSprites(MapStore& map, MapEvents& events);
bool cloneSelectedSectors(MapStore& map, MapEvents& events);
bool cloneSelectedLoops(MapStore& map, MapEvents& events);

}  // namespace korvel
