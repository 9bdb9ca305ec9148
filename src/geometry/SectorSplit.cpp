#include "geometry/SectorSplit.h"

#include <string>
#include <vector>

#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "geometry/OutlineFeed.h"
#include "geometry/SectorDeletion.h"
#include "map/GeometryQueries.h"
#include "map/LoopOrientation.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr double kOnLine = 1e-10;
constexpr int32_t kMaxPathSegments = 1 << 20;

IntPoint endOf(const MapStore& map, int32_t w) {
    return wallStart(map, map.walls[w].point2);
}

double sideOf(IntPoint from, IntPoint to, IntPoint p) {
    if (from == to) return 0;
    return signedDistToLine(from.x, from.y, to.x, to.y, p.x, p.y);
}

bool strictlyOneSide(double s1, double s2) {
    return (s1 >= kOnLine && s2 >= kOnLine) || (s1 <= -kOnLine && s2 <= -kOnLine);
}

// Whether the direction from the vertex of w towards p leaves the sector there.
bool leavesAt(const MapStore& map, int32_t w, IntPoint p) {
    const IntPoint v = wallStart(map, w);
    const IntPoint prev = wallStart(map, getPrevWall(map, w));
    const IntPoint next = endOf(map, w);
    if (prev == next) return false;
    const double u = sideOf(v, next, p), s = sideOf(prev, v, p), d = sideOf(prev, next, v);
    return d > 0 ? (u < 0 && s < 0) : (u < 0 || s < 0);
}

bool crossesLoop(const MapStore& map, int32_t w, const std::vector<int32_t>& loop) {
    const IntPoint a = wallStart(map, w), b = endOf(map, w);
    for (int32_t k : loop) {
        if (k == w) continue;
        const IntPoint c = wallStart(map, k), d = endOf(map, k);
        if (segmentsCrossStrict(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y)) return true;
    }
    return false;
}

IntPoint pathPoint(const SplitPath& path, int32_t j) {
    return {path.xs[j], path.ys[j]};
}

SplitState allowedState(const MapStore& map, const SplitPath& path, int32_t a, int32_t b,
                        bool eitherSide, bool skipEdgeTest) {
    if (!isWall(map, a) || !isWall(map, b) || !path.xs || !path.ys) return SplitState::Refused;
    const int32_t m = path.m;
    if (m < 1 || m > kMaxPathSegments) return SplitState::Refused;
    const int32_t s = sectorOfWall(map, a);
    if (s < 0 || sectorOfWall(map, b) != s || !sectorBlockIsSound(map, s))
        return SplitState::Refused;
    const int32_t first = map.sectors[s].wallptr, n = map.sectors[s].wallnum;

    // Loop relation.
    SplitState state = SplitState::Refused;
    if (a == b) {
        state = SplitState::SplitsSector;
    } else {
        int32_t w = a;
        for (int32_t steps = 0; steps <= n && steps < 32767; ++steps) {
            w = map.walls[w].point2;
            if (w == b) {
                state = SplitState::SplitsSector;
                break;
            }
            if (w == a) {
                state = SplitState::JoinsLoops;
                break;
            }
        }
    }
    if (state == SplitState::Refused) return state;
    if (state == SplitState::SplitsSector && m <= 1 &&
        (map.walls[a].point2 == b || map.walls[b].point2 == a))
        return SplitState::Refused;

    // The path against the walls.
    for (int32_t j = 0; j < m; ++j) {
        const IntPoint p = pathPoint(path, j), q = pathPoint(path, j + 1);
        for (int32_t k = first; k < first + n; ++k) {
            const IntPoint c = wallStart(map, k), d = endOf(map, k);
            if (segmentsCrossStrict(c.x, c.y, d.x, d.y, p.x, p.y, q.x, q.y))
                return SplitState::Refused;
            if (distToSegment(p.x, p.y, q.x, q.y, c.x, c.y) < kOnLine) {
                const IntPoint before = wallStart(map, getPrevWall(map, k));
                if (eitherSide || !strictlyOneSide(sideOf(p, q, before), sideOf(p, q, d)))
                    return SplitState::Refused;
            }
        }
        if (!eitherSide &&
            isPointInSector(map, (double(p.x) + q.x) / 2, (double(p.y) + q.y) / 2, s) < 1)
            return SplitState::Refused;
    }

    // Which way the path leaves its two ends.
    const int32_t leaving = int32_t(leavesAt(map, b, pathPoint(path, 1))) +
                            int32_t(leavesAt(map, a, pathPoint(path, m - 1)));
    if (eitherSide ? (leaving % 2 == 1) : (leaving > 0)) return SplitState::Refused;

    const std::vector<int32_t> loopB = loopOf(map, b);
    if (state == SplitState::JoinsLoops) {
        const std::vector<int32_t> loopA = loopOf(map, a);
        if (crossesLoop(map, b, loopB) || crossesLoop(map, getPrevWall(map, b), loopB) ||
            crossesLoop(map, a, loopA) || crossesLoop(map, getPrevWall(map, a), loopA))
            return SplitState::Refused;
    } else if (!skipEdgeTest) {
        for (int32_t j = 0; j < m; ++j) {
            const IntPoint p = pathPoint(path, j), q = pathPoint(path, j + 1);
            for (int32_t k : loopB) {
                const IntPoint c = wallStart(map, k), d = endOf(map, k);
                if ((c == p && d == q) || (c == q && d == p)) return SplitState::Refused;
            }
        }
    }
    return state;
}

// A place of the trace: a wall of the sector, or a point of the path walked one way.
struct Cursor {
    bool onWall = true;
    int32_t wall = -1;
    int32_t index = 0;
    int32_t step = 1;
};

Cursor onWall(int32_t w) {
    return {true, w, 0, 1};
}
Cursor onPath(int32_t index, int32_t step) {
    return {false, -1, index, step};
}

struct Trace {
    const MapStore& map;
    const std::vector<IntPoint>& path;
    int32_t a, b;
    bool closed;
    __int128 area;
    std::vector<uint8_t>& used;

    // One outline; false when the walk does not end within its bound (a damaged ring).
    bool run(Cursor c, bool secondOutline, Outline& out) const {
        const int32_t m = int32_t(path.size()) - 1;
        const int64_t bound = int64_t(map.wallCount) + 2 * int64_t(m) + 4;
        for (int64_t steps = 0; steps < bound; ++steps) {
            if (c.onWall) {
                if (used[size_t(c.wall)]) return true;
                out.push_back(wallStart(map, c.wall));
                used[size_t(c.wall)] = 1;
                const int32_t next = map.walls[c.wall].point2;
                if (closed)
                    c = area > 0 ? onPath(0, 1) : onPath(m, -1);
                else if (next == a)
                    c = onPath(m, -1);
                else if (next == b)
                    c = onPath(0, 1);
                else
                    c = onWall(next);
                continue;
            }
            out.push_back(path[size_t(c.index)]);
            c.index += c.step;
            if (c.step > 0 && c.index >= m) return true;
            if (c.step < 0 && c.index <= 0) {
                if (secondOutline) return true;
                c = onWall(b);
            }
        }
        return false;
    }
};

int32_t templateWall(const MapStore& map, int32_t s, int32_t a, IntPoint p, IntPoint q) {
    const int32_t first = map.sectors[s].wallptr, n = map.sectors[s].wallnum;
    for (int32_t k = first; k < first + n; ++k)
        if (wallStart(map, k) == p && endOf(map, k) == q) return k;
    return a;
}

}  // namespace

SplitState allowSectorSplit(const MapStore& map, const SplitPath& path, int32_t a, int32_t b,
                            bool eitherSide, bool skipEdgeTest) {
    return allowedState(map, path, a, b, eitherSide, skipEdgeTest);
}

bool splitSector(MapStore& map, MapEvents& events, ShapeFeed& feed, const SplitPath& path,
                 int32_t a, int32_t b) {
    if (!isWall(map, a) || !isWall(map, b) || !path.xs || !path.ys || path.m < 1 ||
        path.m > kMaxPathSegments)
        return false;
    const int32_t s = sectorOfWall(map, a);
    if (s < 0 || sectorOfWall(map, b) != s || !sectorBlockIsSound(map, s)) return false;
    const int32_t m = path.m;
    std::vector<IntPoint> points(size_t(m) + 1);
    for (int32_t j = 0; j <= m; ++j) points[size_t(j)] = pathPoint(path, j);

    const bool closed = a == b;
    __int128 area = 0;
    if (closed) {
        for (int32_t i = 0; i < m; ++i) {
            const IntPoint p = points[size_t(i)], q = points[size_t((i + 1) % m)];
            area += __int128(int64_t(p.y) + q.y) * (int64_t(q.x) - p.x);
        }
        if (area == 0) return false;
    }
    const int32_t wallnum = map.sectors[s].wallnum;
    if (!roomFor(map, events, int64_t(wallnum) + 2 * (int64_t(m) + 1), 2)) return false;

    const MapBackup backup(map);
    const auto giveUp = [&] {
        backup.restore(map);
        events.statusMessage(kMsgDamagedMap);
        return false;
    };
    const int32_t sectorsBefore = map.sectorCount;
    std::vector<uint8_t> used(size_t(map.wallCount), 0);
    const Trace trace{map, points, a, b, closed, area, used};
    bool single = false;
    {
        FeedBatch batch(feed);
        feed.holdLinks();

        Outline first;
        if (!trace.run(onWall(a), false, first) ||
            feedOutline(feed, FeedMode::NewSector, -1, first) != FeedResult::Made)
            return giveUp();
        single = used[size_t(b)] && !closed;
        if (!single) {
            Outline second;
            const Cursor start = !closed ? onWall(b) : area >= 0 ? onPath(m, -1) : onPath(0, 1);
            if (!trace.run(start, true, second) ||
                feedOutline(feed, FeedMode::NewSector, -1, second) != FeedResult::Made)
                return giveUp();
        }
        if (map.sectorCount != sectorsBefore + (single ? 1 : 2)) return giveUp();

        // The loops no outline took go to the part that holds them.
        const int32_t firstWall = map.sectors[s].wallptr;
        for (int32_t g = firstWall; g < firstWall + wallnum; ++g) {
            if (used[size_t(g)]) continue;
            const int32_t newest = map.sectorCount - 1;
            int32_t target = newest;
            if (!single) {
                const bool hole = isWallLoopClockwise(map, g);
                const int32_t r =
                    isPointInSectorByLoop(map, map.walls[g].x, map.walls[g].y, newest);
                if (r != 0)
                    target = (r > 0) != !hole ? newest : newest - 1;
                else
                    target =
                        isWallLoopClockwise(map, map.sectors[newest].wallptr) ? newest : newest - 1;
            }
            const std::vector<int32_t> loop = loopOf(map, g);
            if (loop.empty()) return giveUp();
            Outline outline;
            for (int32_t w : loop) {
                outline.push_back(wallStart(map, w));
                used[size_t(w)] = 1;
            }
            if (feedOutline(feed, FeedMode::FurtherLoop, target, outline) != FeedResult::Made)
                return giveUp();
        }

        const int32_t newest = map.sectorCount - 1;
        for (int32_t part = single ? newest : newest - 1; part <= newest; ++part) {
            const int32_t from = map.sectors[part].wallptr;
            for (int32_t w = from; w < from + map.sectors[part].wallnum; ++w)
                copyWallLook(map, w, templateWall(map, s, a, wallStart(map, w), endOf(map, w)),
                             true);
            copySectorLook(map, part, s);
        }
        if (!deleteSectorWos(map, events, s)) return giveUp();
        const int32_t last = map.sectorCount - 1;
        for (int32_t part = single ? last : last - 1; part <= last; ++part)
            if (part >= 0) linkSectorWalls(map, events, part, feed.autoWallSquare());
    }
    if (single)
        events.statusMessage(kMsgSectorReshaped);
    else
        events.statusMessage(kMsgSectorSplit, {std::to_string(s)});
    return true;
}

}  // namespace korvel
