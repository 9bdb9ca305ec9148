// A map filled to its capacities for benchmarks and capacity tests: a grid of rooms whose
// sides are split in two, so each room has 8 walls and shares two with each neighbour. Header
// only, so that the benchmarks can use it without the test library.
#pragma once

#include <cstdint>

#include "base/Mainm.h"
#include "map/MapStore.h"

namespace korvel::test {

// cols x rows rooms of 512 units from (0, 0), `spritesPerRoom` sprites in each, every shared
// wall linked. 64 x 64 rooms with 4 sprites each fill all three arrays.
inline void buildSplitRoomGrid(MapStore& map, int32_t cols, int32_t rows, int32_t spritesPerRoom) {
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
            const IntPoint corners[8] = {{x, y},
                                         {x + half, y},
                                         {x + size, y},
                                         {x + size, y + half},
                                         {x + size, y + size},
                                         {x + half, y + size},
                                         {x, y + size},
                                         {x, y + half}};
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
