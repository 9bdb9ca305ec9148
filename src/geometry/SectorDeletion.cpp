#include "geometry/SectorDeletion.h"

#include <algorithm>

#include "base/ValueConv.h"
#include "geometry/SpritePrimitives.h"
#include "geometry/SpriteTools.h"
#include "geometry/WallLinks.h"
#include "map/ProgressScope.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

int32_t clampTo(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

void sparksAlongWalls(const MapStore& map, MapEvents& events, int32_t first, int32_t end) {
    for (int32_t i = first; i < end; ++i) {
        IntPoint b;
        if (!wallEnd(map, i, b)) continue;
        events.sparksAlongWall(map.walls[i].x, map.walls[i].y, b.x, b.y);
    }
}

// Removes walls first..first+n-1 with every per-wall table and renumbers the rest: links into
// the block are cut on the other side, indices above it move down.
void removeWallBlock(MapStore& map, int32_t first, int32_t n) {
    const int32_t end = first + n;
    deselectWallRange(map, first, n);
    moveWallEntries(map, first, end, map.wallCount - end);
    map.wallCount -= n;
    clearWallEntries(map, map.wallCount, n);
    for (int32_t i = 0; i < map.wallCount; ++i) {
        WallRecord& r = map.walls[i];
        if (r.nextwall >= first && r.nextwall < end) {
            r.nextwall = -1;
            r.nextsector = -1;
        } else if (r.nextwall >= end) {
            r.nextwall = wrapToInt16(r.nextwall - n);
        }
        if (r.point2 >= first) r.point2 = wrapToInt16(r.point2 - n);
    }
    renumberMoveList(map, [first, end, n](int32_t v) {
        return v >= first && v < end ? -1 : v >= end ? v - n : v;
    });
}

// Every stored wall index follows a reordering of the walls.
template <typename F>
void renumberWallIndices(MapStore& map, F newIndex) {
    for (int32_t i = 0; i < map.wallCount; ++i) {
        WallRecord& r = map.walls[i];
        r.point2 = wrapToInt16(newIndex(r.point2));
        if (r.nextwall >= 0) r.nextwall = wrapToInt16(newIndex(r.nextwall));
    }
    renumberMoveList(map, newIndex);
}

// Sectors from `from` on follow the removal of walls first..first+n-1: ranges behind the block
// move down with their walls. A damaged range that began inside the block moves to its start,
// and one that began before it stays, so no range slides onto walls that lie before the block
// (another sector's, or the map's own walls when a merged file is damaged).
void shiftLaterRanges(MapStore& map, int32_t from, int32_t first, int32_t n) {
    for (int32_t k = from; k < map.sectorCount; ++k) {
        const int32_t p = map.sectors[k].wallptr;
        map.sectors[k].wallptr = wrapToInt16(p >= first + n ? p - n : p > first ? first : p);
    }
}

bool blockInArray(const MapStore& map, int32_t s) {
    const SectorRecord& sec = map.sectors[s];
    return sec.wallptr >= 0 && sec.wallnum >= 0 && sec.wallptr + sec.wallnum <= map.wallCount;
}

}  // namespace

int32_t deleteSectorCore(MapStore& map, MapEvents& events, int32_t s) {
    if (!isSector(map, s)) return 0;
    const int32_t prevEnd = s > 0 ? map.sectors[s - 1].wallptr + map.sectors[s - 1].wallnum : 0;
    const int32_t first = clampTo(prevEnd, 0, map.wallCount);
    const int32_t nextStart = s < map.sectorCount - 1 ? map.sectors[s + 1].wallptr : map.wallCount;
    const int32_t end = clampTo(nextStart, first, map.wallCount);
    const int32_t n = end - first;

    if (map.sectorSelected[s]) {
        map.sectorSelected[s] = 0;
        --map.selectedSectorCount;
    }
    sparksAlongWalls(map, events, first, end);

    moveSectorEntries(map, s, s + 1, map.sectorCount - s - 1);
    --map.sectorCount;
    clearSectorEntries(map, map.sectorCount, 1);
    shiftLaterRanges(map, s, first, n);

    removeWallBlock(map, first, n);
    for (int32_t i = 0; i < map.wallCount; ++i)
        if (map.walls[i].nextsector > s)
            map.walls[i].nextsector = wrapToInt16(map.walls[i].nextsector - 1);

    if (map.booleanTargetSector == s)
        map.booleanTargetSector = -2;
    else if (map.booleanTargetSector > s)
        --map.booleanTargetSector;
    updateWallSectnums(map);
    if (map.startSector > s) {
        --map.startSector;
    } else if (map.startSector == s) {
        updateStartPosSectnum(map);
    }
    events.objectsRenumbered();
    map.spriteStacksValid = 0;
    return n;
}

bool deleteSectorWos(MapStore& map, MapEvents& events, int32_t s) {
    if (!isSector(map, s)) return false;
    deleteSectorCore(map, events, s);
    const SectorSearch search(map);
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        int16_t& sectnum = map.sprites[k].sectnum;
        if (sectnum > s) --sectnum;
        if (sectnum == s) updateSpriteSectnum(map, search, k);
    }
    return true;
}

bool deleteSector(MapStore& map, MapEvents& events, int32_t s) {
    if (!isSector(map, s)) return false;
    deleteSectorCore(map, events, s);
    for (int32_t k = 0; k < map.spriteCount;) {
        int16_t& sectnum = map.sprites[k].sectnum;
        if (sectnum == s) {
            deleteSprite(map, events, k);
            continue;
        }
        if (sectnum > s) --sectnum;
        ++k;
    }
    return true;
}

LoopDeletion deleteLoop(MapStore& map, MapEvents& events, int32_t w) {
    const int32_t s = sectorOfWall(map, w);
    if (s < 0) return LoopDeletion::Refused;
    const SectorRecord& sec = map.sectors[s];
    // The loop must close within its sector and be one contiguous run of the sector's walls.
    int32_t n = 0, lo = w, hi = w;
    bool closed = false;
    for (int32_t cur = w; n <= sec.wallnum;) {
        ++n;
        lo = std::min(lo, cur);
        hi = std::max(hi, cur);
        cur = map.walls[cur].point2;
        if (cur == w) {
            closed = true;
            break;
        }
        if (!isWall(map, cur) || cur < sec.wallptr || cur >= sec.wallptr + sec.wallnum) break;
    }
    if (!closed || hi - lo + 1 != n) {
        events.statusMessage(kMsgDamagedMap);
        return LoopDeletion::Refused;
    }
    map.selectedLoopCount = 0;
    if (n >= sec.wallnum) {
        deleteSectorWos(map, events, s);
        return LoopDeletion::Sector;
    }
    sparksAlongWalls(map, events, lo, lo + n);
    removeWallBlock(map, lo, n);
    map.sectors[s].wallnum = wrapToInt16(map.sectors[s].wallnum - n);
    shiftLaterRanges(map, s + 1, lo, n);
    updateWallSectnums(map);
    events.objectsRenumbered();
    return LoopDeletion::Loop;
}

bool moveSectorSp(MapStore& map, MapEvents& events, int32_t from, int32_t to) {
    if (!isSector(map, from) || !isSector(map, to)) return false;
    if (from == to) return true;
    const int32_t lo = std::min(from, to), hi = std::max(from, to);
    for (int32_t k = lo; k <= hi; ++k) {
        const bool follows = k == hi || map.sectors[k + 1].wallptr ==
                                            map.sectors[k].wallptr + map.sectors[k].wallnum;
        if (!blockInArray(map, k) || !follows) {
            events.statusMessage(kMsgDamagedMap);
            return false;
        }
    }
    const int32_t f = map.sectors[from].wallptr, fn = map.sectors[from].wallnum;
    const int32_t t = map.sectors[to].wallptr, tn = map.sectors[to].wallnum;
    const int32_t first = map.sectors[lo].wallptr;
    const int32_t end = map.sectors[hi].wallptr + map.sectors[hi].wallnum;
    const bool up = from < to;
    auto newWall = [=](int32_t i) -> int32_t {
        if (i < first || i >= end) return i;
        if (i >= f && i < f + fn) return up ? i + (t + tn - f - fn) : t + (i - f);
        return up ? i - fn : i + fn;
    };
    auto newSector = [=](int32_t k) -> int32_t {
        if (k == from) return to;
        if (up && k > from && k <= to) return k - 1;
        if (!up && k >= to && k < from) return k + 1;
        return k;
    };

    reorderWallBlock(map, first, end - first, newWall);
    renumberWallIndices(map, newWall);
    for (int32_t i = 0; i < map.wallCount; ++i)
        if (map.walls[i].nextsector >= 0)
            map.walls[i].nextsector = int16_t(newSector(map.walls[i].nextsector));
    for (int32_t k = 0; k < map.spriteCount; ++k)
        if (map.sprites[k].sectnum >= 0)
            map.sprites[k].sectnum = int16_t(newSector(map.sprites[k].sectnum));
    if (map.startSector >= 0) map.startSector = int16_t(newSector(map.startSector));
    if (map.booleanTargetSector >= 0) map.booleanTargetSector = newSector(map.booleanTargetSector);

    moveSectorEntry(map, from, to);
    if (up) {
        for (int32_t k = from; k < to; ++k)
            map.sectors[k].wallptr = wrapToInt16(map.sectors[k].wallptr - fn);
    } else {
        for (int32_t k = to + 1; k <= from; ++k)
            map.sectors[k].wallptr = wrapToInt16(map.sectors[k].wallptr + fn);
    }
    map.sectors[to].wallptr = wrapToInt16(up ? t + tn - fn : t);

    updateWallSectnums(map);
    events.objectsRenumbered();
    map.spriteStacksValid = 0;
    return true;
}

bool setSectorFirstWall(MapStore& map, MapEvents& events, int32_t s, int32_t w) {
    if (!isSector(map, s)) return false;
    if (!blockInArray(map, s)) {
        events.statusMessage(kMsgDamagedMap);
        return false;
    }
    const int32_t p = map.sectors[s].wallptr, num = map.sectors[s].wallnum;
    if (w < p || w >= p + num) return false;

    // The stored loop that holds w: a loop begins where the previous wall does not lead on.
    int32_t loopStart = w;
    while (loopStart > p && map.walls[loopStart - 1].point2 == loopStart) --loopStart;
    int32_t loopEnd = w;
    while (loopEnd + 1 < p + num && map.walls[loopEnd].point2 == loopEnd + 1) ++loopEnd;
    const int32_t len = loopEnd - loopStart + 1;
    const int32_t after = p + num - 1 - loopEnd;  // walls of the loops stored after it

    for (int32_t i = p; i < p + num; ++i)
        if (map.walls[i].nextwall >= 0) {
            const int32_t t = map.walls[i].nextwall;
            if (isWall(map, t) && t != i && map.walls[t].nextwall == i) {
                map.walls[t].nextwall = -1;
                map.walls[t].nextsector = -1;
            }
            map.walls[i].nextwall = -1;
            map.walls[i].nextsector = -1;
        }

    auto newWall = [=](int32_t i) -> int32_t {
        if (i < p || i >= p + num) return i;
        if (i >= loopStart && i <= loopEnd) return p + (i - w + len) % len;
        if (i > loopEnd) return p + len + (i - loopEnd - 1);
        return p + len + after + (i - p);
    };
    reorderWallBlock(map, p, num, newWall);
    renumberWallIndices(map, newWall);

    for (int32_t i = p; i < p + num; ++i) map.wallPassMark[i] |= kPassRelink;
    if (p + num < map.wallCount) map.wallPassMark[p + num] |= kPassRelink;
    relinkMarkedWalls(map, events);
    return true;
}

void makeSelectedWallsFirst(MapStore& map, MapEvents& events) {
    int32_t total = 0;
    for (int32_t i = 0; i < map.wallCount; ++i)
        if (map.wallSelected[i] == 1) ++total;
    ProgressScope progress(events, total);
    for (int32_t i = 0; i < map.wallCount; ++i) {
        if (map.wallSelected[i] != 1) continue;
        const int32_t s = sectorOfWall(map, i);
        if (s >= 0) setSectorFirstWall(map, events, s, i);
        progress.step();
    }
}

}  // namespace korvel
