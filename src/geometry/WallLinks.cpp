#include "geometry/WallLinks.h"

#include <algorithm>

#include "base/MessageNumbers.h"
#include "geometry/MovedWallRepair.h"
#include "geometry/WallPrimitives.h"
#include "map/ProgressScope.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr int32_t kWallsRelinkedWithoutIndex = 16;

uint64_t pointKey(IntPoint p) {
    return (uint64_t(uint32_t(p.x)) << 32) | uint32_t(p.y);
}

// A link that both sides agree on: w and its nextwall name each other and each other's
// sectors, and run between the same two points in opposite directions.
bool linkConsistent(const MapStore& map, int32_t w) {
    const WallRecord& a = map.walls[w];
    const int32_t n = a.nextwall;
    if (!isWall(map, n) || n == w) return false;
    const WallRecord& b = map.walls[n];
    if (b.nextwall != w) return false;
    const int32_t sw = sectorOfWall(map, w), sn = sectorOfWall(map, n);
    if (sw < 0 || sn < 0 || a.nextsector != sn || b.nextsector != sw) return false;
    IntPoint endA, endB;
    if (!wallEnd(map, w, endA) || !wallEnd(map, n, endB)) return false;
    return wallStart(map, w) == endB && endA == wallStart(map, n);
}

// Calls visit(j) for every wall that starts at p, in index order.
struct ScanAllWalls {
    const MapStore& map;
    template <typename F>
    void operator()(IntPoint p, F visit) const {
        for (int32_t j = 0; j < map.wallCount; ++j)
            if (map.walls[j].x == p.x && map.walls[j].y == p.y) visit(j);
    }
};

// The same through the start-point index; valid while no wall is added, removed or moved.
struct ScanIndex {
    const MapStore& map;
    int32_t size;
    template <typename F>
    void operator()(IntPoint p, F visit) const {
        const WallPointKey* first = map.work.startIndex.data();
        const WallPointKey* last = first + size;
        const uint64_t key = pointKey(p);
        auto it = std::lower_bound(first, last, key,
                                   [](const WallPointKey& e, uint64_t k) { return e.point < k; });
        for (; it != last && it->point == key; ++it) visit(it->wall);
    }
};

int32_t buildStartIndex(MapStore& map) {
    WallPointKey* keys = map.work.startIndex.data();
    for (int32_t j = 0; j < map.wallCount; ++j) keys[j] = {pointKey(wallStart(map, j)), j};
    std::sort(keys, keys + map.wallCount, [](const WallPointKey& a, const WallPointKey& b) {
        return a.point != b.point ? a.point < b.point : a.wall < b.wall;
    });
    return map.wallCount;
}

template <typename Scan>
int32_t relinkWall(MapStore& map, MapEvents& events, int32_t w, bool keepValid, bool ignoreExtra,
                   const Scan& scan) {
    if (!isWall(map, w)) return -1;
    WallRecord& a = map.walls[w];
    IntPoint end;
    const bool hasEnd = wallEnd(map, w, end);
    const IntPoint start = wallStart(map, w);

    bool search = true;
    if (a.nextwall < 0) {
        a.nextsector = -1;
    } else if (linkConsistent(map, w)) {
        // The twin's own link is consistent too, since consistency is symmetric.
        if (keepValid) return -1;
        search = false;
    } else {
        unlinkBothSides(map, w);
    }

    const int32_t own = sectorOfWall(map, w);
    int32_t linked = -1;
    if (search && hasEnd && own >= 0) {
        int32_t chosen = -1;
        scan(end, [&](int32_t j) {
            if (j == w || map.wallIgnored[j] != 0) return;
            const int32_t sj = sectorOfWall(map, j);
            if (sj < 0 || sj == own) return;
            IntPoint endJ;
            if (!wallEnd(map, j, endJ) || endJ != start) return;
            WallRecord& b = map.walls[j];
            if (!ignoreExtra && b.extra != a.extra) return;
            if (b.nextwall == w) {
                // A one-way link to w (w was just unlinked): free it; it may be chosen below.
                b.nextwall = -1;
                b.nextsector = -1;
            }
            if (b.nextwall >= 0) return;  // taken by another wall
            chosen = j;
        });
        if (chosen >= 0) {
            WallRecord& b = map.walls[chosen];
            a.extra = b.extra;
            a.nextwall = int16_t(chosen);
            a.nextsector = int16_t(sectorOfWall(map, chosen));
            b.nextwall = int16_t(w);
            b.nextsector = int16_t(own);
            linked = chosen;
        }
    }
    if (hasEnd && start == end) {
        deleteWall(map, events, w, true);
        events.statusMessage(kMsgZeroWallRemoved);
    }
    return linked;
}

bool runsOpposite(const MapClipboard& clip, int32_t w, int32_t n) {
    const WallRecord& a = clip.clipWalls[w];
    const WallRecord& b = clip.clipWalls[n];
    const int32_t pa = a.point2, pb = b.point2;
    if (pa < 0 || pa >= clip.clipWallCount || pb < 0 || pb >= clip.clipWallCount) return false;
    const WallRecord& endA = clip.clipWalls[pa];
    const WallRecord& endB = clip.clipWalls[pb];
    return a.x == endB.x && a.y == endB.y && endA.x == b.x && endA.y == b.y;
}

}  // namespace

int32_t checkWallPointer(MapStore& map, MapEvents& events, int32_t w, bool keepValid,
                         bool ignoreExtra) {
    return relinkWall(map, events, w, keepValid, ignoreExtra, ScanAllWalls{map});
}

void relinkMarkedWalls(MapStore& map, MapEvents& events) {
    // A few marked walls are cheapest found wall by wall; many (a paste, a merged file) go
    // through one index of the start points, made again only when a removal renumbers walls.
    int32_t marked = 0;
    for (int32_t i = 0; i < map.wallCount; ++i)
        if (map.wallPassMark[i] & kPassRelink) ++marked;
    const bool useIndex = marked > kWallsRelinkedWithoutIndex;
    int32_t indexed = useIndex ? buildStartIndex(map) : 0;
    for (int32_t i = nextMarkedWall(map, 0, kPassRelink); i < map.wallCount;) {
        map.wallPassMark[i] &= uint8_t(~kPassRelink);
        const int32_t before = map.wallCount;
        if (useIndex)
            relinkWall(map, events, i, false, false, ScanIndex{map, indexed});
        else
            checkWallPointer(map, events, i, false, false);
        // Removals below i move the marked walls down by as many places.
        const int32_t removed = before - map.wallCount;
        if (useIndex && removed != 0) indexed = buildStartIndex(map);
        i = nextMarkedWall(map, i + 1 - removed, kPassRelink);
    }
}

void relinkMovedWalls(MapStore& map, MapEvents& events, const std::function<void(int32_t)>& before) {
    int32_t indexed = buildStartIndex(map);
    for (int32_t i = map.wallCount; i > 0;) {
        --i;
        if (i >= map.wallCount) i = map.wallCount - 1;
        if (i < 0) break;
        if (map.wallMoveState[i] == 0) continue;
        if (before) before(i);
        relinkWall(map, events, i, false, false, ScanIndex{map, indexed});
        if (map.wallCount != indexed) indexed = buildStartIndex(map);
    }
}

bool checkZeroWall(MapStore& map, MapEvents& events, int32_t w) {
    map.zeroWallRemoved = 0;
    if (!isWall(map, w)) return false;
    IntPoint end;
    if (!wallEnd(map, w, end) || end != wallStart(map, w)) return false;
    deleteWall(map, events, w, true);
    map.zeroWallRemoved = 1;
    return true;
}

void repairWallLinks(MapStore& map, MapEvents& events) {
    ProgressScope progress(events, map.wallCount);
    int32_t indexed = buildStartIndex(map);
    for (int32_t i = map.wallCount; i != 0;) {
        --i;
        if (map.wallIgnored[i] != 0) continue;
        relinkWall(map, events, i, false, false, ScanIndex{map, indexed});
        if (map.wallCount != indexed) indexed = buildStartIndex(map);
        if (map.wallCount < i) i = map.wallCount;
        progress.step();
    }
}

int32_t clipbCheckWallPointer(MapClipboard& clip, int32_t w) {
    if (w < 0 || w >= clip.clipWallCount) return -1;
    WallRecord& a = clip.clipWalls[w];
    const int32_t n = a.nextwall;
    const bool partnerValid = n >= 0 && n < clip.clipWallCount && n != w;
    if (a.nextwall >= 0 && (!partnerValid || !runsOpposite(clip, w, n))) {
        if (partnerValid && clip.clipWalls[n].nextwall == w) {
            clip.clipWalls[n].nextwall = -1;
            clip.clipWalls[n].nextsector = -1;
        }
        a.nextwall = -1;
        a.nextsector = -1;
    }
    const int32_t own = clip.clipWallSector[w];
    if (own < 0 || own >= clip.clipSectorCount) return -1;
    int32_t chosen = -1;
    for (int32_t j = 0; j < clip.clipWallCount; ++j) {
        if (j == w || clip.clipWalls[j].nextwall >= 0) continue;
        const int32_t sj = clip.clipWallSector[j];
        if (sj < 0 || sj >= clip.clipSectorCount || sj == own) continue;
        if (runsOpposite(clip, w, j)) chosen = j;
    }
    if (chosen < 0) return -1;
    // A found free twin replaces the current link; the old partner is let go on both sides.
    const int32_t old = a.nextwall;
    if (old >= 0 && old < clip.clipWallCount && old != w && clip.clipWalls[old].nextwall == w) {
        clip.clipWalls[old].nextwall = -1;
        clip.clipWalls[old].nextsector = -1;
    }
    WallRecord& b = clip.clipWalls[chosen];
    a.nextwall = int16_t(chosen);
    a.nextsector = int16_t(clip.clipWallSector[chosen]);
    b.nextwall = int16_t(w);
    b.nextsector = int16_t(own);
    return chosen;
}

}  // namespace korvel
