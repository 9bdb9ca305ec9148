#include "geometry/OutlineFeed.h"

#include "base/MessageNumbers.h"
#include "geometry/WallLinks.h"
#include "geometry/WallTexture.h"
#include "map/WallTables.h"

namespace korvel {

FeedResult feedOutline(ShapeFeed& feed, FeedMode mode, int32_t target, const Outline& points) {
    Outline kept;
    kept.reserve(points.size());
    for (const IntPoint& p : points)
        if (kept.empty() || !(kept.back() == p)) kept.push_back(p);
    while (kept.size() > 1 && kept.back() == kept.front()) kept.pop_back();
    feed.startLoop(mode, target, true);
    if (kept.size() < 3) {
        feed.closeLoop();
        return FeedResult::TooFewCorners;
    }
    for (const IntPoint& p : kept)
        if (!feed.pressPoint(p.x, p.y)) {
            feed.closeLoop();
            return FeedResult::Refused;
        }
    return feed.closeLoop() ? FeedResult::Made : FeedResult::Refused;
}

bool sectorBlockIsSound(const MapStore& map, int32_t s) {
    if (!isSector(map, s)) return false;
    const int32_t first = map.sectors[s].wallptr, n = map.sectors[s].wallnum;
    if (first < 0 || n < 3 || first + n > map.wallCount) return false;
    for (int32_t w = first; w < first + n; ++w) {
        const int32_t p2 = map.walls[w].point2;
        if (p2 < first || p2 >= first + n) return false;
    }
    return true;
}

std::vector<int32_t> loopOf(const MapStore& map, int32_t w) {
    std::vector<int32_t> loop;
    const int32_t s = sectorOfWall(map, w);
    if (!sectorBlockIsSound(map, s)) return loop;
    const int32_t limit = map.sectors[s].wallnum;
    int32_t v = w;
    do {
        loop.push_back(v);
        v = map.walls[v].point2;
    } while (v != w && int32_t(loop.size()) <= limit);
    if (v != w) loop.clear();
    return loop;
}

void copyWallLook(MapStore& map, int32_t to, int32_t from, bool withHorizontal) {
    WallRecord& r = map.walls[to];
    const WallRecord t = map.walls[from];
    r.cstat = t.cstat;
    r.extra = t.extra;
    r.hitag = t.hitag;
    r.lotag = t.lotag;
    r.overpicnum = t.overpicnum;
    r.pal = t.pal;
    r.picnum = t.picnum;
    r.shade = t.shade;
    r.ypanning = t.ypanning;
    r.yrepeat = t.yrepeat;
    if (withHorizontal) {
        r.xpanning = t.xpanning;
        r.xrepeat = t.xrepeat;
    }
}

void copySectorLook(MapStore& map, int32_t to, int32_t from) {
    SectorRecord& sector = map.sectors[to];
    const int16_t wallptr = sector.wallptr, wallnum = sector.wallnum;
    sector = map.sectors[from];
    sector.wallptr = wallptr;
    sector.wallnum = wallnum;
}

void linkSectorWalls(MapStore& map, MapEvents& events, int32_t s, bool square) {
    for (int32_t k = 0; isSector(map, s) && k < map.sectors[s].wallnum; ++k) {
        const int32_t w = map.sectors[s].wallptr + k;
        if (!isWall(map, w)) break;
        const int32_t before = map.wallCount;
        checkWallPointer(map, events, w, false, false);
        if (map.wallCount != before) {
            --k;  // w now names the wall after the removed one
            continue;
        }
        const int32_t twin = map.walls[w].nextwall;
        if (isWall(map, twin)) {
            checkWallPointer(map, events, twin, false, false);
            if (map.wallCount != before) {
                k = -1;  // a wall before w may have gone: walk the block again
                continue;
            }
        }
        if (square) squareWallTexture(map, w);
    }
}

bool roomFor(const MapStore& map, MapEvents& events, int64_t walls, int64_t sectors) {
    if (int64_t(map.sectorCount) + sectors > kMaxSectors) {
        events.statusMessage(kMsgNoRoomForSectors);
        return false;
    }
    if (int64_t(map.wallCount) + walls > kMaxWalls) {
        events.statusMessage(kMsgNoRoomForWalls);
        return false;
    }
    return true;
}

__int128 loopShoelace(const MapStore& map, int32_t w) {
    __int128 sum = 0;
    for (int32_t v : loopOf(map, w)) {
        const WallRecord& a = map.walls[v];
        const WallRecord& b = map.walls[a.point2];
        sum += __int128(int64_t(b.x) - a.x) * (int64_t(a.y) + b.y);
    }
    return sum;
}

__int128 sectorDoubleArea(const MapStore& map, int32_t s) {
    if (!sectorBlockIsSound(map, s)) return 0;
    const int32_t first = map.sectors[s].wallptr, n = map.sectors[s].wallnum;
    __int128 sum = 0;
    for (int32_t w = first; w < first + n; ++w) {
        const WallRecord& a = map.walls[w];
        const WallRecord& b = map.walls[a.point2];
        sum += __int128(int64_t(b.x) - a.x) * (int64_t(a.y) + b.y);
    }
    return -sum;
}

// Appends copies of walls first..first+n-1 (a closed set of rings) at the end, unlinked, with
// fresh flags.
void appendWallCopies(MapStore& map, int32_t first, int32_t n) {
    const int32_t to = map.wallCount;
    clearWallEntries(map, to, n);
    for (int32_t i = 0; i < n; ++i) {
        WallRecord w = map.walls[first + i];
        w.point2 = int16_t(w.point2 - first + to);
        w.nextwall = -1;
        w.nextsector = -1;
        map.walls[to + i] = w;
    }
    map.wallCount += n;
    noteRecordExtent(map);
}

}  // namespace korvel
