// Any bytes become a small map (counts, then the records as they lie in a map file) and a list
// of editing operations on it. Whatever the records hold, every operation must finish without
// reading or writing outside the arrays.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "support/MapModelOps.h"

using namespace korvel;
using namespace korvel::test;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto model = std::make_unique<MapModel>();
    MapModel& m = *model;
    if (size < 3) return 0;
    resetMap(m.map, m.events);
    clearClipboard(m.clip);
    m.events.clear();

    size_t pos = 3;
    auto take = [&](void* out, size_t n) {
        const size_t have = pos < size ? (size - pos < n ? size - pos : n) : 0;
        std::memset(out, 0, n);
        if (have) std::memcpy(out, data + pos, have);
        pos += n;
    };
    m.map.sectorCount = data[0] % 17;
    m.map.wallCount = data[1] % 65;
    m.map.spriteCount = data[2] % 17;
    for (int32_t s = 0; s < m.map.sectorCount; ++s) take(&m.map.sectors[s], sizeof(SectorRecord));
    for (int32_t w = 0; w < m.map.wallCount; ++w) take(&m.map.walls[w], sizeof(WallRecord));
    for (int32_t k = 0; k < m.map.spriteCount; ++k) take(&m.map.sprites[k], sizeof(SpriteRecord));
    updateWallSectnums(m.map);

    for (int ops = 0; ops < 48 && pos + 7 <= size; ++ops) {
        const uint8_t op = data[pos];
        uint16_t args[3];
        std::memcpy(args, data + pos + 1, sizeof(args));
        pos += 7;
        runMapOp(m, MapOp(op % uint8_t(MapOp::Count)), args[0], args[1], args[2], op >= 128);
    }
    return 0;
}
