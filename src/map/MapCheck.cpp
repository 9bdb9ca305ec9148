#include "map/MapCheck.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <vector>

#include "base/Mainm.h"
#include "base/MessageNumbers.h"
#include "map/GeometryQueries.h"
#include "map/LoopOrientation.h"
#include "map/WallChains.h"
#include "map/WallRanges.h"

namespace korvel {

namespace {

// Codes of the checks, kept in each entry.
enum Code : uint8_t {
    NoSectors = 0,
    NoWalls = 1,
    TooManySectors = 2,
    TooManyWalls = 3,
    TooManySprites = 4,
    StartSectorMissing = 5,
    StartOutside = 6,
    FloorAboveCeiling = 7,
    RangeNotFollowing = 8,
    LastRangeNotEnding = 9,
    FloorWidth = 10,
    FloorHeight = 11,
    CeilingWidth = 12,
    CeilingHeight = 13,
    FloorNoPicture = 14,
    CeilingNoPicture = 15,
    Crossing = 16,
    HalfLinked = 17,
    NextWallMissing = 18,
    NextSectorMissing = 19,
    NextSectorWrong = 20,
    NotLinkedBack = 21,
    TwinEndsElsewhere = 22,
    LoopOpen = 23,
    ZeroLength = 24,
    WallNoPicture = 25,
    MaskedNoPicture = 26,
    SpriteSectorMissing = 27,
    SpriteOutside = 28,
    LoopNotStored = 29,
    InnerLoopOutside = 30,
    OuterLoopInside = 31,
    ManyWalls = 32,
    WallOutsideRanges = 33,
    Point2OutOfRange = 34,
    ShortLoop = 35,
    FloorTileOutOfRange = 36,
    CeilingTileOutOfRange = 37,
    WallTileOutOfRange = 38,
    MaskedTileOutOfRange = 39,
    SpriteTileOutOfRange = 40,
};

constexpr int32_t msg(int32_t offset) {
    return kMsgCheckNoSectors + offset;
}
constexpr uint8_t kSectorError = CheckKind::Sector | CheckKind::Structural;
constexpr uint8_t kWallError = CheckKind::Wall | CheckKind::Structural;
constexpr uint8_t kSpriteError = CheckKind::Sprite | CheckKind::Structural;
constexpr uint8_t kMapError = CheckKind::WholeMap | CheckKind::Structural;

bool isTile(int32_t t) {
    return t >= 0 && t < kTileCount;
}

// A size counts as a power of two when log2 of it is a whole number (1 included).
bool isPowerOfTwo(int32_t n) {
    if (n <= 0) return false;
    const double x = std::log(double(n)) / std::log(2.0);
    return x == double(safeFloor(x));
}

// Hands findings on and counts those the sink has no room for.
struct Findings {
    CheckSink& sink;
    int64_t leftOut = 0;
    void add(int32_t object, uint8_t kind, uint8_t code, int32_t message, std::string arg = {}) {
        if (!sink.add({object, kind, code, message, std::move(arg)})) ++leftOut;
    }
};

// The map's counts as far as the arrays reach, so that a count beyond its capacity is reported
// and never read past.
struct Counts {
    int32_t sectors, walls, sprites;
    // The counts are within the arrays, so the geometry queries (which trust them) may run.
    bool queriesSafe = true;
    int32_t clampWall(int32_t w) const { return std::max(0, std::min(w, walls - 1)); }
    int32_t clampSector(int32_t s) const { return std::max(0, std::min(s, sectors - 1)); }
};

int32_t bounded(int32_t count, int32_t capacity) {
    return std::clamp(count, 0, capacity);
}

// A wall as a segment from its start to the start of its (clamped) point2.
struct Seg {
    int32_t x1, y1, x2, y2;
};

// The crossing test of one wall w against another wall j of its sector: they cross in their
// open middles, neither is the other's successor, and no end lies on (within 1e-7 of) the other
// wall's line.
class CrossingTest {
public:
    CrossingTest(const MapStore& map, const Counts& n) : map_(map), n_(n) {}
    Seg seg(int32_t w) const {
        const WallRecord& a = map_.walls[w];
        const WallRecord& b = map_.walls[n_.clampWall(a.point2)];
        return {a.x, a.y, b.x, b.y};
    }
    bool operator()(int32_t w, int32_t j) const {
        if (j == w || j == map_.walls[w].point2 || w == map_.walls[j].point2) return false;
        const Seg a = seg(w), b = seg(j);
        if (!segmentsCrossOpen(a.x1, a.y1, a.x2, a.y2, b.x1, b.y1, b.x2, b.y2)) return false;
        auto near = [](double d) { return std::fabs(d) < 1e-7; };
        return !(near(signedDistToLine(a.x1, a.y1, a.x2, a.y2, b.x1, b.y1)) ||
                 near(signedDistToLine(a.x1, a.y1, a.x2, a.y2, b.x2, b.y2)) ||
                 near(signedDistToLine(b.x1, b.y1, b.x2, b.y2, a.x1, a.y1)) ||
                 near(signedDistToLine(b.x1, b.y1, b.x2, b.y2, a.x2, a.y2)));
    }

private:
    const MapStore& map_;
    const Counts& n_;
};

// The crossings of every wall: how many each wall has, and the first ones in report order
// (by wall, then by the crossed wall), as many as a report list can hold. Kept pairs beyond that
// could never reach the list.
class Crossings {
public:
    static constexpr size_t kKept = 4096;
    explicit Crossings(int32_t walls) : count_(size_t(walls), 0) {}

    void add(int32_t w, int32_t j) {
        ++count_[size_t(w)];
        const Pair p{w, j};
        if (kept_.size() < kKept) {
            kept_.push(p);
        } else if (p < kept_.top()) {
            kept_.pop();
            kept_.push(p);
        }
    }
    // Sorted; call once after every add.
    void finish() {
        sorted_.reserve(kept_.size());
        while (!kept_.empty()) {
            sorted_.push_back(kept_.top());
            kept_.pop();
        }
        std::reverse(sorted_.begin(), sorted_.end());
    }
    int32_t countOf(int32_t w) const { return count_[size_t(w)]; }
    // The kept crossings of w, in order; advances through the sorted list.
    template <typename F>
    int32_t forEachKept(int32_t w, F&& f) {
        int32_t n = 0;
        while (next_ < sorted_.size() && sorted_[next_].w < w) ++next_;
        while (next_ < sorted_.size() && sorted_[next_].w == w) {
            f(sorted_[next_++].j);
            ++n;
        }
        return n;
    }

private:
    struct Pair {
        int32_t w, j;
        bool operator<(const Pair& o) const { return w != o.w ? w < o.w : j < o.j; }
    };
    std::vector<int32_t> count_;
    std::priority_queue<Pair> kept_;  // the largest kept pair on top
    std::vector<Pair> sorted_;
    size_t next_ = 0;
};

// Every wall w owned by sector s is tested against every wall j of s's range. Walls far apart in
// x cannot cross, so a long range is swept in order of x.
void findCrossings(const MapStore& map, const Counts& n, const std::vector<int16_t>& owner,
                   Crossings& out) {
    const CrossingTest crosses(map, n);
    std::vector<std::vector<int32_t>> owned(size_t(n.sectors));
    for (int32_t w = 0; w < n.walls; ++w)
        if (owner[size_t(w)] >= 0) owned[size_t(owner[size_t(w)])].push_back(w);

    struct Span {
        int32_t wall;
        int64_t x0, x1;
    };
    std::vector<Span> spans, active;
    for (int32_t s = 0; s < n.sectors; ++s) {
        if (owned[size_t(s)].empty()) continue;
        const SectorRecord& sec = map.sectors[s];
        const int32_t first = n.clampWall(sec.wallptr);
        const int32_t last = n.clampWall(int32_t(sec.wallptr) + sec.wallnum - 1);
        if (last < first) continue;
        const std::vector<int32_t>& mine = owned[size_t(s)];
        if (mine.size() <= 16 || last - first < 64) {
            for (const int32_t w : mine)
                for (int32_t j = first; j <= last; ++j)
                    if (crosses(w, j)) out.add(w, j);
            continue;
        }
        spans.clear();
        for (int32_t j = first; j <= last; ++j) {
            const Seg g = crosses.seg(j);
            spans.push_back({j, std::min<int64_t>(g.x1, g.x2), std::max<int64_t>(g.x1, g.x2)});
        }
        std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) {
            return a.x0 != b.x0 ? a.x0 < b.x0 : a.wall < b.wall;
        });
        active.clear();
        for (const Span& cur : spans) {
            size_t keep = 0;
            for (const Span& other : active) {
                if (other.x1 < cur.x0) continue;
                active[keep++] = other;
                if (owner[size_t(cur.wall)] == s && crosses(cur.wall, other.wall))
                    out.add(cur.wall, other.wall);
                if (owner[size_t(other.wall)] == s && crosses(other.wall, cur.wall))
                    out.add(other.wall, cur.wall);
            }
            active.resize(keep);
            active.push_back(cur);
        }
    }
    out.finish();
}

void checkWholeMap(const MapStore& map, Findings& f) {
    if (map.sectorCount <= 0) f.add(0, kMapError, NoSectors, msg(0));
    if (map.wallCount <= 0) f.add(0, kMapError, NoWalls, msg(1));
    if (map.sectorCount > kMaxSectors) f.add(0, kMapError, TooManySectors, msg(2));
    if (map.wallCount > 16384) f.add(0, kMapError, ManyWalls, msg(32));
    if (map.wallCount > kMaxWalls) f.add(0, kMapError, TooManyWalls, msg(3));
    if (map.spriteCount > kMaxSprites) f.add(0, kMapError, TooManySprites, msg(4));
}

void checkStart(const MapStore& map, const Counts& n, Findings& f) {
    const int32_t s = map.startSector;
    if (s < 0 || s >= n.sectors)
        f.add(0, CheckKind::WholeMap, StartSectorMissing, msg(5), std::to_string(s));
    else if (pointInSectorOrOnEdge(map, map.startX, map.startY, s) == 0)
        f.add(0, CheckKind::WholeMap, StartOutside, msg(6), std::to_string(s));
}

int32_t widthOf(const TileSizes& t, int32_t tile) {
    return size_t(tile) < t.widths.size() ? t.widths[size_t(tile)] : 0;
}
int32_t heightOf(const TileSizes& t, int32_t tile) {
    return size_t(tile) < t.heights.size() ? t.heights[size_t(tile)] : 0;
}

// The floor's or the ceiling's picture: missing, or (option) not a power of two in size.
void checkPlaneTile(const TileSizes& tiles, int32_t s, int32_t picnum, uint16_t stat, bool option,
                    uint8_t missingCode, uint8_t widthCode, uint8_t heightCode, Findings& f) {
    const int32_t t = clampTile(picnum);
    const int32_t w = widthOf(tiles, t), h = heightOf(tiles, t);
    if (w == 0 || h == 0) {
        f.add(s, kSectorError, missingCode, msg(missingCode == FloorNoPicture ? 9 : 10));
        return;
    }
    if (!option || (stat & 1) != 0) return;
    const int32_t widthMsg = msg(widthCode == FloorWidth ? 11 : 13);
    if (!isPowerOfTwo(w)) f.add(s, CheckKind::Sector, widthCode, widthMsg, std::to_string(picnum));
    if (!isPowerOfTwo(h))
        f.add(s, CheckKind::Sector, heightCode, widthMsg + 1, std::to_string(picnum));
}

void checkSectors(const MapStore& map, const Counts& n, const TileSizes& tiles, bool option,
                  MapEvents& events, Findings& f) {
    events.progressBegin(n.sectors);
    for (int32_t s = 0; s < n.sectors; ++s) {
        const SectorRecord& sec = map.sectors[s];
        if (sec.wallnum < 3) f.add(s, CheckKind::Sector, TooManyWalls, msg(31));
        if (sec.floorz < sec.ceilingz) f.add(s, CheckKind::Sector, FloorAboveCeiling, msg(7));
        const int32_t end = int32_t(sec.wallptr) + sec.wallnum;
        if (s + 1 < n.sectors) {
            if (end != map.sectors[s + 1].wallptr)
                f.add(s, kSectorError, RangeNotFollowing, msg(8));
        } else if (end != map.wallCount) {
            f.add(s, kSectorError, LastRangeNotEnding, msg(8));
        }
        checkPlaneTile(tiles, s, sec.floorpicnum, sec.floorstat, option, FloorNoPicture, FloorWidth,
                       FloorHeight, f);
        checkPlaneTile(tiles, s, sec.ceilingpicnum, sec.ceilingstat, option, CeilingNoPicture,
                       CeilingWidth, CeilingHeight, f);
        if (!isTile(sec.floorpicnum))
            f.add(s, kSectorError, FloorTileOutOfRange, kMsgCheckFloorTileOutOfRange,
                  std::to_string(sec.floorpicnum));
        if (!isTile(sec.ceilingpicnum))
            f.add(s, kSectorError, CeilingTileOutOfRange, kMsgCheckCeilingTileOutOfRange,
                  std::to_string(sec.ceilingpicnum));
        events.progressStep();
    }
}

// What the wall pass needs besides the records: each wall's owner by the current ranges (-1
// when no range holds it), the point2 chains and the crossings.
struct WallFacts {
    std::vector<int16_t> owner;
    WallChains chains;
};

// How many steps a walk around the loop of a wall of sector s may take: its wall count, but
// never more than the walls (a negative count would never stop the walk).
int32_t walkBound(const MapStore& map, const Counts& n, int32_t s) {
    if (n.sectors == 0) return n.walls;
    const int32_t wallnum = map.sectors[n.clampSector(s)].wallnum;
    return wallnum < 0 ? n.walls : std::min(wallnum, n.walls);
}

void checkWalls(const MapStore& map, const Counts& n, const TileSizes& tiles, bool option,
                const WallFacts& facts, Crossings& crossings, MapEvents& events, Findings& f) {
    events.progressBegin(n.walls);
    const WallChains& ch = facts.chains;
    for (int32_t w = 0; w < n.walls; ++w) {
        const WallRecord& wall = map.walls[w];
        const int32_t s = facts.owner[size_t(w)];
        const int32_t p2 = n.clampWall(wall.point2);

        if (s >= 0) {
            const int32_t kept = crossings.forEachKept(
                w, [&](int32_t j) { f.add(w, kWallError, Crossing, msg(15), std::to_string(j)); });
            f.leftOut += crossings.countOf(w) - kept;
        }

        if ((wall.nextwall == -1) != (wall.nextsector == -1)) {
            f.add(w, kWallError, HalfLinked, msg(16));
        } else if (wall.nextwall != -1) {
            if (wall.nextwall < 0 || wall.nextwall >= n.walls)
                f.add(w, kWallError, NextWallMissing, msg(17));
            if (wall.nextsector < 0 || wall.nextsector >= n.sectors)
                f.add(w, kWallError, NextSectorMissing, msg(18));
            const int32_t twin = n.clampWall(wall.nextwall);
            if (wall.nextsector != facts.owner[size_t(twin)])
                f.add(w, kWallError, NextSectorWrong, msg(19));
            if (option && map.walls[twin].nextwall != w)
                f.add(w, CheckKind::Wall, NotLinkedBack, msg(20));
            const WallRecord& twinEnd = map.walls[n.clampWall(map.walls[twin].point2)];
            if (wall.x != twinEnd.x || wall.y != twinEnd.y)
                f.add(w, kWallError, TwinEndsElsewhere, msg(21));
        }

        // Following point2 from w comes back to w exactly when w lies on a cycle, after as many
        // steps as the cycle is long; the walk may take its sector's wall count + 1 steps.
        const int32_t cycle = ch.cycleLength[size_t(w)];
        if (cycle == 0 || cycle > walkBound(map, n, s) + 1) f.add(w, kWallError, LoopOpen, msg(22));

        const bool endsLoop = wall.point2 != w + 1;
        if (endsLoop && n.queriesSafe) {
            const int32_t first = p2;
            const bool clockwise = isWallLoopClockwise(map, first);
            const int32_t inside =
                n.sectors == 0 ? 0
                               : isPointInSectorByLoop(map, map.walls[first].x, map.walls[first].y,
                                                       n.clampSector(facts.owner[size_t(first)]));
            if (clockwise && inside < 0) f.add(w, kWallError, InnerLoopOutside, msg(28));
            if (!clockwise && inside > 1) f.add(w, kWallError, OuterLoopInside, msg(29));
        }
        if (endsLoop && s >= 0) {
            // The walk from the loop's first wall towards w meets a wall that does not hand on
            // to the next stored wall before it reaches w, within its step bound.
            const int32_t d = ch.stepsToLoopEnd[size_t(p2)];
            const bool reachesW = cycle > 0 && ch.cycleLength[size_t(p2)] == cycle;
            const bool isW = reachesW && d == cycle - 1;
            const int32_t wallnum = map.sectors[s].wallnum;
            const bool inBound = wallnum < 0 || d < std::max(wallnum, 1);
            if (p2 != w && d != kNoDistance && !isW && inBound)
                f.add(w, kWallError, LoopNotStored, msg(30));
        }

        const WallRecord& end = map.walls[p2];
        if (wall.x == end.x && wall.y == end.y) f.add(w, CheckKind::Wall, ZeroLength, msg(23));
        const int32_t t = clampTile(wall.picnum), o = clampTile(wall.overpicnum);
        if (widthOf(tiles, t) == 0 || heightOf(tiles, t) == 0)
            f.add(w, kWallError, WallNoPicture, msg(24));
        if (widthOf(tiles, o) == 0 || heightOf(tiles, o) == 0)
            f.add(w, CheckKind::Wall, MaskedNoPicture, msg(25));

        if (s < 0) f.add(w, kWallError, WallOutsideRanges, kMsgCheckWallOutsideRanges);
        if (wall.point2 < 0 || wall.point2 >= n.walls)
            f.add(w, kWallError, Point2OutOfRange, kMsgCheckPoint2OutOfRange,
                  std::to_string(wall.point2));
        if (endsLoop && cycle > 0 && cycle < 3) f.add(w, kWallError, ShortLoop, kMsgCheckShortLoop);
        if (!isTile(wall.picnum))
            f.add(w, kWallError, WallTileOutOfRange, kMsgCheckWallTileOutOfRange,
                  std::to_string(wall.picnum));
        if (!isTile(wall.overpicnum))
            f.add(w, kWallError, MaskedTileOutOfRange, kMsgCheckMaskedTileOutOfRange,
                  std::to_string(wall.overpicnum));
        events.progressStep();
    }
}

void checkSprites(const MapStore& map, const Counts& n, bool option, MapEvents& events,
                  Findings& f) {
    events.progressBegin(n.sprites);
    for (int32_t k = 0; k < n.sprites; ++k) {
        if (option) {
            const SpriteRecord& sp = map.sprites[k];
            if (sp.sectnum < 0 || sp.sectnum >= n.sectors)
                f.add(k, CheckKind::Sprite, SpriteSectorMissing, msg(26),
                      std::to_string(sp.sectnum));
            else if (n.queriesSafe && pointInSectorOrOnEdge(map, sp.x, sp.y, sp.sectnum) == 0)
                f.add(k, CheckKind::Sprite, SpriteOutside, msg(27), std::to_string(sp.sectnum));
            if (!isTile(sp.picnum))
                f.add(k, kSpriteError, SpriteTileOutOfRange, kMsgCheckSpriteTileOutOfRange,
                      std::to_string(sp.picnum));
        }
        events.progressStep();
    }
}

}  // namespace

void checkMap(const MapStore& map, const TileSizes& tiles, int32_t option, MapEvents& events,
              CheckSink& sink) {
    Findings f{sink};
    Counts n{bounded(map.sectorCount, kMaxSectors), bounded(map.wallCount, kMaxWalls),
             bounded(map.spriteCount, kMaxSprites)};
    n.queriesSafe =
        n.sectors == map.sectorCount && n.walls == map.wallCount && n.sprites == map.spriteCount;
    const bool opt = option == 1;

    checkWholeMap(map, f);
    if (opt && n.queriesSafe) checkStart(map, n, f);

    struct EndProgress {
        MapEvents& events;
        ~EndProgress() { events.progressEnd(); }
    } endProgress{events};
    checkSectors(map, n, tiles, opt, events, f);

    WallFacts facts;
    facts.owner.assign(size_t(n.walls), -1);
    fillWallOwners(
        n.sectors, n.walls,
        [&](int32_t s) {
            const SectorRecord& sec = map.sectors[s];
            return WallRange{n.clampWall(sec.wallptr),
                             n.clampWall(int32_t(sec.wallptr) + sec.wallnum - 1)};
        },
        facts.owner.data());
    findWallChains(map.walls.data(), n.walls, facts.chains);
    Crossings crossings(n.walls);
    findCrossings(map, n, facts.owner, crossings);
    checkWalls(map, n, tiles, opt, facts, crossings, events, f);
    checkSprites(map, n, opt, events, f);

    if (f.leftOut > 0)
        events.statusMessage(kMsgCheckFindingsLeftOut, {std::to_string(f.leftOut)},
                             int32_t(std::min<int64_t>(f.leftOut, INT32_MAX)));
}

}  // namespace korvel
