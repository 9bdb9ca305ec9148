#include "geometry/TextureAlignment.h"

#include <optional>
#include <vector>

#include "geometry/WallTexture.h"

namespace korvel {
namespace {

bool visited(const TextureWalk& walk, int32_t w) {
    // A wall beyond the marks cannot be marked, so it counts as seen and is never entered.
    return size_t(w) >= walk.marks.size() || walk.marks[size_t(w)].x == 1;
}

void markVisited(const TextureWalk& walk, int32_t w) {
    if (size_t(w) < walk.marks.size()) walk.marks[size_t(w)].x = 1;
}

bool hasTile(int32_t picnum) {
    return picnum >= 0 && picnum < kTileCount;
}

bool sameTile(const MapStore& map, int32_t a, int32_t b) {
    const int32_t tile = map.walls[a].picnum;
    return hasTile(tile) && map.walls[b].picnum == tile;
}

int32_t tileHeight(const TileStore& tiles, int32_t picnum) {
    if (!hasTile(picnum) || size_t(picnum) >= tiles.tileHeights.size()) return 0;
    return tiles.tileHeights[size_t(picnum)];
}

// The height a wall's texture rows are counted from; nothing when its sectors are not known.
std::optional<int64_t> referenceHeight(const MapStore& map, int32_t w) {
    const int32_t own = sectorOfWall(map, w);
    if (!isSector(map, own)) return std::nullopt;
    const WallRecord& wall = map.walls[w];
    const SectorRecord& s = map.sectors[own];
    const bool bottom = (wall.cstat & kWallAlignBottom) != 0;
    if (wall.nextsector < 0) return bottom ? s.floorz : s.ceilingz;
    if (bottom) return s.ceilingz;
    if (!isSector(map, wall.nextsector)) return std::nullopt;
    const SectorRecord& n = map.sectors[wall.nextsector];
    return n.floorz == s.floorz ? n.ceilingz : n.floorz;
}

uint8_t wrapByte(int64_t v) {
    return uint8_t(uint64_t(v) & 255u);
}

// The next wall leaving the start point of c in the loop beyond c, or -1.
int32_t nextAroundVertex(const MapStore& map, int32_t c) {
    const int32_t twin = map.walls[c].nextwall;
    if (!isWall(map, twin)) return -1;
    const int32_t m = map.walls[twin].point2;
    return isWall(map, m) ? m : -1;
}

}  // namespace

void clearWallVisitMarks(PointBufferView marks) {
    for (BufferPoint& p : marks) p.x = 0;
}

void alignWallToNeighbour(MapStore& map, const TextureWalk& walk, int32_t target,
                          int32_t reference) {
    if (!isWall(map, target) || !isWall(map, reference)) return;
    WallRecord& t = map.walls[target];
    const WallRecord& r = map.walls[reference];

    t.yrepeat = r.yrepeat;
    if (walk.autoWallSquare) squareWallTexture(map, target);

    const bool flipped = (r.cstat & kWallFlipX) != 0;
    const int64_t step = r.xrepeat == 0 ? 1 : 8 * int64_t(r.xrepeat);
    t.xpanning = wrapByte(int64_t(r.xpanning) + (flipped ? -step : step));

    // A reference tile of no height gives no row scale: the target keeps its y panning.
    const int32_t h = tileHeight(walk.tiles, r.picnum);
    const auto zt = referenceHeight(map, target);
    const auto zr = referenceHeight(map, reference);
    if (h > 0 && zt && zr) {
        const int64_t q = ((int64_t(r.yrepeat) * (*zt - *zr)) / h) / 8;
        t.ypanning = wrapByte(int64_t(r.ypanning) + q);
    }

    markVisited(walk, target);
    if (walk.wallAligned) walk.wallAligned(target);
}

void alignWallTexture(MapStore& map, const TextureWalk& walk, int32_t wall) {
    if (!isWall(map, wall)) return;
    // One frame per wall being walked from, in the order a recursive walk would take: first the
    // wall's own successor, then the walls around its end vertex, one at a time.
    struct Frame {
        int32_t wall;
        int32_t around;  // the wall last reached around the end vertex; -1 before that turn
        bool started;
    };
    std::vector<Frame> stack;
    stack.reserve(size_t(map.wallCount) + 1);
    stack.push_back({wall, -1, false});

    // Aligns `next` to `from` and walks on from it, or only marks it when its tile differs.
    // Returns whether a frame was pushed.
    const auto reach = [&](int32_t next, int32_t from) {
        if (sameTile(map, from, next)) {
            alignWallToNeighbour(map, walk, next, from);
            stack.push_back({next, -1, false});
            return true;
        }
        markVisited(walk, next);
        return false;
    };

    while (!stack.empty()) {
        Frame& f = stack.back();
        const int32_t from = f.wall;
        if (!f.started) {
            f.started = true;
            markVisited(walk, from);
            const int32_t n = map.walls[from].point2;
            if (!isWall(map, n)) {
                stack.pop_back();
                continue;
            }
            f.around = n;
            if (!visited(walk, n)) reach(n, from);
            continue;
        }
        const int32_t m = nextAroundVertex(map, f.around);
        if (m < 0 || visited(walk, m)) {
            stack.pop_back();
            continue;
        }
        f.around = m;
        reach(m, from);
    }
}

}  // namespace korvel
