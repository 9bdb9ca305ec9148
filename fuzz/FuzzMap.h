// A small map's records read off the fuzzer's bytes, with their selection and hidden flags: each
// sector and each sprite is followed by one flag byte, each wall by its owner and, when the target
// asks, one flag byte. A target that gives more bits of a sprite's flag byte a meaning of its own
// receives the byte through spriteExtra.
#pragma once

#include <cstdint>

#include "FuzzReader.h"
#include "map/MapStore.h"

template <typename SpriteExtra>
void readFuzzedRecords(FuzzReader& in, korvel::MapStore& map, bool wallFlags,
                       SpriteExtra&& spriteExtra) {
    using namespace korvel;
    for (int32_t s = 0; s < map.sectorCount; ++s) {
        in.bytes(&map.sectors[s], sizeof(SectorRecord));
        const uint8_t f = in.get<uint8_t>();
        map.sectorSelected[s] = f & 1;
        map.sectorIgnored[s] = uint8_t(f >> 1);
    }
    for (int32_t w = 0; w < map.wallCount; ++w) {
        in.bytes(&map.walls[w], sizeof(WallRecord));
        map.wallSector[w] = in.get<int16_t>();
        if (!wallFlags) continue;
        const uint8_t f = in.get<uint8_t>();
        map.wallSelected[w] = f & 1;
        map.vertexSelected[w] = (f >> 1) & 1;
        map.wallIgnored[w] = uint8_t(f >> 2);
    }
    for (int32_t k = 0; k < map.spriteCount; ++k) {
        in.bytes(&map.sprites[k], sizeof(SpriteRecord));
        const uint8_t f = in.get<uint8_t>();
        map.spriteSelected[k] = f & 1;
        map.spriteIgnored[k] = uint8_t(f >> 1);
        spriteExtra(k, f);
    }
}
