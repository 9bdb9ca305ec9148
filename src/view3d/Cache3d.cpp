#include "view3d/Cache3d.h"

#include <algorithm>
#include <cmath>

#include "base/Mainm.h"
#include "map/GeometryQueries.h"

namespace korvel {

Scene3d::Scene3d()
    : surfaceTriangles(kSceneCapacity3d),
      renderTriangles(kSceneCapacity3d),
      renderTriangleDepth(kSceneCapacity3d),
      entryBounds3d(kEntryBlocks3d),
      entryRuns3d(size_t(kEntryBlocks3d) * kEntryBlock3d),
      entryBoundsStale3d(kEntryBlocks3d, 1),
      wallFirstObject3d(kMaxWalls, -1),
      wallObjectSlots3d(kMaxWalls, 0),
      spriteSlots3d(kMaxSprites),
      faceSpriteEntry3d(kMaxSprites, -1),
      sectorSpriteFirst3d(size_t(kMaxSectors) + 1, 0),
      sectorSpriteList3d(kMaxSprites),
      spriteListedSector3d(kMaxSprites, -1),
      planeSlots3d(kMaxSectors),
      planeEars3d(kMaxSectors),
      planeLine3d(kMaxSectors),
      sectorObjectCount3d(kMaxSectors),
      sectorSkipLevel3d(kMaxSectors),
      sectorFrameStatus3d(kMaxSectors),
      selected3d(kObjectCodes3d),
      depthBuffer3d(kCellCount3d, kDepthCleared3d),
      pickBuffer3d(kCellCount3d, -1),
      pickObjectBuffer3d(kCellCount3d, -1),
      frame3dLong(size_t(kImageWidth3d) * kImageHeight3d) {}

namespace {

void blank(Scene3d& sc, int32_t i) {
    sc.surfaceTriangles[i] = SurfaceTriangle{};
    entriesChanged3d(sc, i, 1);
}

// Appends to the static part; false when the cache is full.
bool append(Scene3d& sc, const SurfaceTriangle& t) {
    if (sc.surfaceTriangleCount >= kSceneCapacity3d) {
        sc.cacheFull = true;
        return false;
    }
    entriesChanged3d(sc, sc.surfaceTriangleCount, 1);
    sc.surfaceTriangles[sc.surfaceTriangleCount++] = t;
    return true;
}

// Writes an object's new entries over its reserved slots, blanking what is left over; when they
// need more room, the old slots go blank and the entries move behind the static part (the face
// sprites of the frame are dropped, the next frame rebuilds them).
template <typename T>
bool rewrite(Scene3d& sc, SlotRange3d& slots, const T* tris, int32_t n) {
    if (n <= slots.count && slots.first >= 0) {
        entriesChanged3d(sc, slots.first, slots.count);
        for (int32_t k = 0; k < slots.count; ++k) {
            SurfaceTriangle& dst = sc.surfaceTriangles[slots.first + k];
            if (k < n)
                dst = tris[k];
            else
                dst = SurfaceTriangle{};
        }
        return true;
    }
    for (int32_t k = 0; k < slots.count; ++k) blank(sc, slots.first + k);
    const int32_t at = sc.surfaceTriangleCountBeforeSprites;
    if (at + n > kSceneCapacity3d) {
        sc.cacheFull = true;
        return false;
    }
    for (int32_t k = 0; k < n; ++k) sc.surfaceTriangles[at + k] = tris[k];
    entriesChanged3d(sc, at, n);
    slots = SlotRange3d{at, n};
    sc.surfaceTriangleCountBeforeSprites = at + n;
    sc.surfaceTriangleCount = at + n;
    return true;
}

bool spriteTakesPart(const MapStore& map, int32_t k) {
    return map.spriteIgnored[k] == 0 && !(map.sprites[k].cstat & kSpriteInvisible);
}

bool lineOfSector(const MapStore& map, int32_t s, std::array<int32_t, 4>& line) {
    const SectorRecord& sec = map.sectors[s];
    if (!isWall(map, sec.wallptr)) return false;
    const WallRecord& a = map.walls[sec.wallptr];
    if (!isWall(map, a.point2)) return false;
    const WallRecord& b = map.walls[a.point2];
    line = {a.x, a.y, b.x, b.y};
    return true;
}

// The floor and ceiling entries of a sector's ears, counted ones only.
int32_t planeEntries(const SurfaceSource& src, int32_t s, const std::array<int32_t, 4>& line,
                     const PlaneTriangle3d* ears, int32_t count,
                     std::vector<SurfaceTriangle>& out) {
    out.clear();
    for (int32_t e = 0; e < count; ++e) {
        SurfaceTriangle f, c;
        planeEarTriangles3d(src, s, line, ears[e], f, c);
        if (f.tileWidth >= 1 && f.tileHeight >= 1) out.push_back(f);
        if (c.tileWidth >= 1 && c.tileHeight >= 1) out.push_back(c);
    }
    return int32_t(out.size());
}

// --- Ear cutting in working lists ---

struct Node {
    double x, y;
    int32_t next;
    int32_t loop;
    bool alive;
};

bool crossesProperly(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                     double dy) {
    const double d1 = orient3(cx, cy, dx, dy, ax, ay), d2 = orient3(cx, cy, dx, dy, bx, by);
    const double d3 = orient3(ax, ay, bx, by, cx, cy), d4 = orient3(ax, ay, bx, by, dx, dy);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    // A corner of the other segment lying inside this one also blocks it.
    const auto onInside = [](double px, double py, double x1, double y1, double x2, double y2,
                             double o) {
        if (o != 0) return false;
        const double t = (px - x1) * (x2 - x1) + (py - y1) * (y2 - y1);
        const double l = (x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1);
        return t > 0 && t < l;
    };
    return onInside(cx, cy, ax, ay, bx, by, d3) || onInside(dx, dy, ax, ay, bx, by, d4);
}

bool insideByEdges(const std::vector<Node>& nodes, double px, double py) {
    bool in = false;
    for (const Node& n : nodes) {
        if (!n.alive) continue;
        const Node& m = nodes[n.next];
        if ((n.y > py) != (m.y > py)) {
            const double x = n.x + (py - n.y) * (m.x - n.x) / (m.y - n.y);
            if (x > px) in = !in;
        }
    }
    return in;
}

// Joins the loop of b to the loop of a by a two-way cut from a to b, when the cut runs inside
// the sector and crosses no edge.
bool tryJoin(std::vector<Node>& nodes, int32_t a, int32_t b) {
    const Node A = nodes[a], B = nodes[b];
    if (A.x == B.x && A.y == B.y) return false;
    for (const Node& n : nodes) {
        if (!n.alive) continue;
        const Node& m = nodes[n.next];
        if (crossesProperly(A.x, A.y, B.x, B.y, n.x, n.y, m.x, m.y)) return false;
    }
    if (!insideByEdges(nodes, (A.x + B.x) / 2, (A.y + B.y) / 2)) return false;
    int32_t prevA = -1, prevB = -1;
    for (int32_t i = 0; i < int32_t(nodes.size()); ++i) {
        if (!nodes[i].alive) continue;
        if (nodes[i].next == a) prevA = i;
        if (nodes[i].next == b) prevB = i;
    }
    if (prevA < 0 || prevB < 0) return false;
    // Where earlier cuts left several copies of a corner, the cut must leave from the copy
    // whose corner opens towards the other end, or the joined loop would cross itself.
    const auto opensTowards = [&](int32_t prev, int32_t at, const Node& target) {
        const Node &P = nodes[prev], &C = nodes[at], &N = nodes[C.next];
        const bool leftOfOut = orient3(C.x, C.y, N.x, N.y, target.x, target.y) > 0;
        const bool leftOfIn = orient3(P.x, P.y, C.x, C.y, target.x, target.y) > 0;
        return orient3(P.x, P.y, C.x, C.y, N.x, N.y) > 0 ? leftOfOut && leftOfIn
                                                         : leftOfOut || leftOfIn;
    };
    if (!opensTowards(prevA, a, B) || !opensTowards(prevB, b, A)) return false;
    const int32_t loopA = A.loop, loopB = B.loop;
    const int32_t a2 = int32_t(nodes.size()), b2 = a2 + 1;
    const int32_t oldNextA = A.next;
    nodes.push_back(Node{A.x, A.y, oldNextA, loopA, true});
    nodes.push_back(Node{B.x, B.y, a2, loopA, true});
    nodes[prevB].next = b2;
    nodes[a].next = b;
    for (Node& n : nodes)
        if (n.loop == loopB) n.loop = loopA;
    return true;
}

int32_t loopOf(const std::vector<Node>& nodes, int32_t i) {
    return nodes[i].loop;
}

}  // namespace

bool cutSectorIntoEars3d(const MapStore& map, int32_t s, std::array<int32_t, 4>& line,
                         std::vector<PlaneTriangle3d>& out) {
    if (!isSector(map, s)) return false;
    const SectorRecord& sec = map.sectors[s];
    const int32_t first = sec.wallptr, count = sec.wallnum;
    // Walls outside the arrays, or rings that leave the sector, are not cut.
    if (first < 0 || count < 3 || int64_t(first) + count > map.wallCount) return false;
    std::vector<Node> nodes(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const WallRecord& w = map.walls[first + i];
        if (w.point2 < first || w.point2 >= first + count) return false;
        nodes[i] = Node{double(w.x), double(w.y), w.point2 - first, -1, true};
    }
    int32_t loops = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (nodes[i].loop >= 0) continue;
        int32_t j = i, steps = 0;
        do {
            if (nodes[j].loop >= 0 || steps++ > count) return false;
            nodes[j].loop = loops;
            j = nodes[j].next;
        } while (j != i);
        ++loops;
    }
    line = {map.walls[first].x, map.walls[first].y, map.walls[first + nodes[0].next].x,
            map.walls[first + nodes[0].next].y};
    if (line[0] == line[2] && line[1] == line[3]) return false;

    // Zero-length walls go first; a loop left with fewer than three corners goes with them.
    for (int32_t i = 0; i < count; ++i) {
        if (!nodes[i].alive) continue;
        int32_t guard = 0;
        while (nodes[i].alive && guard++ < count) {
            const int32_t n = nodes[i].next;
            if (n == i || nodes[n].x != nodes[i].x || nodes[n].y != nodes[i].y) break;
            nodes[i].next = nodes[n].next;
            nodes[n].alive = false;
        }
    }
    std::vector<int32_t> loopSize(size_t(loops), 0);
    for (const Node& n : nodes)
        if (n.alive) ++loopSize[n.loop];
    for (Node& n : nodes)
        if (n.alive && loopSize[n.loop] < 3) n.alive = false;
    int32_t liveLoops = 0;
    for (int32_t l = 0; l < loops; ++l) liveLoops += loopSize[l] >= 3;
    if (liveLoops < 1) return false;

    // A damaged sector can ask for a cubic amount of work; past a budget well above what any
    // drawable sector needs it is given up, so that preparing the view always ends.
    const int64_t n0 = int64_t(nodes.size());
    int64_t budget = std::clamp<int64_t>(256 * n0 * n0, 1000000, 400000000);
    const auto spend = [&budget](int64_t work) { return (budget -= work) >= 0; };

    // Holes joined to the outer loop, at most one cut per hole.
    for (int32_t joins = 0; liveLoops > 1 && joins < loops - 1; ++joins) {
        bool joined = false;
        const int32_t n = int32_t(nodes.size());
        for (int32_t a = 0; a < n && !joined; ++a) {
            if (!nodes[a].alive) continue;
            for (int32_t b = 0; b < n && !joined; ++b)
                if (b != a && nodes[b].alive && loopOf(nodes, b) != loopOf(nodes, a)) {
                    if (!spend(int64_t(nodes.size()))) return false;
                    joined = tryJoin(nodes, a, b);
                }
        }
        if (!joined) return false;
        --liveLoops;
    }
    if (liveLoops != 1) return false;

    int32_t remaining = 0;
    for (const Node& n : nodes) remaining += n.alive;
    const auto zAt = [&](double x, double y, bool floor) {
        return double(floor ? floorZAtWithLine(map, int32_t(x), int32_t(y), s, line[0], line[1],
                                               line[2], line[3])
                            : ceilingZAtWithLine(map, int32_t(x), int32_t(y), s, line[0], line[1],
                                                 line[2], line[3]));
    };
    // Each pass removes one corner, or the sector is given up.
    while (remaining >= 3) {
        bool removed = false;
        for (int32_t a = 0; a < int32_t(nodes.size()) && !removed; ++a) {
            if (!nodes[a].alive) continue;
            const int32_t b = nodes[a].next, c = nodes[b].next;
            const Node &A = nodes[a], &B = nodes[b], &C = nodes[c];
            double d = 0;
            const bool same = A.x == C.x && A.y == C.y;
            if (!same) d = signedDistToLine(A.x, A.y, C.x, C.y, B.x, B.y);
            if (same || std::fabs(d) < 1e-10) {
                nodes[a].next = c;
                nodes[b].alive = false;
                removed = true;
                break;
            }
            if (d >= 0) continue;
            bool clear = true;
            if (!spend(int64_t(nodes.size()))) return false;
            if (remaining > 3) {
                for (int32_t j = 0; j < int32_t(nodes.size()) && clear; ++j) {
                    if (!nodes[j].alive || j == a) continue;
                    const Node& J = nodes[j];
                    if (signedDistToLine(A.x, A.y, B.x, B.y, J.x, J.y) > 0 &&
                        signedDistToLine(B.x, B.y, C.x, C.y, J.x, J.y) > 0 &&
                        signedDistToLine(C.x, C.y, A.x, A.y, J.x, J.y) > 0)
                        clear = false;
                }
            }
            if (!clear) continue;
            PlaneTriangle3d ear;
            const Node* corners[3] = {&C, &A, &B};
            for (int k = 0; k < 3; ++k) {
                ear.x[k] = corners[k]->x;
                ear.y[k] = corners[k]->y;
                ear.floorZ[k] = zAt(ear.x[k], ear.y[k], true);
                ear.ceilingZ[k] = zAt(ear.x[k], ear.y[k], false);
            }
            out.push_back(ear);
            nodes[a].next = c;
            nodes[b].alive = false;
            removed = true;
        }
        if (!removed) return false;
        --remaining;
    }
    return true;
}

PrepareCounts3d prepareScene3d(Scene3d& sc, const SurfaceSource& src, double camAngle,
                               const std::function<void()>& progressStep) {
    const MapStore& map = src.map;
    PrepareCounts3d counts;
    sc.surfaceTriangleCount = 0;
    sc.surfaceTriangleCountBeforeSprites = 0;
    sc.renderTriangleCount = 0;
    sc.drawnTriangleCount = 0;
    sc.frame3dCounter = 0;
    sc.loadAverage3d = 0;
    sc.cacheFull = false;
    std::fill(sc.sectorSkipLevel3d.begin(), sc.sectorSkipLevel3d.end(), 0);
    std::fill(sc.wallFirstObject3d.begin(), sc.wallFirstObject3d.end(), -1);
    std::fill(sc.wallObjectSlots3d.begin(), sc.wallObjectSlots3d.end(), 0);
    std::fill(sc.spriteSlots3d.begin(), sc.spriteSlots3d.end(), SlotRange3d{});
    sc.listedSpriteCount3d = -1;
    std::fill(sc.planeSlots3d.begin(), sc.planeSlots3d.end(), SlotRange3d{});
    std::fill(sc.planeEars3d.begin(), sc.planeEars3d.end(), SlotRange3d{});
    sc.planeTriangles.clear();

    const auto ignored = [&](int32_t s) { return map.sectorIgnored[s] != 0; };

    // Walls, sectors in index order.
    WallTriangles3d tris;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        if (ignored(s)) continue;
        const SectorRecord& sec = map.sectors[s];
        const int32_t end = std::min<int32_t>(map.wallCount, int32_t(sec.wallptr) + sec.wallnum);
        for (int32_t w = std::max<int32_t>(0, sec.wallptr); w < end; ++w) {
            if (sc.wallFirstObject3d[w] >= 0) continue;  // overlapping ranges: the first wins
            const int32_t n = wallTriangles3d(src, w, s, tris);
            const int32_t at = sc.surfaceTriangleCount;
            int32_t placed = 0;
            for (int32_t k = 0; k < n; ++k) placed += append(sc, tris[k]);
            sc.wallFirstObject3d[w] = at;
            sc.wallObjectSlots3d[w] = placed;
        }
    }

    // Floors and ceilings, the last sector first.
    std::vector<PlaneTriangle3d> ears;
    std::vector<SurfaceTriangle> entries;
    for (int32_t s = map.sectorCount - 1; s >= 0; --s) {
        if (progressStep) {
            const SectorRecord& sec = map.sectors[s];
            for (int32_t k = 0; k < std::clamp<int32_t>(sec.wallnum, 0, kMaxWalls); ++k)
                progressStep();
        }
        if (ignored(s)) continue;
        ears.clear();
        std::array<int32_t, 4> line{};
        const bool whole = cutSectorIntoEars3d(map, s, line, ears);
        whole ? ++counts.completed : ++counts.givenUp;
        sc.planeLine3d[s] = line;
        sc.planeEars3d[s] = SlotRange3d{int32_t(sc.planeTriangles.size()), int32_t(ears.size())};
        sc.planeTriangles.insert(sc.planeTriangles.end(), ears.begin(), ears.end());
        const int32_t n = planeEntries(src, s, line, ears.data(), int32_t(ears.size()), entries);
        const int32_t at = sc.surfaceTriangleCount;
        int32_t placed = 0;
        for (int32_t k = 0; k < n; ++k) placed += append(sc, entries[k]);
        sc.planeSlots3d[s] = SlotRange3d{at, placed};
    }

    // Wall and floor sprites: two adjacent entries each.
    std::array<SurfaceTriangle, 2> pair;
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!spriteTakesPart(map, k)) continue;
        const SpriteShape3d shape = spriteShape3d(map, k);
        if (shape != SpriteShape3d::Wall && shape != SpriteShape3d::Floor) continue;
        if (!spriteTriangles3d(src, k, camAngle, pair)) continue;
        if (sc.surfaceTriangleCount + 2 > kSceneCapacity3d) {
            sc.cacheFull = true;
            continue;
        }
        sc.spriteSlots3d[k] = SlotRange3d{sc.surfaceTriangleCount, 2};
        append(sc, pair[0]);
        append(sc, pair[1]);
    }
    sc.surfaceTriangleCountBeforeSprites = sc.surfaceTriangleCount;
    buildFaceSpritePolygons3d(sc, src, camAngle);

    // The map's selection, and each sector's share of the cache.
    std::fill(sc.sectorObjectCount3d.begin(), sc.sectorObjectCount3d.end(), 0);
    std::fill(sc.selected3d.begin(), sc.selected3d.end(), 0);
    sc.any3dSelected = 0;
    for (int32_t i = 0; i < sc.surfaceTriangleCount; ++i) {
        const SurfaceTriangle& t = sc.surfaceTriangles[i];
        if (isBlank3d(t)) continue;
        const int32_t index = t.objectCode & 0xFFFF;
        bool selected = false;
        switch (SurfaceKind(t.objectCode >> 16)) {
            case SurfaceKind::Floor:
            case SurfaceKind::Ceiling:
                selected = isSector(map, index) && map.sectorSelected[index];
                break;
            case SurfaceKind::Wall:
            case SurfaceKind::WallPart:
                selected = isWall(map, index) && map.wallSelected[index];
                break;
            case SurfaceKind::Sprite:
                selected = isSprite(map, index) && map.spriteSelected[index];
                break;
        }
        if (selected) {
            sc.selected3d[t.objectCode] = 1;
            sc.any3dSelected = 1;
        }
        if (t.sector >= 0 && t.sector < kMaxSectors) ++sc.sectorObjectCount3d[t.sector];
    }
    sc.prepared = true;
    return counts;
}

void buildFaceSpritePolygons3d(Scene3d& sc, const SurfaceSource& src, double camAngle) {
    const MapStore& map = src.map;
    sc.surfaceTriangleCount = sc.surfaceTriangleCountBeforeSprites;
    // Sprites past the count keep old entries: a refresh finds no pair of theirs where those
    // point, since the pairs built here hold no other entry of their object code.
    std::fill_n(sc.faceSpriteEntry3d.begin(), std::clamp(map.spriteCount, 0, kMaxSprites), -1);
    std::array<SurfaceTriangle, 2> pair;
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        if (!spriteTakesPart(map, k) || spriteShape3d(map, k) != SpriteShape3d::Face) continue;
        if (!spriteTriangles3d(src, k, camAngle, pair)) continue;
        if (sc.surfaceTriangleCount + 2 > kSceneCapacity3d) break;
        sc.faceSpriteEntry3d[size_t(k)] = sc.surfaceTriangleCount;
        entriesChanged3d(sc, sc.surfaceTriangleCount, 2);
        sc.surfaceTriangles[sc.surfaceTriangleCount++] = pair[0];
        sc.surfaceTriangles[sc.surfaceTriangleCount++] = pair[1];
    }
}

bool refreshSectorPlanes3d(Scene3d& sc, const SurfaceSource& src, int32_t s) {
    if (!sc.prepared || !isSector(src.map, s)) return true;
    const SlotRange3d ears = sc.planeEars3d[s];
    if (ears.count <= 0) return true;
    std::array<int32_t, 4> line = sc.planeLine3d[s];
    lineOfSector(src.map, s, line);
    std::vector<SurfaceTriangle> entries;
    const int32_t n =
        planeEntries(src, s, line, &sc.planeTriangles[ears.first], ears.count, entries);
    return rewrite(sc, sc.planeSlots3d[s], entries.data(), n);
}

namespace {

bool rebuildWall(Scene3d& sc, const SurfaceSource& src, int32_t w) {
    if (!isWall(src.map, w) || sc.wallFirstObject3d[w] < 0) return true;
    const int32_t s = sectorOfWall(src.map, w);
    WallTriangles3d tris;
    const int32_t n = s >= 0 ? wallTriangles3d(src, w, s, tris) : 0;
    SlotRange3d slots{sc.wallFirstObject3d[w], sc.wallObjectSlots3d[w]};
    const bool ok = rewrite(sc, slots, tris.data(), n);
    sc.wallFirstObject3d[w] = slots.first;
    sc.wallObjectSlots3d[w] = slots.count;
    return ok;
}

}  // namespace

bool refreshWall3d(Scene3d& sc, const SurfaceSource& src, int32_t w) {
    if (!sc.prepared || !isWall(src.map, w)) return true;
    bool ok = rebuildWall(sc, src, w);
    const int32_t next = src.map.walls[w].nextwall;
    if (isWall(src.map, next) && next != w) ok = rebuildWall(sc, src, next) && ok;
    return ok;
}

bool refreshSprite3d(Scene3d& sc, const SurfaceSource& src, int32_t k, double camAngle) {
    const MapStore& map = src.map;
    if (!sc.prepared || !isSprite(map, k)) return true;
    const int32_t code = objectCode3d(SurfaceKind::Sprite, k);
    std::array<SurfaceTriangle, 2> pair;
    const bool valid = spriteTakesPart(map, k) && spriteTriangles3d(src, k, camAngle, pair);
    const SpriteShape3d shape = spriteShape3d(map, k);
    const bool isStatic = shape == SpriteShape3d::Wall || shape == SpriteShape3d::Floor;

    // A sprite moved to another sector is listed again before a sector's sprites are refreshed.
    if (k >= sc.listedSpriteCount3d || sc.spriteListedSector3d[size_t(k)] != map.sprites[k].sectnum)
        sc.listedSpriteCount3d = -1;

    // Its face pair of the current frame: gone when static entries that outgrew their slots were
    // moved over the face pairs since they were built; a pair blanked since stays blank until the
    // next build.
    const int32_t i = sc.faceSpriteEntry3d[size_t(k)];
    if (i >= sc.surfaceTriangleCountBeforeSprites && i + 1 < sc.surfaceTriangleCount &&
        sc.surfaceTriangles[i].objectCode == code) {
        if (valid && !isStatic) {
            sc.surfaceTriangles[i] = pair[0];
            sc.surfaceTriangles[i + 1] = pair[1];
            entriesChanged3d(sc, i, 2);
        } else {
            blank(sc, i);
            blank(sc, i + 1);
        }
    }
    SlotRange3d& slots = sc.spriteSlots3d[k];
    const int32_t n = (valid && isStatic) ? 2 : 0;
    if (slots.count == 0 && n == 0) return true;
    return rewrite(sc, slots, pair.data(), n);
}

namespace {

// Lists each sector's sprites in index order, in two passes over the sprites.
void listSectorSprites(Scene3d& sc, const MapStore& map) {
    std::vector<int32_t>& first = sc.sectorSpriteFirst3d;
    std::fill(first.begin(), first.end(), 0);
    const auto listed = [](int32_t sectnum) { return sectnum >= 0 && sectnum < kMaxSectors; };
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        const int16_t s = map.sprites[k].sectnum;
        sc.spriteListedSector3d[size_t(k)] = s;
        if (listed(s)) ++first[size_t(s) + 1];
    }
    for (int32_t s = 0; s < kMaxSectors; ++s) first[size_t(s) + 1] += first[size_t(s)];
    // Fills each sector's range from its start, which is then moved back into place.
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        const int16_t s = map.sprites[k].sectnum;
        if (listed(s)) sc.sectorSpriteList3d[size_t(first[size_t(s)]++)] = k;
    }
    for (int32_t s = kMaxSectors; s > 0; --s) first[size_t(s)] = first[size_t(s) - 1];
    first[0] = 0;
    sc.listedSpriteCount3d = map.spriteCount;
}

}  // namespace

bool refreshSector3d(Scene3d& sc, const SurfaceSource& src, int32_t s, bool withNeighbours,
                     double camAngle) {
    const MapStore& map = src.map;
    if (!isSector(map, s)) return true;
    bool ok = refreshSectorPlanes3d(sc, src, s);
    const SectorRecord& sec = map.sectors[s];
    const int32_t end = std::min<int32_t>(map.wallCount, int32_t(sec.wallptr) + sec.wallnum);
    for (int32_t w = std::max<int32_t>(0, sec.wallptr); w < end; ++w) {
        if (map.wallSector[w] != s) continue;
        ok = refreshWall3d(sc, src, w) && ok;
        if (!withNeighbours || !sc.prepared) continue;
        // The neighbour's side was rebuilt with this wall just now, and building a wall again
        // from an unchanged map changes nothing: only a twin that does not point back is left.
        const int32_t next = map.walls[w].nextwall;
        if (!isWall(map, next) || next == w) continue;
        const int32_t back = map.walls[next].nextwall;
        if (isWall(map, back) && back != next && back != w) ok = rebuildWall(sc, src, back) && ok;
    }
    if (sc.listedSpriteCount3d != map.spriteCount) listSectorSprites(sc, map);
    for (int32_t i = sc.sectorSpriteFirst3d[size_t(s)]; i < sc.sectorSpriteFirst3d[size_t(s) + 1];
         ++i) {
        const int32_t k = sc.sectorSpriteList3d[size_t(i)];
        if (map.sprites[k].sectnum == s) ok = refreshSprite3d(sc, src, k, camAngle) && ok;
    }
    return ok;
}

}  // namespace korvel
