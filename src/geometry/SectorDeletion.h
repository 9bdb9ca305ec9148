// Removing and reordering sectors and loops while keeping the wall layout (each sector's walls
// one block, blocks in sector order, each loop contiguous) and every index that points into it:
// point2, nextwall, nextsector, wallptr, sprite sectnum and every per-object table with the
// selection counts.
#pragma once

#include <cstdint>

#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

// Removes sector s and its walls, sprites untouched (their sector numbers are the caller's
// business). The block is taken from the neighbours' ranges, so a damaged wallptr or wallnum
// of s does not spread. Returns the number of walls removed.
int32_t deleteSectorCore(MapStore& map, MapEvents& events, int32_t s);
// deleteSectorWos: delete the sector "without sprites", that is, keeping them.
// Deletes sector s and keeps its sprites, which are given a sector by position.
bool deleteSectorWos(MapStore& map, MapEvents& events, int32_t s);
// Deletes sector s with its sprites.
bool deleteSector(MapStore& map, MapEvents& events, int32_t s);

enum class LoopDeletion : uint8_t { Refused, Loop, Sector };
// Deletes the loop that holds w from its sector; when it is the sector's only loop, the sector
// goes (its sprites kept). Refused (message 1339) when the loop is not a closed, contiguous run
// of its sector's walls.
LoopDeletion deleteLoop(MapStore& map, MapEvents& events, int32_t w);

// moveSectorSp: move a sector to another place in the sector order.
// Moves sector `from` to index `to`, its walls with it. Refused (message 1339) when the wall
// blocks of the sectors in between do not follow one another.
bool moveSectorSp(MapStore& map, MapEvents& events, int32_t from, int32_t to);

// Reorders the walls of sector s so that w comes first: the loop that holds w starting at w,
// then the loops stored after it, then those before it; every link is found again. Refused
// (message 1339) when the sector's loops are not closed runs of its block.
bool setSectorFirstWall(MapStore& map, MapEvents& events, int32_t s, int32_t w);
// setSectorFirstWall for every selected wall, with a progress step each.
void makeSelectedWallsFirst(MapStore& map, MapEvents& events);

}  // namespace korvel
