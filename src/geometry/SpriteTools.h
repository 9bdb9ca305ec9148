// Sprite operations of the geometry tools that the map model relies on: the stack counts of
// sprites standing at one place, and deleting a sprite with its burst of sparks.
#pragma once

#include <cstdint>

#include "base/Mainm.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// For every group of sprites at exactly one x, y: the group's size at one member (the highest
// index) and 0 at the others; then marks the table valid.
void computeSpriteStacks(MapStore& map);

// Over the sprites at exactly p's x, y: 0 in their spriteStackCount entries and their number at
// the last of them. With no sprites at all, entry 0 becomes 0.
void countStackedSprites(MapStore& map, int32_t p);

// Removes sprite s; later sprites move down one place with their flags. Sparks where the sprite
// stood.
bool deleteSprite(MapStore& map, MapEvents& events, int32_t s);

// Moves sprite s one unit off the section line from a to b, to the side the line's normal
// (-dy, dx) points to (the side a wall faces), so that it is not left standing on a wall. Nothing
// for a sprite not in the map or a line of no length.
void nudgeSpriteOffSectionLine(MapStore& map, int32_t s, IntPoint a, IntPoint b);

}  // namespace korvel
