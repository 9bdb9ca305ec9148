#include "map/MapStatistics.h"

#include <algorithm>

#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "map/TileCategories.h"

namespace korvel {

namespace {

// Walks around a corner point give up after this many steps.
constexpr int32_t kWalkSteps = 32769;

// The map's counts as far as the arrays reach.
struct Counts {
    int32_t sectors, walls, sprites;
};

Counts countsOf(const MapStore& map) {
    return {std::clamp(map.sectorCount, 0, kMaxSectors), std::clamp(map.wallCount, 0, kMaxWalls),
            std::clamp(map.spriteCount, 0, kMaxSprites)};
}

// Links read as the map check reads them: an index outside its array is no link.
int32_t nextWallOf(const MapStore& map, int32_t walls, int32_t w) {
    const int32_t n = map.walls[w].nextwall;
    return n >= 0 && n < walls ? n : -1;
}
int32_t nextSectorOf(const MapStore& map, int32_t sectors, int32_t w) {
    const int32_t n = map.walls[w].nextsector;
    return n >= 0 && n < sectors ? n : -1;
}

// Category bits of a tile number; none outside the tiles.
uint8_t categoryOf(std::span<const uint8_t> categories, int32_t tile) {
    return tile >= 0 && size_t(tile) < categories.size() ? categories[size_t(tile)] : 0;
}

// Marks trigger numbers first..last (unsigned 16-bit), none past 65535.
void markNumbers(std::vector<uint8_t>& used, int32_t first, int32_t last) {
    for (int32_t v = first; v <= last && v <= 65535; ++v) used[size_t(v)] = 1;
}

void countLoopsAndGroups(const MapStore& map, const Counts& n, MapStatistics& out) {
    for (int32_t i = 0; i < n.walls; ++i)
        if (map.walls[i].point2 != i + 1) ++out.statLoopCount;
    std::vector<uint8_t> marks(size_t(n.sectors), 0);
    for (int32_t s = 0; s < n.sectors; ++s) {
        if (marks[size_t(s)]) continue;
        floodFillSectorGroup(map, s, marks);
        ++out.statSectorGroupCount;
    }
}

void countCornerPoints(const MapStore& map, const Counts& n, MapStatistics& out) {
    WallChains chains;
    findWallChains(map.walls.data(), n.walls, chains);
    std::vector<uint8_t> marks(size_t(n.walls), 0);
    for (int32_t w = 0; w < n.walls; ++w)
        if (marks[size_t(w)] == 0 || marks[size_t(w)] == 2)
            out.statVertexCount += checkWallLinks(map, chains, w, marks);
}

void countTiles(const MapStore& map, const Counts& n, MapStatistics& out) {
    std::vector<uint8_t> seen(kTileCount, 0);
    auto meet = [&](int32_t t) {
        if (t < 0 || t >= kTileCount || seen[size_t(t)]) return;
        seen[size_t(t)] = 1;
        ++out.statTileCount;
    };
    for (int32_t w = 0; w < n.walls; ++w) {
        meet(map.walls[w].picnum);
        meet(map.walls[w].overpicnum);
    }
    for (int32_t s = 0; s < n.sectors; ++s) {
        meet(map.sectors[s].floorpicnum);
        meet(map.sectors[s].ceilingpicnum);
    }
    for (int32_t k = 0; k < n.sprites; ++k) meet(map.sprites[k].picnum);
}

void measureWalls(const MapStore& map, const Counts& n, MapStatistics& out) {
    double area = 0;
    for (int32_t w = 0; w < n.walls; ++w) {
        const WallRecord& a = map.walls[w];
        const WallRecord& b = map.walls[chainNext(map.walls.data(), n.walls, w)];
        out.statWallLengthSum += distSingle(float(a.x), float(a.y), float(b.x), float(b.y));
        area += double(int64_t(b.y) + a.y) * double(int64_t(b.x) - a.x) / 2;
    }
    out.statArea = area / -160000;
}

void countSprites(const MapStore& map, const Counts& n, std::span<const uint8_t> categories,
                  MapStatistics& out) {
    for (int32_t s = 0; s < n.sectors; ++s)
        if (map.sectors[s].lotag == 32767) ++out.statLotag32767SectorCount;
    for (int32_t k = 0; k < n.sprites; ++k) {
        const SpriteRecord& sp = map.sprites[k];
        const uint8_t c = categoryOf(categories, sp.picnum);
        if (c & TileCategory::Effectors) {
            ++out.statCategory1SpriteCount;
            if ((categoryOf(categories, sp.hitag) & TileCategory::Actors) && sp.picnum == 9)
                ++out.statSpriteClassCounts[4];
        }
        if (c & TileCategory::Pickups) ++out.statCategory4SpriteCount;
        if (c & TileCategory::Actors) {
            if (sp.lotag <= 1) ++out.statSpriteClassCounts[0];
            if (sp.lotag <= 2) ++out.statSpriteClassCounts[1];
            if (sp.lotag <= 3) ++out.statSpriteClassCounts[2];
            ++out.statSpriteClassCounts[3];
        }
    }
}

void findFirstFreeNumber(const MapStore& map, const Counts& n, std::span<const uint8_t> categories,
                         MapStatistics& out) {
    std::vector<uint8_t> used(65536, 0);
    constexpr uint8_t kSingle = TileCategory::Switches | TileCategory::DoorTiles;
    auto markTags = [&](uint8_t c, int16_t lotag) {
        const int32_t v = int16ToUnsigned(lotag);
        if (c & kSingle) markNumbers(used, v, v);
        if (c & TileCategory::MultiSwitches) markNumbers(used, v, v + 3);
    };
    for (int32_t k = 0; k < n.sprites; ++k) {
        const SpriteRecord& sp = map.sprites[k];
        if (sp.picnum == 1 && sp.lotag == 30) {
            const int32_t v = int16ToUnsigned(sp.hitag);
            markNumbers(used, v, v + 1);
        }
        markTags(categoryOf(categories, sp.picnum), sp.lotag);
    }
    for (int32_t w = 0; w < n.walls; ++w)
        markTags(categoryOf(categories, map.walls[w].picnum), map.walls[w].lotag);
    int32_t v = 1;
    while (v <= 65535 && used[size_t(v)]) ++v;
    out.statFirstFreeNumber = v;
}

// The smallest hitag from 1 on that no sprite of each group uses, found in one pass.
void findFreeEffectorChannels(const MapStore& map, const Counts& n, MapStatistics& out) {
    constexpr int32_t kValues = 32769;  // hitags 1..32767, and 32768 when all are used
    std::vector<uint8_t> used(size_t(kEffectorGroups) * kValues, 0);
    for (int32_t k = 0; k < n.sprites; ++k) {
        const SpriteRecord& sp = map.sprites[k];
        if (sp.picnum != 1 || sp.hitag < 1) continue;
        const int32_t g = effectorGroupOf(sp.lotag);
        if (g >= 0) used[size_t(g) * kValues + size_t(sp.hitag)] = 1;
    }
    for (int32_t g = 0; g < kEffectorGroups; ++g) {
        int32_t v = 1;
        while (v < kValues && used[size_t(g) * kValues + size_t(v)]) ++v;
        out.statFreeEffectorHitags[size_t(g)] = v;
    }
}

}  // namespace

int32_t effectorGroupOf(int32_t lotag) {
    switch (lotag) {
        case 0:
        case 1:
            return 0;
        case 3:
            return 1;
        case 4:
            return 2;
        case 6:
        case 14:
            return 3;
        case 7:
        case 23:
            return 4;
        case 8:
            return 5;
        case 9:
            return 6;
        case 11:
            return 7;
        case 12:
            return 8;
        case 13:
            return 9;
        case 15:
            return 10;
        case 17:
            return 11;
        case 28:
            return 12;
        default:
            return lotag >= 40 && lotag <= 45 ? 13 : -1;
    }
}

void floodFillSectorGroup(const MapStore& map, int32_t s, std::vector<uint8_t>& marks) {
    const Counts n = countsOf(map);
    const int32_t sectors = std::min<int32_t>(n.sectors, int32_t(marks.size()));
    if (s < 0 || s >= sectors) return;
    std::vector<int32_t> pending{s};
    marks[size_t(s)] = 1;
    while (!pending.empty()) {
        const SectorRecord& sec = map.sectors[pending.back()];
        pending.pop_back();
        if (sec.wallnum < 1 || n.walls == 0) continue;
        const int32_t first = std::max<int32_t>(sec.wallptr, 0);
        const int32_t last = std::min<int32_t>(int32_t(sec.wallptr) + sec.wallnum - 1, n.walls - 1);
        for (int32_t w = first; w <= last; ++w) {
            const int32_t next = nextSectorOf(map, sectors, w);
            if (next < 0 || marks[size_t(next)]) continue;
            marks[size_t(next)] = 1;
            pending.push_back(next);
        }
    }
}

uint8_t checkWallLinks(const MapStore& map, const WallChains& chains, int32_t w,
                       std::vector<uint8_t>& marks) {
    const Counts n = countsOf(map);
    const int32_t walls =
        std::min<int32_t>({n.walls, int32_t(marks.size()), int32_t(chains.previous.size())});
    if (w < 0 || w >= walls) return 0;
    const int32_t px = map.walls[w].x, py = map.walls[w].y;
    auto mark = [&](int32_t v) {
        uint8_t& m = marks[size_t(v)];
        if (m == 0)
            m = (map.walls[v].x == px && map.walls[v].y == py) ? 1 : 2;
        else
            m = 3;
    };
    uint8_t result = 1;

    const int32_t c0 = nextWallOf(map, walls, w);
    if (c0 >= 0 && nextWallOf(map, walls, c0) == w) {
        int32_t c = c0;
        int32_t step = 0;
        for (; step < kWalkSteps; ++step) {
            if (nextSectorOf(map, n.sectors, c) < 0) break;
            const int32_t next = chainNext(map.walls.data(), walls, c);
            if (next == w) return result;
            mark(next);
            const int32_t m = nextWallOf(map, walls, next);
            if (m >= 0) {
                mark(m);
                c = m;
            } else {
                c = next;
            }
        }
        if (step == kWalkSteps) result = 0;
    }

    int32_t cur = w;
    for (int32_t step = 0; step < kWalkSteps; ++step) {
        // The wall before cur on its loop; a chain that never comes back to cur has none.
        const int32_t b = chains.previous[size_t(cur)];
        if (b < 0) return 0;
        mark(b);
        int32_t e = b;
        const int32_t s = nextWallOf(map, walls, b);
        if (s >= 0) {
            if (nextWallOf(map, walls, s) != b) return result;
            mark(s);
            e = s;
        }
        if (nextSectorOf(map, n.sectors, e) < 0) return result;
        cur = e;
    }
    return 0;
}

void computeMapStatistics(const MapStore& map, std::span<const uint8_t> tileCategories,
                          MapStatistics& out) {
    out = MapStatistics{};
    const Counts n = countsOf(map);
    countLoopsAndGroups(map, n, out);
    countCornerPoints(map, n, out);
    countTiles(map, n, out);
    measureWalls(map, n, out);
    countSprites(map, n, tileCategories, out);
    out.statMapFileSize = 32 * n.walls + 40 * n.sectors + 44 * n.sprites + 26;
    findFirstFreeNumber(map, n, tileCategories, out);
    findFreeEffectorChannels(map, n, out);
}

}  // namespace korvel
