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

// Moves sprite s one unit off the line (x1, y1) -> (x2, y2), towards the side the line's normal
// (-dy, dx) points to, so it no longer stands exactly on a side-view wall. A line of no length
// leaves it where it is.
void nudgeSpriteOffSectionLine(MapStore& map, int32_t s, int32_t x1, int32_t y1, int32_t x2,
                               int32_t y2);

}  // namespace korvel
