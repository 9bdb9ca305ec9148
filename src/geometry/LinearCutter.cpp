#include "geometry/LinearCutter.h"

#include <algorithm>
#include <vector>

#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "geometry/OutlineFeed.h"
#include "geometry/WallLinks.h"
#include "geometry/WallPrimitives.h"
#include "geometry/WallTexture.h"
#include "map/GeometryQueries.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr double kOnSegment = 0.0001;

struct Meeting {
    IntPoint at;
    int32_t wall = -1;
    int32_t key = 0;
};

IntPoint endOf(const MapStore& map, int32_t w) {
    return wallStart(map, map.walls[w].point2);
}

double dist(IntPoint a, IntPoint b) {
    return distDouble(a.x, a.y, b.x, b.y);
}

bool shownSectorWall(const MapStore& map, int32_t w) {
    const int32_t s = sectorOfWall(map, w);
    return s >= 0 && map.sectorIgnored[s] == 0 && isWall(map, map.walls[w].point2);
}

std::vector<Meeting> collectMeetings(const MapStore& map, IntPoint c1, IntPoint c2) {
    std::vector<Meeting> list;
    const double length = dist(c1, c2);
    const auto add = [&](IntPoint p, int32_t w) {
        if (!list.empty() && list.back().at == p && map.walls[w].nextwall < 0) return;
        list.push_back({p, w, 0});
    };
    for (int32_t w = 0; w < map.wallCount; ++w) {
        if (!shownSectorWall(map, w)) continue;
        const IntPoint s = wallStart(map, w), e = endOf(map, w);
        const IntPoint p = segIntersectRounded(s.x, s.y, e.x, e.y, c1.x, c1.y, c2.x, c2.y);
        if (!(p.x == kNoIntersection && p.y == kNoIntersection)) add(p, w);
        const double wallLength = dist(s, e);
        if (dist(c1, s) + dist(c2, s) - length < kOnSegment)
            add(s, w);
        else if (dist(s, c1) + dist(e, c1) - wallLength < kOnSegment)
            add(c1, w);
        else if (dist(s, c2) + dist(e, c2) - wallLength < kOnSegment)
            add(c2, w);
    }
    for (Meeting& m : list)
        m.key = safeFloor(distSingle(float(c1.x), float(c1.y), float(m.at.x), float(m.at.y)));
    std::stable_sort(list.begin(), list.end(),
                     [](const Meeting& a, const Meeting& b) { return a.key < b.key; });
    return list;
}

// The vertices of the cut. A two-sided wall's twin, which follows it in the list, takes the
// very vertex its side got, so that the two stay one shared wall.
bool insertMeetingVertices(MapStore& map, MapEvents& events, std::vector<Meeting>& list) {
    struct Pending {
        IntPoint at, wallStart, wallEnd;
    };
    bool havePending = false;
    Pending pending;
    for (size_t k = 0; k < list.size(); ++k) {
        int32_t& w = list[k].wall;
        const IntPoint s = wallStart(map, w), e = endOf(map, w);
        if (list[k].at == s) continue;
        if (list[k].at == e) {
            w = map.walls[w].point2;
            continue;
        }
        if (havePending && s == pending.wallEnd && e == pending.wallStart) {
            list[k].at = pending.at;
            havePending = false;
        } else {
            havePending = map.walls[w].nextwall >= 0;
            pending = {list[k].at, s, e};
        }
        const int32_t inserted = w;
        if (!insertWallAfter(map, events, inserted, list[k].at.x, list[k].at.y)) return false;
        checkWallPointer(map, events, inserted, false, false);
        checkWallPointer(map, events, map.walls[inserted].point2, false, false);
        for (Meeting& m : list)
            if (m.wall > inserted) ++m.wall;
        events.progressStep();
    }
    return true;
}

}  // namespace

bool linearCutter(MapStore& map, MapEvents& events, ShapeFeed& feed, const CutSegment& cut,
                  bool bounded, bool verticesOnly) {
    const IntPoint c1{cut.x1, cut.y1}, c2{cut.x2, cut.y2};
    FeedBatch batch(feed);
    int32_t startSector = -1;
    for (int32_t s = 0; s < map.sectorCount && startSector < 0; ++s)
        if (map.sectorIgnored[s] == 0 && isPointInSector(map, c1.x, c1.y, s) == 2) startSector = s;

    std::vector<Meeting> list = collectMeetings(map, c1, c2);
    if (bounded)
        for (size_t k = 0; k < list.size(); ++k)
            if (!(list[k].at == c1) && map.walls[list[k].wall].nextwall < 0) {
                list.resize(k + 1);
                break;
            }
    if (list.empty()) {
        events.statusMessage(kMsgCutMetNothing);
        return false;
    }
    const MapBackup backup(map);
    events.progressBegin(int32_t(list.size()));
    const bool inserted = insertMeetingVertices(map, events, list);
    events.progressEnd();
    if (!inserted) {
        backup.restore(map);
        return false;
    }
    if (verticesOnly) return true;

    events.progressBegin(int32_t(list.size()));
    IntPoint previous = c1;
    bool same = false, open = false;
    for (size_t k = 0; k < list.size(); ++k) {
        const IntPoint p = list[k].at;
        if (!(p == previous) || !same) {
            same = p == previous;
            if (!(startSector != -1 && k == 0)) {
                const bool drawing = feed.pressDrawing(p.x, p.y);
                if (drawing && open) {
                    // The piece split nothing: its end starts the next piece.
                    feed.dropDrawing();
                    open = false;
                    previous = p;
                    --k;
                    continue;
                }
                open = drawing ? true : false;
            }
        }
        previous = p;
        events.progressStep();
    }
    events.progressEnd();
    if (open) feed.dropDrawing();
    return true;
}

bool splitWallsAtVertices(MapStore& map, MapEvents& events, bool autoWallSquare) {
    bool split = false;
    events.progressBegin(map.wallCount);
    for (int32_t p = map.wallCount - 1; p >= 0; --p) {
        if (map.wallIgnored[p] != 0 || !map.wallSelected[p] || !isWall(map, map.walls[p].point2))
            continue;
        int32_t piece = p;
        map.wallPassMark[p] |= kPassRelink;
        for (int32_t o = map.wallCount - 1; o >= 0; --o) {
            if (map.wallIgnored[o] != 0 || o == piece) continue;
            const IntPoint v = wallStart(map, o), s = wallStart(map, piece), e = endOf(map, piece);
            if (v == s || v == e || distToSegment(s.x, s.y, e.x, e.y, v.x, v.y) >= 1.0) continue;
            if (!insertWallAfter(map, events, piece, v.x, v.y)) {
                events.progressEnd();
                relinkMarkedWalls(map, events);
                return split;
            }
            split = true;
            if (o > piece) ++o;
            ++piece;  // the second piece, from v to the old end, is tested on
            map.wallPassMark[piece] |= kPassRelink;
        }
        events.progressStep();
        if (piece != p) ++p;  // the first piece is examined again
    }
    events.progressEnd();
    // Every piece is linked, the new ones too (they are not selected).
    relinkMarkedWalls(map, events);
    if (autoWallSquare)
        for (int32_t w = 0; w < map.wallCount; ++w)
            if (map.wallIgnored[w] == 0 && map.wallSelected[w]) squareWallTexture(map, w);
    return split;
}

}  // namespace korvel
