// Any bytes are a map file. It is loaded; what loaded must save to an image that reads back as
// itself; then the loaded map goes through geometry queries, editing operations, the clipboard
// and undo, and the file is merged into the edited map. The next input loads over what that
// left, so each load must clear every old record above its counts. Whatever the file holds,
// nothing may read or write outside the arrays or hang.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>

#include "MemoryFileSystem.h"
#include "geometry/MapMerge.h"
#include "map/GeometryQueries.h"
#include "map/LoopOrientation.h"
#include "map/MapFile.h"
#include "support/MapModelOps.h"

using namespace korvel;
using namespace korvel::test;

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

// What a saved image of the map must be: no damage, the same counts, the same records.
void checkRoundTrip(const MapStore& map) {
    const std::string image = serializeMap(map);
    const auto layout = parseMapFile(image);
    require(layout.has_value());
    require(!layout->truncated && layout->countTooLargeMessage == 0);
    require(layout->version == mapFileVersion(map));
    require(layout->sectorCount == map.sectorCount && layout->wallCount == map.wallCount &&
            layout->spriteCount == map.spriteCount);
    require(std::memcmp(image.data() + layout->wallOffset, map.walls.data(),
                        size_t(map.wallCount) * sizeof(WallRecord)) == 0);
}

// A load leaves nothing of the previous map above its counts, whatever the edits before it did.
template <typename Array>
void requireZeroFrom(const Array& array, int32_t from) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(array.data() + from);
    const size_t n = sizeof(array[0]) * size_t(array.size() - from);
    for (size_t i = 0; i < n; ++i) require(bytes[i] == 0);
}

// The read-only services every view and tool calls on whatever the map holds.
void runQueries(const MapStore& map, std::mt19937& rng) {
    const int32_t sectors = map.sectorCount < 32 ? map.sectorCount : 32;
    for (int32_t s = 0; s < sectors; ++s) {
        const int32_t x = int32_t(rng() % 4096) - 2048, y = int32_t(rng() % 4096) - 2048;
        pointInSector(map, x, y, s);
        pointInSectorFine(map, x, y, s);
        pointInSectorOrOnEdge(map, x, y, s);
        isPointInSector(map, x, y, s);
        isPointInSectorByLoop(map, x, y, s);
        getTrueFloorZ(map, x, y, s);
        getTrueCeilingZ(map, x, y, s);
        isWallLoopClockwise(map, map.sectors[s].wallptr);
    }
    const int32_t walls = map.wallCount < 64 ? map.wallCount : 64;
    for (int32_t w = 0; w < walls; ++w) {
        getPrevWall(map, w);
        wallAngle(map, w);
        wallTexelScale(map, w);
        isPointInLoop(map, 0, 0, w);
        pointNearWallSegment(map, w, int32_t(rng() % 2048), int32_t(rng() % 2048), 64);
    }
    isPointInVoidZone(map, 0, 0);
    for (int32_t mode = 0; mode < 8; ++mode) {
        getSelectionBoundingBox(map, SelectionMode(mode));
        getSelectionBoundingRect(map, SelectionMode(mode));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto model = std::make_unique<MapModel>();
    static fuzz::MemoryFileSystem fs;
    MapModel& m = *model;
    const std::string path = "/maps/fuzz.map";
    fs.files.clear();
    fs.files[path] = std::string(reinterpret_cast<const char*>(data), size);
    clearClipboard(m.clip);
    m.events.clear();

    MapFileState file;
    const MapLoadResult loaded = loadMap(m.map, file, fs, path, false);
    require(loaded.loaded == (file.mapLoadFailed == 0));
    if (!loaded.loaded) return 0;
    checkRoundTrip(m.map);
    requireZeroFrom(m.map.sectors, m.map.sectorCount);
    requireZeroFrom(m.map.walls, m.map.wallCount);
    requireZeroFrom(m.map.sprites, m.map.spriteCount);

    // The operations and their arguments follow from the file's bytes, so a finding replays.
    uint32_t seed = uint32_t(size);
    for (size_t i = 0; i < size; ++i) seed = seed * 31 + data[i];
    std::mt19937 rng(seed);
    runQueries(m.map, rng);
    for (int32_t i = 0; i < 24; ++i) {
        const MapOp op = MapOp(rng() % uint32_t(MapOp::Count));
        runMapOp(m, op, rng(), rng(), rng(), rng() % 2 == 0);
    }
    runQueries(m.map, rng);

    insertMapFile(m.map, m.clip, m.undo, file, fs, m.events, path);
    runQueries(m.map, rng);
    runMapOp(m, MapOp::Paste, rng(), rng(), rng(), true);
    restoreUndo(m.map, m.undo, m.clip, SelectionMode::Sectors, m.events);
    checkRoundTrip(m.map);
    return 0;
}
