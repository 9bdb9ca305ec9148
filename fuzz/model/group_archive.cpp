// The game archive is the user's own file: any bytes must load without a fault, and whatever
// tiles it yields must lie inside the pixel buffer.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "MemoryFileSystem.h"
#include "TileInvariants.h"
#include "map/MapEvents.h"
#include "resources/GroupFile.h"
#include "resources/TileStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    (void)parseGroupDirectory(bytes, int64_t(size));

    fuzz::MemoryFileSystem fs;
    fs.files["/game/DUKE3D.GRP"] = bytes;
    SilentMapEvents events;
    auto tiles = std::make_unique<TileStore>();
    std::string grpPath;
    loadArtTiles(*tiles, grpPath, "/game", fs, events);
    fuzz::checkTileInvariants(*tiles);
    return 0;
}
