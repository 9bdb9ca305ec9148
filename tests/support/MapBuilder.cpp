#include "support/MapBuilder.h"

#include <algorithm>
#include <array>
#include <map>
#include <vector>

namespace korvel::test {

std::vector<IntPoint> rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return {{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}};
}

int32_t MapBuilder::addSector(const std::vector<IntPoint>& outer) {
    const int32_t s = map_.sectorCount++;
    SectorRecord& sec = map_.sectors[s];
    sec = SectorRecord{};
    sec.wallptr = int16_t(map_.wallCount);
    sec.wallnum = 0;
    sec.ceilingz = -16384;
    sec.floorz = 0;
    sec.ceilingpicnum = 2;
    sec.floorpicnum = 3;
    sec.extra = -1;
    appendLoop(s, outer);
    return s;
}

int32_t MapBuilder::addRoom(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    return addSector(rect(x1, y1, x2, y2));
}

void MapBuilder::addHole(const std::vector<IntPoint>& loop) {
    std::vector<IntPoint> reversed(loop.rbegin(), loop.rend());
    appendLoop(map_.sectorCount - 1, reversed);
}

void MapBuilder::addRectHole(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    addHole(rect(x1, y1, x2, y2));
}

void MapBuilder::addGrid(int32_t x0, int32_t y0, int32_t cols, int32_t rows, int32_t size) {
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c)
            addRoom(x0 + c * size, y0 + r * size, x0 + (c + 1) * size, y0 + (r + 1) * size);
}

int32_t MapBuilder::addSprite(int32_t x, int32_t y, int32_t z, int32_t sector, int16_t picnum) {
    const int32_t k = map_.spriteCount++;
    SpriteRecord& sp = map_.sprites[k];
    sp = SpriteRecord{};
    sp.x = x;
    sp.y = y;
    sp.z = z;
    sp.picnum = picnum;
    sp.sectnum = int16_t(sector);
    sp.xrepeat = sp.yrepeat = sp.clipdist = 32;
    sp.owner = sp.extra = -1;
    return k;
}

void MapBuilder::appendLoop(int32_t sector, const std::vector<IntPoint>& loop) {
    const int32_t first = map_.wallCount;
    const int32_t n = int32_t(loop.size());
    for (int32_t i = 0; i < n; ++i) {
        WallRecord& w = map_.walls[first + i];
        w = WallRecord{};
        w.x = loop[size_t(i)].x;
        w.y = loop[size_t(i)].y;
        w.point2 = int16_t(i + 1 < n ? first + i + 1 : first);
        w.nextwall = w.nextsector = -1;
        w.picnum = 4;
        w.xrepeat = w.yrepeat = 8;
        w.extra = -1;
        map_.wallSector[first + i] = int16_t(sector);
    }
    map_.wallCount += n;
    map_.sectors[sector].wallnum = int16_t(map_.sectors[sector].wallnum + n);
}

MapBuilder& MapBuilder::link() {
    updateWallSectnums(map_);
    auto endOf = [&](int32_t w) { return map_.walls[map_.walls[w].point2]; };
    // The walls by their two ends, in index order, so that each wall finds its first twin
    // without a scan of every wall.
    std::map<std::array<int32_t, 4>, std::vector<int32_t>> byEnds;
    for (int32_t j = 0; j < map_.wallCount; ++j) {
        const WallRecord& b = map_.walls[j];
        byEnds[{b.x, b.y, endOf(j).x, endOf(j).y}].push_back(j);
    }
    for (int32_t w = 0; w < map_.wallCount; ++w) {
        WallRecord& a = map_.walls[w];
        if (a.nextwall >= 0) continue;
        const auto it = byEnds.find({endOf(w).x, endOf(w).y, a.x, a.y});
        if (it == byEnds.end()) continue;
        for (const int32_t j : it->second) {
            WallRecord& b = map_.walls[j];
            if (b.nextwall >= 0 || map_.wallSector[j] == map_.wallSector[w]) continue;
            a.nextwall = int16_t(j);
            a.nextsector = map_.wallSector[j];
            b.nextwall = int16_t(w);
            b.nextsector = map_.wallSector[w];
            break;
        }
    }
    return *this;
}

}  // namespace korvel::test
