// The map-piece clipboard: sectors with their walls and sprites, or loose sprites, in the map's
// own record layouts, put back into the map as new objects anywhere. It can also be exchanged
// with the whole map, which gives a second working map.
#pragma once

#include <cstdint>

#include "base/FixedArray.h"
#include "map/MapEvents.h"
#include "map/MapRecords.h"
#include "map/MapStore.h"

namespace korvel {

struct MapClipboard {
    FixedArray<SectorRecord, kMaxSectors> clipSectors;  // wallptr indexes clipWalls
    int32_t clipSectorCount = 0;
    FixedArray<WallRecord, kMaxWalls> clipWalls;  // point2 and links index clipWalls
    int32_t clipWallCount = 0;
    // The clipboard sector of each clipboard wall, -1 for a wall no sector's range covers.
    FixedArray<int16_t, kMaxWalls> clipWallSector;
    FixedArray<SpriteRecord, kMaxSprites> clipSprites;  // sectnum: clipboard sector or -1
    int32_t clipSpriteCount = 0;
    // The map point the clipboard coordinates are relative to.
    int32_t clipOriginX = 0, clipOriginY = 0;
};

void clearClipboard(MapClipboard& clip);
// Appends sector s with its walls (links cut) and, with `withSprites`, the sprites standing in
// it. Refused with a status message when the clipboard has no room or the sector's wall range
// leaves the wall array.
bool copySectorToClipboard(MapClipboard& clip, const MapStore& map, MapEvents& events, int32_t s,
                           bool withSprites);
// Appends sprite k alone.
bool copySpriteToClipboard(MapClipboard& clip, const MapStore& map, MapEvents& events, int32_t k);
// Moves the content so that its smallest x and y are 0 and remembers what was subtracted.
void balanceClipboard(MapClipboard& clip);
// Recomputes clipWallSector from the clipboard sectors' wall ranges; for whoever fills the
// clipboard by other means (a map file inserted into it).
void rebuildClipWallSector(MapClipboard& clip);

// Exchanges the map and the clipboard; undo will swap back. The selection and hidden state
// are cleared.
void swapClipboard(MapStore& map, MapClipboard& clip);

}  // namespace korvel
