// Putting the map-piece clipboard back into the map as new objects.
#pragma once

#include <cstdint>

#include "map/MapClipboard.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Appends the clipboard to the map moved by (dx, dy) and selects the new sectors and sprites
// (everything else is deselected); the new walls are linked with any reversed wall at their
// place. Refused with a status message, the map unchanged, when a capacity would be exceeded.
bool pasteClipboardAt(MapStore& map, const MapClipboard& clip, MapEvents& events, int32_t dx,
                      int32_t dy);
// At the hit point (the snapped mouse position).
bool pasteClipboard(MapStore& map, const MapClipboard& clip, MapEvents& events, int32_t hitPointX,
                    int32_t hitPointY);
// Where it was copied from.
bool pasteClipboardInPlace(MapStore& map, const MapClipboard& clip, MapEvents& events);

}  // namespace korvel
