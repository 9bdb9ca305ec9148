// The bookkeeping every operation that renumbers walls, sectors or sprites shares: safe reads of
// record links, and moving a record together with every table indexed like it.
#pragma once

#include <cstdint>
#include <cstring>

#include "base/Mainm.h"
#include "map/MapStore.h"

namespace korvel {

// Bits of wallPassMark. Each pass clears its bit before it returns.
constexpr uint8_t kPassRelink = 1;  // the wall still waits for its link repair
constexpr uint8_t kPassFollow = 2;  // the wall an operation follows through deletions
constexpr uint8_t kPassUnlink = 4;  // the wall's link is cut once the renumbering is done
constexpr uint8_t kPassNewShape = 8;  // a wall of the shape being completed, not yet linked

inline IntPoint wallStart(const MapStore& map, int32_t w) {
    return {map.walls[w].x, map.walls[w].y};
}
// The end point of w: the start of its point2. False when point2 names no wall.
bool wallEnd(const MapStore& map, int32_t w, IntPoint& end);

// Whether a table's entries are per object now: wallMoveState is only while it holds marks.
inline bool tableFollowsObjects(const MapStore& map, TableRole role) {
    return role != TableRole::MoveMarks || map.movedWallCount == kAllWallsMarked;
}

// Moves n walls from src to dst (ranges may overlap) with every per-wall table.
void moveWallEntries(MapStore& map, int32_t dst, int32_t src, int32_t n);
// Fresh per-wall entries for n walls from `from`: not selected, shown, unmarked. The record
// extent of the store takes them in, so a removal that ends here needs nothing more.
void clearWallEntries(MapStore& map, int32_t from, int32_t n);
// Deselects walls from..from+n-1 (wall and vertex flags), keeping the counts in step.
void deselectWallRange(MapStore& map, int32_t from, int32_t n);

void moveSectorEntries(MapStore& map, int32_t dst, int32_t src, int32_t n);
void clearSectorEntries(MapStore& map, int32_t from, int32_t n);
// Moves sector `from` with its entries to index `to`; the sectors in between move up or down
// one place.
void moveSectorEntry(MapStore& map, int32_t from, int32_t to);
void moveSpriteEntries(MapStore& map, int32_t dst, int32_t src, int32_t n);
void clearSpriteEntries(MapStore& map, int32_t from, int32_t n);

// Reorders walls first..first+n-1 with every per-wall table: wall first + i goes to index
// newIndex(first + i), which must name each place of the block once. Stored wall indices are
// the caller's business.
template <typename F>
void reorderWallBlock(MapStore& map, int32_t first, int32_t n, F newIndex) {
    uint8_t* stash = map.work.stash.data();
    forEachTable<WallTables>([&](auto table, TableRole role, const char*) {
        if (!tableFollowsObjects(map, role)) return;
        auto* entries = (map.*table).data();
        constexpr size_t size = sizeof(*entries);
        static_assert(size <= sizeof(WallRecord), "the stash holds one table at a time");
        std::memcpy(stash, entries + first, size * size_t(n));
        for (int32_t i = 0; i < n; ++i)
            std::memcpy(entries + newIndex(first + i), stash + size * size_t(i), size);
    });
}

// In list mode, the dragged-wall list follows a renumbering: `newIndex(old)` gives the new
// index or -1 for a removed wall, whose entry is dropped (the last entry takes its place).
template <typename F>
void renumberMoveList(MapStore& map, F newIndex) {
    if (map.movedWallCount < 1 || map.movedWallCount >= kAllWallsMarked) return;
    int32_t count = map.movedWallCount < kMaxWalls ? map.movedWallCount : kMaxWalls;
    for (int32_t i = 0; i < count;) {
        const int32_t moved = newIndex(int32_t(map.wallMoveState[i]));
        if (moved < 0) {
            map.wallMoveState[i] = map.wallMoveState[count - 1];
            --count;
            continue;
        }
        map.wallMoveState[i] = int16_t(moved);
        ++i;
    }
    map.movedWallCount = count;
}

// The first index of the walls marked with `bit` at or above `from`, or wallCount.
int32_t nextMarkedWall(const MapStore& map, int32_t from, uint8_t bit);
void clearPassMarks(MapStore& map, uint8_t bit);

}  // namespace korvel
