// Transform tools for vertices, sectors and sprites: moving and merging vertices, mirroring,
// flipping, turning sectors upside down and shifting them in height. The callers take the undo
// snapshot; every operation that writes marks the map modified, and relinks the walls it moved
// together with their former twins.
#pragma once

#include <cstdint>
#include <vector>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Every wall starting at w's start point moves to (x, y); the walls at the point are relinked.
void moveVertex(MapStore& map, MapEvents& events, int32_t w, int32_t x, int32_t y);
// Snaps onto w's start point every shown vertex within sqrt(distSq) of it.
void bindVertex(MapStore& map, MapEvents& events, int32_t w, double distSq);

// Selected sectors and the sprites in them reflected across the line through (x1, y1) and
// (x2, y2). A line of coincident points is refused (false, message 1388), the map unchanged.
bool mirrorSelSectors(MapStore& map, MapEvents& events, int32_t x1, int32_t y1, int32_t x2,
                      int32_t y2);
// Flips in the selection's bounding box: axis 0 mirrors x, any other y.
void flipSelSectors(MapStore& map, MapEvents& events, uint8_t axis);
void flipSelSprites(MapStore& map, uint8_t axis);
// Loop facing is not restored: vertices of one loop alone may turn it inside out.
void flipSelVertices(MapStore& map, MapEvents& events, uint8_t axis);
// Selected sectors (else selected sprites) turned upside down about their middle height.
// tileHeights gives each tile's height for the sprites' new bottoms.
void mirrorSelByZ(MapStore& map, const std::vector<int16_t>& tileHeights);

// Moves the selected sectors, their floors, ceilings and sprites, up or down by dz.
void zShiftSelSectors(MapStore& map, MapEvents& events, int32_t dz);

// The new angle of a sprite flipped on the axis (sector effectors by their kind); pal may change.
void flipSpriteAngle(SpriteRecord& sprite, uint8_t axis);

}  // namespace korvel
