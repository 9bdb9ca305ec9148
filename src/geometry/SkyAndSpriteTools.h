// Sprite tools that change sprites in place (turning a sprite against the wall behind it,
// resetting or compensating offsets) and the sector tools for sky work (selecting every
// connected sky sector, levelling the selected ceilings).
#pragma once

#include <cstdint>
#include <vector>

#include "map/MapStore.h"

namespace korvel {

// Turns sprite s to face away from the nearest wall behind it that blocks at its height and puts
// it one unit in front of that wall, wall-aligned. Returns the wall, or -1 (the sprite then
// unchanged). Marks the map modified and undo offered; the callers take the snapshot.
int32_t alignSprite(MapStore& map, int32_t s);

// Offsets of the selected, shown sprites: zero, or the negated offsets of their tile (bits 8..15
// and 16..23 of its animation word; tileAnims holds one word per tile).
void resetSpriteOffsets(MapStore& map);
void compensateSpriteOffsets(MapStore& map, const std::vector<int32_t>& tileAnims);

// Selects every sector joined to s through its walls by sky ceilings, s itself left as it is.
void skySelect(MapStore& map, int32_t s);

// Every selected sector gets the highest (smallest) ceilingz among them.
bool equalizeCeilingHeights(MapStore& map);

}  // namespace korvel
