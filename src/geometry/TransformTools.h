// Transform tools for vertices, sectors and sprites: moving and merging vertices, mirroring,
// flipping, turning sectors upside down and shifting them in height. The callers take the undo
// snapshot; every operation that writes marks the map modified, and relinks the walls it moved
// together with their former twins.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Mainm.h"
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

// The handle tools move every selected vertex, selected sprite and selected sector (with the
// sprites standing in it) once, by a mapping of points given by reference points. Every new
// point is checked before any moves: a refusal names its reason and leaves the map unchanged.
// Moved walls are relinked with their former twins.
enum class HandleResult : uint8_t { Moved, Refused };

// Similarity transform taking segment a0->a1 onto segment b0->b1 (move, turn and scale).
// Coincident source points give 770, coincident target points 1390.
HandleResult transformBySegments(MapStore& map, MapEvents& events, IntPoint a0, IntPoint a1,
                                 IntPoint b0, IntPoint b1);
// Bilinear warp of the parallelogram s0, s1, s2 (fourth corner s1 + s2 - s0) onto t0, t1, t2.
HandleResult warpByParallelograms(MapStore& map, MapEvents& events, const IntPoint s[3],
                                  const IntPoint t[3]);
// Bilinear warp of the quadrilateral s0..s3 (in order around it) onto t0..t3.
HandleResult warpByQuads(MapStore& map, MapEvents& events, const IntPoint s[4], const IntPoint t[4]);

// The new angle of a sprite flipped on the axis (sector effectors by their kind); pal may change.
void flipSpriteAngle(SpriteRecord& sprite, uint8_t axis);

}  // namespace korvel
