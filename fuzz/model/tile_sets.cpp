// TILESETS.DAT may be edited by the user: any text sets bits only inside the tile table.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "resources/TileCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    std::vector<uint8_t> categories(kTileCount);
    parseTileSets(std::string_view(reinterpret_cast<const char*>(data), size), categories);
    return 0;
}
