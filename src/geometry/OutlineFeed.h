// What the operations that rebuild sectors share: handing a traced outline to the shape feed,
// copying wall and sector attributes onto the result, linking a result sector's walls, and a
// private copy of the map that puts everything back when an operation has to give up halfway.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/Mainm.h"
#include "geometry/ShapeFeed.h"
#include "map/MapBackup.h"
#include "map/MapEvents.h"
#include "map/MapStore.h"

namespace korvel {

using Outline = std::vector<IntPoint>;

enum class FeedResult : uint8_t { Made, TooFewCorners, Refused };
// Feeds one loop: consecutive repeats (and a last corner equal to the first) are left out, since
// they would only become walls of zero length. A loop of fewer than three corners is dropped.
FeedResult feedOutline(ShapeFeed& feed, FeedMode mode, int32_t target, const Outline& points);

// Whether sector s's wall block lies inside the wall array and every point2 of it stays inside
// the block: the walks of the operations rely on it.
bool sectorBlockIsSound(const MapStore& map, int32_t s);

// The walls of the loop that holds w, in ring order from w; empty when the ring does not close
// within its sector's block.
std::vector<int32_t> loopOf(const MapStore& map, int32_t w);

// The wall attributes an operation's result takes from a template wall.
void copyWallLook(MapStore& map, int32_t to, int32_t from, bool withHorizontal);
// Every field of sector `from` except its wall range.
void copySectorLook(MapStore& map, int32_t to, int32_t from);

// checkWallPointer on every wall of sector s (and on the wall it links to), squaring the
// texture when asked; the block is re-read after each wall, since a wall of zero length goes.
void linkSectorWalls(MapStore& map, MapEvents& events, int32_t s, bool square);

// Whether the map has room for `walls` more walls and `sectors` more sectors; if not, the
// capacity message is shown.
bool roomFor(const MapStore& map, MapEvents& events, int64_t walls, int64_t sectors);

// 2 x the signed area of a loop (the shoelace sum S), exact for any 32-bit coordinates.
__int128 loopShoelace(const MapStore& map, int32_t w);
// The area of sector s: minus half the sum of its loops' S, times 2 (so still an integer).
__int128 sectorDoubleArea(const MapStore& map, int32_t s);

// Appends unlinked copies of walls first..first+n-1 as one block at the end of the walls.
void appendWallCopies(MapStore& map, int32_t first, int32_t n);

}  // namespace korvel
