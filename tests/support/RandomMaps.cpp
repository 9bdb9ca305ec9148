#include "support/RandomMaps.h"

#include "map/Mainm.h"
#include "support/MapBuilder.h"

namespace korvel::test {

namespace {

int32_t pick(std::mt19937& rng, int32_t n) { return int32_t(rng() % uint32_t(n)); }

}  // namespace

void buildRandomMap(MapStore& map, std::mt19937& rng) {
    MapBuilder b(map);
    const int32_t size = 256;
    b.addGrid(0, 0, 1 + pick(rng, 3), 1 + pick(rng, 3), size);
    if (pick(rng, 2) == 0) {
        b.addRoom(1024, 0, 1536, 512);
        b.addRectHole(1152, 128, 1408, 384);
        if (pick(rng, 2) == 0) b.addRoom(1152, 128, 1408, 384);  // the island fills the hole
    }
    if (pick(rng, 2) == 0) b.addSector({{0, -512}, {200, -512}, {100, -300}});
    const int32_t sprites = pick(rng, 6);
    for (int32_t i = 0; i < sprites && map.sectorCount > 0; ++i) {
        const int32_t s = pick(rng, map.sectorCount);
        const WallRecord& w = map.walls[map.sectors[s].wallptr];
        // Just inside the sector's first corner; sometimes two sprites share a place.
        b.addSprite(w.x + 8 + pick(rng, 2) * 8, w.y + 8, -256, s, int16_t(pick(rng, 4)));
    }
    b.link();
    // A few hidden objects, as the height filter leaves them.
    for (int32_t i = 0; i < 2; ++i)
        if (pick(rng, 4) == 0 && map.wallCount > 0) map.wallIgnored[pick(rng, map.wallCount)] = 1;
    if (pick(rng, 4) == 0) map.sectorIgnored[pick(rng, map.sectorCount)] = 2;
}

void buildSplitRoomGrid(MapStore& map, int32_t cols, int32_t rows, int32_t spritesPerRoom) {
    const int32_t size = 512, half = size / 2;
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c) {
            const int32_t x = c * size, y = r * size;
            const int32_t s = map.sectorCount++;
            SectorRecord& sec = map.sectors[s];
            sec = SectorRecord{};
            sec.wallptr = int16_t(map.wallCount);
            sec.wallnum = 8;
            sec.ceilingz = -16384;
            sec.extra = -1;
            const IntPoint corners[8] = {{x, y},           {x + half, y},        {x + size, y},
                                         {x + size, y + half}, {x + size, y + size}, {x + half, y + size},
                                         {x, y + size},    {x, y + half}};
            for (int32_t i = 0; i < 8; ++i) {
                WallRecord& w = map.walls[map.wallCount + i];
                w = WallRecord{};
                w.x = corners[i].x;
                w.y = corners[i].y;
                w.point2 = int16_t(map.wallCount + (i + 1) % 8);
                w.nextwall = w.nextsector = -1;
                w.xrepeat = w.yrepeat = 8;
                w.extra = -1;
            }
            map.wallCount += 8;
            for (int32_t k = 0; k < spritesPerRoom; ++k) {
                SpriteRecord& sp = map.sprites[map.spriteCount++];
                sp = SpriteRecord{};
                sp.x = x + 16 + 32 * k;
                sp.y = y + 16;
                sp.sectnum = int16_t(s);
                sp.owner = sp.extra = -1;
            }
        }
    updateWallSectnums(map);
    // Wall i of a room faces wall (i + 4) of the neighbour on that side, reversed.
    auto link = [&](int32_t a, int32_t b) {
        map.walls[a].nextwall = int16_t(b);
        map.walls[a].nextsector = map.wallSector[b];
        map.walls[b].nextwall = int16_t(a);
        map.walls[b].nextsector = map.wallSector[a];
    };
    for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < cols; ++c) {
            const int32_t base = (r * cols + c) * 8;
            if (c + 1 < cols) {
                const int32_t right = base + 8;
                link(base + 2, right + 7);  // east upper half against the neighbour's west
                link(base + 3, right + 6);
            }
            if (r + 1 < rows) {
                const int32_t below = base + cols * 8;
                link(base + 4, below + 1);
                link(base + 5, below + 0);
            }
        }
}

}  // namespace korvel::test
