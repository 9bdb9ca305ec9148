#include "map/WallTables.h"

#include <algorithm>
#include <cstring>

namespace korvel {

namespace {

// Moves n entries of every table of a kind from src to dst.
template <typename Kind>
void moveEntries(MapStore& map, int32_t dst, int32_t src, int32_t n) {
    if (n <= 0 || dst == src) return;
    forEachTable<Kind>([&](auto table, TableRole role, const char*) {
        if (!tableFollowsObjects(map, role)) return;
        auto* entries = (map.*table).data();
        std::memmove(entries + dst, entries + src, size_t(n) * sizeof(*entries));
    });
}

// Zeroes n entries from `from` of the tables of a kind that start from zero; the records are
// left as they are, and the bound of what may be non-zero takes them in.
template <typename Kind>
void clearEntries(MapStore& map, int32_t from, int32_t n, int32_t& bound, int32_t capacity) {
    if (n <= 0) return;
    bound = std::max(bound, std::min(from + n, capacity));
    forEachTable<Kind>([&](auto table, TableRole role, const char*) {
        if (role == TableRole::Records || role == TableRole::Derived) return;
        if (!tableFollowsObjects(map, role)) return;
        auto* entries = (map.*table).data();
        std::memset(static_cast<void*>(entries + from), 0, size_t(n) * sizeof(*entries));
    });
}

}  // namespace

bool wallEnd(const MapStore& map, int32_t w, IntPoint& end) {
    const int32_t p = map.walls[w].point2;
    if (!isWall(map, p)) return false;
    end = wallStart(map, p);
    return true;
}

void moveWallEntries(MapStore& map, int32_t dst, int32_t src, int32_t n) {
    moveEntries<WallTables>(map, dst, src, n);
}

void clearWallEntries(MapStore& map, int32_t from, int32_t n) {
    clearEntries<WallTables>(map, from, n, map.recordExtent.walls, kMaxWalls);
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
    moveEntries<SectorTables>(map, dst, src, n);
}

void clearSectorEntries(MapStore& map, int32_t from, int32_t n) {
    clearEntries<SectorTables>(map, from, n, map.recordExtent.sectors, kMaxSectors);
}

void moveSectorEntry(MapStore& map, int32_t from, int32_t to) {
    if (from == to) return;
    forEachTable<SectorTables>([&](auto table, TableRole, const char*) {
        auto* entries = (map.*table).data();
        if (from < to)
            std::rotate(entries + from, entries + from + 1, entries + to + 1);
        else
            std::rotate(entries + to, entries + from, entries + from + 1);
    });
}

void moveSpriteEntries(MapStore& map, int32_t dst, int32_t src, int32_t n) {
    moveEntries<SpriteTables>(map, dst, src, n);
}

void clearSpriteEntries(MapStore& map, int32_t from, int32_t n) {
    clearEntries<SpriteTables>(map, from, n, map.recordExtent.sprites, kMaxSprites);
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
