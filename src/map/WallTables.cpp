#include "map/WallTables.h"

#include <algorithm>
#include <cstring>

namespace korvel {

namespace {

template <typename T, int32_t N>
void moveEntries(FixedArray<T, N>& a, int32_t dst, int32_t src, int32_t n) {
    std::memmove(a.data() + dst, a.data() + src, size_t(n) * sizeof(T));
}

template <typename T, int32_t N>
void clearEntries(FixedArray<T, N>& a, int32_t from, int32_t n) {
    std::memset(static_cast<void*>(a.data() + from), 0, size_t(n) * sizeof(T));
}

// Entries handed back or given out up to from + n: the records there may hold something until
// the next load zeroes them.
void reachUpTo(int32_t& bound, int32_t from, int32_t n, int32_t capacity) {
    bound = std::max(bound, std::min(from + n, capacity));
}

}  // namespace

bool wallEnd(const MapStore& map, int32_t w, IntPoint& end) {
    const int32_t p = map.walls[w].point2;
    if (!isWall(map, p)) return false;
    end = wallStart(map, p);
    return true;
}

void moveWallEntries(MapStore& map, int32_t dst, int32_t src, int32_t n) {
    if (n <= 0 || dst == src) return;
    moveEntries(map.walls, dst, src, n);
    moveEntries(map.wallSelected, dst, src, n);
    moveEntries(map.vertexSelected, dst, src, n);
    moveEntries(map.wallIgnored, dst, src, n);
    moveEntries(map.wallSector, dst, src, n);
    moveEntries(map.wallPassMark, dst, src, n);
    if (map.movedWallCount == kAllWallsMarked) moveEntries(map.wallMoveState, dst, src, n);
}

void clearWallEntries(MapStore& map, int32_t from, int32_t n) {
    if (n <= 0) return;
    reachUpTo(map.recordExtent.walls, from, n, kMaxWalls);
    clearEntries(map.wallSelected, from, n);
    clearEntries(map.vertexSelected, from, n);
    clearEntries(map.wallIgnored, from, n);
    clearEntries(map.wallPassMark, from, n);
    if (map.movedWallCount == kAllWallsMarked) clearEntries(map.wallMoveState, from, n);
}

void deselectWallRange(MapStore& map, int32_t from, int32_t n) {
    for (int32_t i = from; i < from + n; ++i) {
        if (map.wallSelected[i]) {
            map.wallSelected[i] = 0;
            --map.selectedWallCount;
        }
        if (map.vertexSelected[i]) {
            map.vertexSelected[i] = 0;
            --map.selectedVertexCount;
        }
    }
}

void moveSectorEntries(MapStore& map, int32_t dst, int32_t src, int32_t n) {
    if (n <= 0 || dst == src) return;
    moveEntries(map.sectors, dst, src, n);
    moveEntries(map.sectorSelected, dst, src, n);
    moveEntries(map.sectorIgnored, dst, src, n);
}

void clearSectorEntries(MapStore& map, int32_t from, int32_t n) {
    if (n <= 0) return;
    reachUpTo(map.recordExtent.sectors, from, n, kMaxSectors);
    clearEntries(map.sectorSelected, from, n);
    clearEntries(map.sectorIgnored, from, n);
}

void moveSpriteEntries(MapStore& map, int32_t dst, int32_t src, int32_t n) {
    if (n <= 0 || dst == src) return;
    moveEntries(map.sprites, dst, src, n);
    moveEntries(map.spriteSelected, dst, src, n);
    moveEntries(map.spriteIgnored, dst, src, n);
    moveEntries(map.spriteStackCount, dst, src, n);
}

void clearSpriteEntries(MapStore& map, int32_t from, int32_t n) {
    if (n <= 0) return;
    reachUpTo(map.recordExtent.sprites, from, n, kMaxSprites);
    clearEntries(map.spriteSelected, from, n);
    clearEntries(map.spriteIgnored, from, n);
    clearEntries(map.spriteStackCount, from, n);
}

int32_t nextMarkedWall(const MapStore& map, int32_t from, uint8_t bit) {
    for (int32_t i = from < 0 ? 0 : from; i < map.wallCount; ++i)
        if (map.wallPassMark[i] & bit) return i;
    return map.wallCount;
}

void clearPassMarks(MapStore& map, uint8_t bit) {
    for (auto& m : map.wallPassMark) m = uint8_t(m & ~bit);
}

}  // namespace korvel
