// Any bytes are a map file. Whatever it holds once loaded, the map check (both options) and the
// statistics finish without reading outside the arrays, change nothing in the map, and give the
// same findings when run twice. The bytes after the file's records also damage the wall-to-sector
// table, which the loader would otherwise rebuild.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "MemoryFileSystem.h"
#include "map/MapCheck.h"
#include "map/MapFile.h"
#include "map/MapStatistics.h"

using namespace korvel;

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

class ListSink : public CheckSink {
public:
    bool add(const CheckFinding& f) override {
        if (findings.size() >= 4096) return false;
        findings.push_back(f);
        return true;
    }
    std::vector<CheckFinding> findings;
};

struct Fixture {
    MapStore map;
    MapStore copy;
    std::vector<int16_t> widths = std::vector<int16_t>(kTileCount);
    std::vector<int16_t> heights = std::vector<int16_t>(kTileCount);
    std::vector<uint8_t> categories = std::vector<uint8_t>(kTileCount);
};

bool sameContent(const MapStore& a, const MapStore& b) {
    return std::memcmp(a.sectors.data(), b.sectors.data(), sizeof(SectorRecord) * kMaxSectors) ==
               0 &&
           std::memcmp(a.walls.data(), b.walls.data(), sizeof(WallRecord) * kMaxWalls) == 0 &&
           std::memcmp(a.sprites.data(), b.sprites.data(), sizeof(SpriteRecord) * kMaxSprites) ==
               0 &&
           std::memcmp(a.wallSector.data(), b.wallSector.data(), sizeof(int16_t) * kMaxWalls) ==
               0 &&
           static_cast<const MapScalars&>(a) == static_cast<const MapScalars&>(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto fx = std::make_unique<Fixture>();
    static fuzz::MemoryFileSystem fs;
    Fixture& f = *fx;
    const std::string path = "/maps/fuzz.map";
    fs.files.clear();
    fs.files[path] = std::string(reinterpret_cast<const char*>(data), size);
    MapFileState file;
    SilentMapEvents events;
    if (!loadMap(f.map, file, fs, path, false).loaded) return 0;

    // Tile sizes and categories from the first bytes, so the tile checks see varied sizes.
    for (int32_t t = 0; t < 64; ++t) {
        const uint8_t b = size ? data[size_t(t) % size] : 0;
        f.widths[size_t(t)] = int16_t(b & 0x0f) * 8;
        f.heights[size_t(t)] = int16_t(b >> 4) * 6;
        f.categories[size_t(t)] = b;
    }
    for (int32_t w = 0; w < f.map.wallCount && size; ++w)
        if (data[size_t(w) % size] & 1) f.map.wallSector[w] = int16_t(data[size_t(w * 7) % size]);
    f.copy = f.map;

    const TileSizes tiles{f.widths, f.heights};
    for (int32_t option = 0; option < 2; ++option) {
        ListSink first, second;
        checkMap(f.map, tiles, option, events, first);
        checkMap(f.map, tiles, option, events, second);
        require(first.findings == second.findings);
    }
    MapStatistics stats;
    computeMapStatistics(f.map, f.categories, stats);
    require(stats.statFirstFreeNumber >= 1 && stats.statFirstFreeNumber <= 65536);
    require(sameContent(f.map, f.copy));
    return 0;
}
