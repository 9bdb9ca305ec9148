// A loose ART file is the user's own file: any bytes must load without a fault, every tile must
// lie inside the buffer, and reading the pixels of every tile (as the tile filter does) is safe.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "MemoryFileSystem.h"
#include "TileInvariants.h"
#include "map/MapEvents.h"
#include "resources/TileLists.h"
#include "resources/TileStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    fuzz::MemoryFileSystem fs;
    fs.files["/game/tiles000.art"] = std::string(reinterpret_cast<const char*>(data), size);
    SilentMapEvents events;
    auto tiles = std::make_unique<TileStore>();
    std::string grpPath;
    loadArtTiles(*tiles, grpPath, "/game", fs, events);
    fuzz::checkTileInvariants(*tiles);

    auto catalog = std::make_unique<TileCatalog>();
    TileFilter filter;
    filter.tileFilterColor = 1 + int32_t(size % 9);
    filter.tileFilterTransparency = int32_t(size % 3);
    filterTileList(*catalog, *tiles, filter, 1, events);
    return 0;
}
