#include "geometry/SectorBooleans.h"

#include <vector>

#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "geometry/OutlineFeed.h"
#include "geometry/SectorDeletion.h"
#include "geometry/WallPrimitives.h"
#include "map/GeometryQueries.h"
#include "map/WallTables.h"

namespace korvel {

namespace {

constexpr double kOnWall = 0.001;

struct Range {
    int32_t first = 0, count = 0;
    int32_t end() const { return first + count; }
    bool holds(int32_t w) const { return w >= first && w < end(); }
};

Range rangeOf(const MapStore& map, int32_t s) {
    return {map.sectors[s].wallptr, map.sectors[s].wallnum};
}

IntPoint endOf(const MapStore& map, int32_t w) {
    return wallStart(map, map.walls[w].point2);
}

IntPoint rounded(DoublePoint p) {
    return {safeFloor(p.x + 0.5), safeFloor(p.y + 0.5)};
}

// Whether vertex p lies inside wall j (not on its ends) within the tolerance.
bool liesInside(const MapStore& map, int32_t j, IntPoint p) {
    const IntPoint c = wallStart(map, j), d = endOf(map, j);
    if (p == c || p == d) return false;
    return distToSegment(c.x, c.y, d.x, d.y, p.x, p.y) < kOnWall;
}

// The vertices of `from`'s walls that lie on walls of `into` become vertices of `into`. A scan
// starts again after each insertion, a bounded number of times.
bool insertVerticesOn(MapStore& map, MapEvents& events, int32_t from, int32_t into) {
    for (int32_t k = 0; k < rangeOf(map, from).count; ++k) {
        const int32_t i = rangeOf(map, from).first + k;
        const IntPoint p = wallStart(map, i);
        int32_t budget = rangeOf(map, into).count + 1;
        for (int32_t j = rangeOf(map, into).first; j < rangeOf(map, into).end(); ++j) {
            if (!liesInside(map, j, p)) continue;
            if (--budget < 0) break;
            if (!insertWallAfter(map, events, j, p.x, p.y)) return false;
            j = rangeOf(map, into).first - 1;
        }
    }
    return true;
}

// Step one of every operation: each crossing of the two outlines becomes a vertex of both, in
// order of distance along each wall of the lower sector.
bool insertExactCrossings(MapStore& map, MapEvents& events, int32_t lo, int32_t hi) {
    int32_t again = 0;
    for (int32_t i = rangeOf(map, lo).first; i < rangeOf(map, lo).end();) {
        const IntPoint s = wallStart(map, i), e = endOf(map, i);
        double best = kFarDistance;
        int32_t winner = -1;
        DoublePoint at;
        for (int32_t j = rangeOf(map, hi).first; j < rangeOf(map, hi).end(); ++j) {
            const IntPoint c = wallStart(map, j), d = endOf(map, j);
            const DoublePoint p = segIntersectExact(c.x, c.y, d.x, d.y, s.x, s.y, e.x, e.y);
            if (p.x == kNoIntersectionF && p.y == kNoIntersectionF) continue;
            const double dist = distDouble(s.x, s.y, p.x, p.y);
            if (dist < best) {
                best = dist;
                winner = j;
                at = p;
            }
        }
        if (winner < 0) {
            ++i;
            again = 0;
            continue;
        }
        const IntPoint r = rounded(at);
        bool progress = false;
        if (!(r == s)) {
            if (!insertWallAfter(map, events, i, r.x, r.y)) return false;
            ++winner;
            progress = true;
        }
        if (!(r == wallStart(map, winner))) {
            if (!insertWallAfter(map, events, winner, r.x, r.y)) return false;
            progress = true;
        }
        if (!(r == s)) {
            ++i;
            again = 0;
        } else if (!progress || ++again > rangeOf(map, hi).count + 1) {
            // Nothing changed, or no end in sight where products lose exactness: move on.
            ++i;
            again = 0;
        }
    }
    return true;
}

// The same with rounded crossings, each wall examined once, and with keepSecond nothing
// inserted into `second`.
bool insertRoundedCrossings(MapStore& map, MapEvents& events, int32_t lo, int32_t hi,
                            int32_t second, bool keepSecond) {
    for (int32_t i = rangeOf(map, lo).first; i < rangeOf(map, lo).end(); ++i) {
        const IntPoint s = wallStart(map, i), e = endOf(map, i);
        int32_t best = kFarDistanceLong;
        int32_t winner = -1;
        IntPoint at;
        for (int32_t j = rangeOf(map, hi).first; j < rangeOf(map, hi).end(); ++j) {
            const IntPoint c = wallStart(map, j), d = endOf(map, j);
            const IntPoint p = segIntersectRounded(c.x, c.y, d.x, d.y, s.x, s.y, e.x, e.y);
            if (p.x == kNoIntersection && p.y == kNoIntersection) continue;
            const int32_t dist =
                safeFloor(distSingle(float(s.x), float(s.y), float(p.x), float(p.y)));
            if (dist < best) {
                best = dist;
                winner = j;
                at = p;
            }
        }
        if (winner < 0) continue;
        const bool intoLo = !(keepSecond && lo == second), intoHi = !(keepSecond && hi == second);
        if (!(at == s) && intoLo) {
            if (!insertWallAfter(map, events, i, at.x, at.y)) return false;
            ++winner;
        }
        if (!(at == wallStart(map, winner)) && intoHi)
            if (!insertWallAfter(map, events, winner, at.x, at.y)) return false;
    }
    return true;
}

struct Variant {
    bool loFlip, hiFlip;          // flag = 2 - x instead of x
    int8_t loShared, hiShared;    // on-edge walls kept: 1 same direction, -1 reversed, 0 none
    bool fromHiFirst;             // the loop starts in the higher sector when it can
    bool lastWall;                // the loop starts at the last free wall, not the first
    bool loBackward, hiBackward;  // the operand's walls are followed backwards
    bool otherFirst;              // at a vertex the other operand is searched first
};

Variant variantOf(BooleanKind kind) {
    switch (kind) {
        case BooleanKind::Join:
            return {false, false, 0, 1, true, false, false, false, true};
        case BooleanKind::Intersect:
            return {true, true, 0, 1, true, true, false, false, true};
        case BooleanKind::SubtractAB:
            return {false, true, 0, -1, false, false, false, true, false};
        case BooleanKind::SubtractBA:
            return {true, false, -1, -1, true, false, true, false, true};
    }
    return {};
}

// Whether an edge of `other` runs between p and q (same) or between q and p (reversed).
bool hasEdge(const MapStore& map, Range other, IntPoint p, IntPoint q, bool reversed) {
    for (int32_t k = other.first; k < other.end(); ++k) {
        const IntPoint c = wallStart(map, k), d = endOf(map, k);
        if (reversed ? (c == q && d == p) : (c == p && d == q)) return true;
    }
    return false;
}

void classify(const MapStore& map, int32_t self, int32_t other, bool flip, int8_t shared,
              std::vector<uint8_t>& flags, int32_t base) {
    const Range mine = rangeOf(map, self), theirs = rangeOf(map, other);
    for (int32_t w = mine.first; w < mine.end(); ++w) {
        const IntPoint p = wallStart(map, w), q = endOf(map, w);
        const int32_t x =
            isPointInSector(map, (double(p.x) + q.x) / 2, (double(p.y) + q.y) / 2, other);
        int32_t flag = flip ? 2 - x : x;
        if (flag == 1 && shared != 0 && hasEdge(map, theirs, p, q, shared < 0)) flag = 0;
        flags[size_t(w - base)] = uint8_t(flag);
    }
}

struct Tracer {
    const MapStore& map;
    Variant v;
    Range lo, hi;
    std::vector<uint8_t>&
        flags;  // by wall - lo.first; 0 kept and free, 1 dropped, 2 dropped or used
    int32_t base;

    uint8_t& flag(int32_t w) { return flags[size_t(w - base)]; }
    bool backward(int32_t w) const { return hi.holds(w) ? v.hiBackward : v.loBackward; }

    int32_t firstFree(Range r, bool last) {
        int32_t found = -1;
        for (int32_t w = r.first; w < r.end(); ++w)
            if (flag(w) == 0) {
                found = w;
                if (!last) break;
            }
        return found;
    }

    int32_t loopStart() {
        const int32_t inLo = firstFree(lo, v.lastWall), inHi = firstFree(hi, v.lastWall);
        if (v.fromHiFirst) return inHi >= 0 ? inHi : inLo;
        return inLo >= 0 ? inLo : inHi;
    }

    int32_t nextWall(int32_t current, IntPoint at, int32_t loopFirst) {
        const bool inHi = hi.holds(current);
        const Range mine = inHi ? hi : lo, other = inHi ? lo : hi;
        const Range order[2] = {v.otherFirst ? other : mine, v.otherFirst ? mine : other};
        for (const Range r : order) {
            for (int32_t w = r.first; w < r.end(); ++w) {
                if (flag(w) != 0 && w != loopFirst) continue;
                const IntPoint near = backward(w) ? endOf(map, w) : wallStart(map, w);
                if (near == at) return w;
            }
        }
        return -1;
    }

    // The next loop of the result; false when no free wall is left.
    bool traceLoop(Outline& out) {
        const int32_t first = loopStart();
        if (first < 0) return false;
        int32_t c = first;
        for (int32_t steps = 0; steps <= lo.count + hi.count; ++steps) {
            const bool back = backward(c);
            out.push_back(back ? endOf(map, c) : wallStart(map, c));
            flag(c) = 2;
            const IntPoint next = back ? wallStart(map, c) : endOf(map, c);
            const int32_t w = nextWall(c, next, first);
            if (w < 0 || w == first) break;
            c = w;
        }
        return true;
    }
};

int32_t templateFor(const MapStore& map, int32_t a, int32_t b, IntPoint p, IntPoint q) {
    int32_t t = map.sectors[a].wallptr;
    for (const int32_t s : {a, b}) {
        const Range r = rangeOf(map, s);
        for (int32_t k = r.first; k < r.end(); ++k)
            if (wallStart(map, k) == p && endOf(map, k) == q) {
                t = k;
                break;
            }
    }
    return t;
}

bool operandsUsable(const MapStore& map, MapEvents& events, int32_t a, int32_t b, bool quiet) {
    if (!isSector(map, a) || !isSector(map, b)) {
        if (!quiet) events.statusMessage(kMsgNoSuchSectorOrWall);
        return false;
    }
    if (a == b) {
        if (!quiet) events.statusMessage(kMsgSameSectorTwice);
        return false;
    }
    if (!sectorBlockIsSound(map, a) || !sectorBlockIsSound(map, b)) {
        events.statusMessage(kMsgDamagedMap);
        return false;
    }
    return true;
}

}  // namespace

BooleanResult combineSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, BooleanKind kind,
                             int32_t a, int32_t b, BooleanOptions options) {
    if (!operandsUsable(map, events, a, b, options.quiet)) return BooleanResult::Refused;
    const MapBackup backup(map);
    const auto giveUp = [&] {
        backup.restore(map);
        return BooleanResult::Refused;
    };
    const int32_t lo = a < b ? a : b, hi = a < b ? b : a;
    const Variant v = variantOf(kind);
    bool made = false;
    {
        FeedBatch batch(feed);
        if (!insertExactCrossings(map, events, lo, hi) || !insertVerticesOn(map, events, lo, hi) ||
            !insertVerticesOn(map, events, hi, lo))
            return giveUp();

        const Range rl = rangeOf(map, lo), rh = rangeOf(map, hi);
        if (rh.first < rl.end()) return giveUp();
        const int32_t base = rl.first;
        std::vector<uint8_t> flags(size_t(rh.end() - base), 1);
        classify(map, lo, hi, v.loFlip, v.loShared, flags, base);
        classify(map, hi, lo, v.hiFlip, v.hiShared, flags, base);

        // The traced loops are gathered first: the feed appends the result after every wall,
        // so the operands keep their numbers while the loops are built.
        std::vector<Outline> loops;
        Tracer tracer{map, v, rl, rh, flags, base};
        for (int32_t guard = 0; guard <= rl.count + rh.count; ++guard) {
            Outline out;
            if (!tracer.traceLoop(out)) break;
            loops.push_back(std::move(out));
        }
        int64_t corners = 0;
        for (const Outline& o : loops) corners += int64_t(o.size());
        if (!roomFor(map, events, corners, 1)) return giveUp();

        FeedMode mode = FeedMode::NewSector;
        const int32_t sectorsBefore = map.sectorCount;
        for (const Outline& o : loops) {
            const FeedResult r = feedOutline(feed, mode, map.sectorCount - 1, o);
            if (r == FeedResult::Refused) return giveUp();
            if (r == FeedResult::Made) mode = FeedMode::FurtherLoop;
        }
        made = map.sectorCount == sectorsBefore + 1;
        if (!made && map.sectorCount != sectorsBefore) return giveUp();

        const int32_t result = map.sectorCount - 1;
        if (made) {
            const Range r = rangeOf(map, result);
            for (int32_t w = r.first; w < r.end(); ++w)
                copyWallLook(map, w, templateFor(map, a, b, wallStart(map, w), endOf(map, w)),
                             true);
            copySectorLook(map, result, a);
        }
        if (!options.keepOperands) {
            if (!deleteSectorWos(map, events, a)) return giveUp();
            if (!deleteSectorWos(map, events, b > a ? b - 1 : b)) return giveUp();
        }
        if (made) linkSectorWalls(map, events, map.sectorCount - 1, feed.autoWallSquare());
    }
    if (!made && !options.quiet) events.statusMessage(kMsgNothingCombined);
    return made ? BooleanResult::Made : BooleanResult::Empty;
}

bool intersectSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b) {
    return combineSectors(map, events, feed, BooleanKind::Intersect, a, b) == BooleanResult::Made;
}
bool joinSectors(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b) {
    return combineSectors(map, events, feed, BooleanKind::Join, a, b) == BooleanResult::Made;
}
bool subtractSectorsAB(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b) {
    return combineSectors(map, events, feed, BooleanKind::SubtractAB, a, b) == BooleanResult::Made;
}
bool subtractSectorsBA(MapStore& map, MapEvents& events, ShapeFeed& feed, int32_t a, int32_t b) {
    return combineSectors(map, events, feed, BooleanKind::SubtractBA, a, b) == BooleanResult::Made;
}

void insertCrossingVertices(MapStore& map, MapEvents& events, int32_t s, int32_t cutter,
                            int32_t keepSecond) {
    if (!isSector(map, s) || !isSector(map, cutter) || s == cutter || !sectorBlockIsSound(map, s) ||
        !sectorBlockIsSound(map, cutter))
        return;
    const MapBackup backup(map);
    const int32_t lo = s < cutter ? s : cutter, hi = s < cutter ? cutter : s;
    const bool keep = keepSecond != 0;
    bool ok = insertRoundedCrossings(map, events, lo, hi, cutter, keep);
    if (ok && !(keep && hi == cutter)) ok = insertVerticesOn(map, events, lo, hi);
    if (ok && !(keep && lo == cutter)) ok = insertVerticesOn(map, events, hi, lo);
    if (!ok) backup.restore(map);
}

bool joinSelectedSectors(MapStore& map, MapEvents& events, ShapeFeed& feed) {
    int32_t selected = 0;
    for (int32_t s = 0; s < map.sectorCount; ++s) selected += map.sectorSelected[s] != 0;
    map.selectedSectorCount = selected;
    bool joined = false;
    for (int32_t round = 0; round + 1 < selected; ++round) {
        int32_t first = -1, second = -1;
        for (int32_t s = 0; s < map.sectorCount && second < 0; ++s) {
            if (!map.sectorSelected[s]) continue;
            (first < 0 ? first : second) = s;
        }
        if (second < 0) break;
        const BooleanResult r =
            combineSectors(map, events, feed, BooleanKind::Join, first, second, {false, true});
        if (r == BooleanResult::Refused) break;
        joined = true;
        if (r == BooleanResult::Made) {
            map.sectorSelected[map.sectorCount - 1] = 1;
        }
        int32_t count = 0;
        for (int32_t s = 0; s < map.sectorCount; ++s) count += map.sectorSelected[s] != 0;
        map.selectedSectorCount = count;
    }
    if (joined) events.statusMessage(kMsgSectorsJoined);
    return joined;
}

}  // namespace korvel
