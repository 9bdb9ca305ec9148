#include "support/RandomMaps.h"

#include "base/Mainm.h"
#include "support/MapBuilder.h"

namespace korvel::test {

namespace {

int32_t pick(std::mt19937& rng, int32_t n) {
    return int32_t(rng() % uint32_t(n));
}

}  // namespace

void buildRandomMap(MapStore& map, std::mt19937& rng) {
    MapBuilder b(map);
    const int32_t size = 256;
    // Each draw is its own statement: the order in which a call's arguments are worked out
    // differs between compilers, and so would the map.
    const int32_t cols = 1 + pick(rng, 3);
    const int32_t rows = 1 + pick(rng, 3);
    b.addGrid(0, 0, cols, rows, size);
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
        const int32_t dx = 8 + pick(rng, 2) * 8;
        const auto picnum = int16_t(pick(rng, 4));
        b.addSprite(w.x + dx, w.y + 8, -256, s, picnum);
    }
    b.link();
    // A few hidden objects, as the height filter leaves them.
    for (int32_t i = 0; i < 2; ++i)
        if (pick(rng, 4) == 0 && map.wallCount > 0) map.wallIgnored[pick(rng, map.wallCount)] = 1;
    if (pick(rng, 4) == 0) map.sectorIgnored[pick(rng, map.sectorCount)] = 2;
}

}  // namespace korvel::test
