// Any bytes are a map file, merged into a small map of four rooms and then, loaded, into itself.
// Each merge must end soon whatever the file's sector ranges claim (a sprite's sector is looked
// for only among the sound sectors whose boxes hold it), leave the objects of the map merged
// into where they were, and put every sprite in a sector of the map or in none.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "MemoryFileSystem.h"
#include "geometry/MapMerge.h"
#include "map/MapFile.h"
#include "support/GridMaps.h"
#include "support/MapModelOps.h"

using namespace korvel;
using namespace korvel::test;

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// Every sprite is in a sector of the map or in none. (Walls keep what the file gave them,
// cut to the file's own walls: a damaged file stays damaged, and readers clamp.)
void requireSpriteSectors(const MapStore& map) {
    for (int32_t k = 0; k < map.spriteCount; ++k)
        require(map.sprites[k].sectnum >= -1 && map.sprites[k].sectnum < map.sectorCount);
}

// The first objects of `after` are those of `before`, except the links of walls that a merged
// wall now faces.
void requireKept(const MapStore& before, const MapStore& after) {
    require(after.sectorCount >= before.sectorCount && after.wallCount >= before.wallCount &&
            after.spriteCount >= before.spriteCount);
    require(std::memcmp(after.sectors.data(), before.sectors.data(),
                        sizeof(SectorRecord) * size_t(before.sectorCount)) == 0);
    require(std::memcmp(after.sprites.data(), before.sprites.data(),
                        sizeof(SpriteRecord) * size_t(before.spriteCount)) == 0);
    for (int32_t w = 0; w < before.wallCount; ++w)
        require(after.walls[w].x == before.walls[w].x && after.walls[w].y == before.walls[w].y &&
                after.walls[w].point2 == before.walls[w].point2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto model = std::make_unique<MapModel>();
    static auto before = std::make_unique<MapStore>();
    static fuzz::MemoryFileSystem fs;
    MapModel& m = *model;
    const std::string path = "/maps/fuzz.map";
    fs.files.clear();
    fs.files[path] = std::string(reinterpret_cast<const char*>(data), size);
    MapFileState file;

    // Into a small sound map.
    resetMap(m.map, m.events);
    buildSplitRoomGrid(m.map, 2, 2, 1);
    *before = m.map;
    clearClipboard(m.clip);
    if (insertMapFile(m.map, m.clip, m.undo, file, fs, m.events, path).loaded)
        requireKept(*before, m.map);
    requireSpriteSectors(m.map);

    // Into itself.
    if (!loadMap(m.map, file, fs, path, true).loaded) return 0;
    // The loaded map may hold any index, so only the counts can be required of the result.
    insertMapFile(m.map, m.clip, m.undo, file, fs, m.events, path);
    require(m.map.sectorCount <= kMaxSectors && m.map.wallCount <= kMaxWalls &&
            m.map.spriteCount <= kMaxSprites);
    restoreUndo(m.map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    m.events.clear();
    return 0;
}
