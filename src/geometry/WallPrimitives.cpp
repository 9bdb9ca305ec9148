#include "geometry/WallPrimitives.h"

#include "base/ValueConv.h"
#include "geometry/SectorDeletion.h"
#include "geometry/WallLinks.h"
#include "geometry/WallMarks.h"
#include "geometry/WallTexture.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr int32_t kMaxWallsPerSector = 32767;  // wallnum is a 16-bit field

int16_t grownIndex(int16_t v, int32_t above) {
    return v > above ? wrapToInt16(v + 1) : v;
}

bool sectorHasRoom(const MapStore& map, int32_t s, int32_t extra) {
    return s < 0 || map.sectors[s].wallnum <= kMaxWallsPerSector - extra;
}

void squareAndRelink(MapStore& map, MapEvents& events, int32_t w, bool autoWallSquare) {
    if (autoWallSquare) squareWallTexture(map, w);
    checkWallPointer(map, events, w, false, false);
}

// Moves the start point of every wall marked StartPoint or BothPoints to m.
void moveMarkedStarts(MapStore& map, IntPoint m) {
    for (int32_t i = 0; i < map.wallCount; ++i) {
        const int16_t mark = map.wallMoveState[i];
        if (mark == int16_t(WallMoveState::StartPoint) ||
            mark == int16_t(WallMoveState::BothPoints)) {
            map.walls[i].x = m.x;
            map.walls[i].y = m.y;
        }
    }
}

}  // namespace

// Unlinks w, and its twin when the twin points back.
void unlinkBothSides(MapStore& map, int32_t w) {
    WallRecord& a = map.walls[w];
    const int32_t t = a.nextwall;
    if (isWall(map, t) && t != w && map.walls[t].nextwall == w) {
        map.walls[t].nextwall = -1;
        map.walls[t].nextsector = -1;
    }
    a.nextwall = -1;
    a.nextsector = -1;
}

bool insertWallAfter(MapStore& map, MapEvents& events, int32_t w, int32_t x, int32_t y) {
    if (!isWall(map, w)) return false;
    const int32_t s = sectorOfWall(map, w);
    if (map.wallCount >= kMaxWalls || !sectorHasRoom(map, s, 1)) {
        events.statusMessage(kMsgNoRoomForWalls);
        return false;
    }
    const int32_t oldTwin = map.walls[w].nextwall;
    for (int32_t k = 0; k < map.sectorCount; ++k)
        if (map.sectors[k].wallptr > w)
            map.sectors[k].wallptr = wrapToInt16(map.sectors[k].wallptr + 1);

    moveWallEntries(map, w + 2, w + 1, map.wallCount - w - 1);
    ++map.wallCount;
    for (int32_t i = 0; i < map.wallCount; ++i) {
        if (i == w + 1) continue;
        map.walls[i].nextwall = grownIndex(map.walls[i].nextwall, w);
        map.walls[i].point2 = grownIndex(map.walls[i].point2, w);
    }
    renumberMoveList(map, [w](int32_t v) { return v > w ? v + 1 : v; });

    map.walls[w + 1] = map.walls[w];
    map.walls[w + 1].x = x;
    map.walls[w + 1].y = y;
    map.walls[w].point2 = wrapToInt16(w + 1);
    clearWallEntries(map, w + 1, 1);
    map.wallIgnored[w + 1] = map.wallIgnored[w];
    map.wallSector[w + 1] = map.wallSector[w];

    const int32_t twin = oldTwin > w ? oldTwin + 1 : oldTwin;
    if (isWall(map, twin) && twin != w && twin != w + 1 && map.walls[twin].nextwall == w) {
        map.walls[twin].nextwall = -1;
        map.walls[twin].nextsector = -1;
    }
    for (int32_t piece : {w, w + 1}) {
        map.walls[piece].nextwall = -1;
        map.walls[piece].nextsector = -1;
    }
    if (s >= 0) map.sectors[s].wallnum = wrapToInt16(map.sectors[s].wallnum + 1);
    updateWallSectnums(map);
    return true;
}

bool insertVertex(MapStore& map, MapEvents& events, int32_t w, int32_t x, int32_t y,
                  bool autoWallSquare) {
    if (!isWall(map, w)) return false;
    const int32_t t = map.walls[w].nextwall;
    const bool twoSided = isWall(map, t) && t != w && map.walls[t].nextwall == w;

    const IntPoint p{x, y};
    IntPoint end;
    if (p == wallStart(map, w) || (wallEnd(map, w, end) && p == end)) return false;
    if (twoSided && (p == wallStart(map, t) || (wallEnd(map, t, end) && p == end))) return false;

    const int32_t sw = sectorOfWall(map, w);
    const int32_t st = twoSided ? sectorOfWall(map, t) : -1;
    const bool room = map.wallCount + (twoSided ? 2 : 1) <= kMaxWalls &&
                      sectorHasRoom(map, sw, sw == st ? 2 : 1) &&
                      sectorHasRoom(map, st, sw == st ? 2 : 1);
    if (!room) {
        events.statusMessage(kMsgNoRoomForWalls);
        return false;
    }

    if (!twoSided) {
        insertWallAfter(map, events, w, x, y);
        squareAndRelink(map, events, w, autoWallSquare);
        squareAndRelink(map, events, w + 1, autoWallSquare);
        return true;
    }
    int32_t w0, t0;  // first halves after both splits
    if (w > t) {
        insertWallAfter(map, events, w, x, y);
        insertWallAfter(map, events, t, x, y);
        w0 = w + 1;
        t0 = t;
    } else {
        insertWallAfter(map, events, t, x, y);
        insertWallAfter(map, events, w, x, y);
        w0 = w;
        t0 = t + 1;
    }
    // No half has zero length, so relinking removes no wall and the indices stay put.
    for (int32_t half : {w0, w0 + 1, t0, t0 + 1})
        squareAndRelink(map, events, half, autoWallSquare);
    return true;
}

bool deleteWallSng(MapStore& map, MapEvents& events, int32_t w) {
    if (!isWall(map, w)) return false;
    {
        // The second wall of a two-wall loop: remove the first, so the loop's start is kept.
        const int32_t n = map.walls[w].point2;
        if (isWall(map, n) && n != w && n < w && map.walls[n].point2 == w) w = n;
    }
    const int32_t s = sectorOfWall(map, w);
    if (s >= 0 && map.sectors[s].wallnum <= 2) {
        deleteSectorWos(map, events, s);
        return true;
    }
    deselectWallRange(map, w, 1);
    events.sparksAtPoint(map.walls[w].x, map.walls[w].y);
    unlinkBothSides(map, w);

    int32_t q = map.walls[w].point2;
    // The wall before w will end where w ended; unless w had no length, its link no longer
    // fits and is cut on both sides.
    IntPoint end;
    const bool endMoves = !(wallEnd(map, w, end) && end == wallStart(map, w));
    if (q > w) --q;

    for (int32_t k = 0; k < map.sectorCount; ++k)
        if (map.sectors[k].wallptr > w)
            map.sectors[k].wallptr = wrapToInt16(map.sectors[k].wallptr - 1);

    moveWallEntries(map, w, w + 1, map.wallCount - w - 1);
    --map.wallCount;
    clearWallEntries(map, map.wallCount, 1);
    renumberMoveList(map, [w](int32_t v) { return v == w ? -1 : v > w ? v - 1 : v; });
    for (int32_t i = 0; i < map.wallCount; ++i) {
        WallRecord& r = map.walls[i];
        if (r.nextwall == w) {
            r.nextwall = -1;
            r.nextsector = -1;
        } else if (r.nextwall > w) {
            r.nextwall = wrapToInt16(r.nextwall - 1);
        }
        if (r.point2 == w) {
            r.point2 = wrapToInt16(q);
            if (endMoves) map.wallPassMark[i] |= kPassUnlink;
        } else if (r.point2 > w)
            r.point2 = wrapToInt16(r.point2 - 1);
    }
    // Only now that every index is renumbered can both sides of those links be found.
    for (int32_t i = 0; i < map.wallCount; ++i)
        if (map.wallPassMark[i] & kPassUnlink) {
            map.wallPassMark[i] &= uint8_t(~kPassUnlink);
            unlinkBothSides(map, i);
        }
    if (s >= 0) map.sectors[s].wallnum = wrapToInt16(map.sectors[s].wallnum - 1);

    bool sectorGone = false;
    if (s >= 0 && w < map.wallCount && w < map.sectors[s].wallptr + map.sectors[s].wallnum &&
        map.walls[w].point2 == w)
        sectorGone = deleteLoop(map, events, w) == LoopDeletion::Sector;
    updateWallSectnums(map);
    events.objectsRenumbered();
    if (s >= 0 && !sectorGone && map.sectors[s].wallnum <= 2) {
        updateWallSectnums(map);
        deleteSector(map, events, s);
    }
    return true;
}

bool deleteWall(MapStore& map, MapEvents& events, int32_t w, bool skipMerge) {
    if (!isWall(map, w)) return false;
    if (!skipMerge) {
        IntPoint end;
        if (wallEnd(map, w, end)) {
            const IntPoint start = wallStart(map, w);
            const IntPoint mid{int32_t((int64_t(start.x) + end.x) / 2),
                               int32_t((int64_t(start.y) + end.y) / 2)};
            findMovWalls(map, map.walls[w].point2);
            moveMarkedStarts(map, mid);
            findMovWalls(map, w);
            moveMarkedStarts(map, mid);
        }
        map.movedWallCount = 0;
    }
    const int32_t t = map.walls[w].nextwall;
    if (isWall(map, t) && t != w && map.walls[t].nextwall == w) {
        // Removing the twin may take a whole sector or loop with it: follow w by a mark.
        map.wallPassMark[w] |= kPassFollow;
        deleteWallSng(map, events, t);
        w = nextMarkedWall(map, 0, kPassFollow);
        if (w >= map.wallCount) return true;
        map.wallPassMark[w] &= uint8_t(~kPassFollow);
    }
    deleteWallSng(map, events, w);
    return true;
}

bool deleteVertex(MapStore& map, MapEvents& events, int32_t v) {
    if (!isWall(map, v)) return false;
    findMovWalls(map, v);
    // Each deletion may take more walls with it (a degenerate loop or sector); the marks move
    // with the walls, so the scan resumes low enough not to miss one.
    for (int32_t i = 0; i < map.wallCount;) {
        if (map.wallMoveState[i] != int16_t(WallMoveState::StartPoint)) {
            ++i;
            continue;
        }
        const int32_t before = map.wallCount;
        deleteWallSng(map, events, i);
        const int32_t removed = before - map.wallCount;
        if (removed == 0) {
            map.wallMoveState[i] = 0;
            ++i;
        } else {
            i = i > removed ? i - removed : 0;
        }
    }
    for (int32_t j = 0; j < map.wallCount;) {
        if (map.wallMoveState[j] != int16_t(WallMoveState::EndPoint)) {
            ++j;
            continue;
        }
        map.wallMoveState[j] = 0;
        const int32_t before = map.wallCount;
        checkWallPointer(map, events, j, false, false);
        const int32_t removed = before - map.wallCount;
        j = removed == 0 ? j + 1 : (j > removed ? j - removed : 0);
    }
    map.movedWallCount = 0;
    return true;
}

}  // namespace korvel
