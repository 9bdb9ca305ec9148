// names.h and sounds.h come with the game or its mods: any text fills names only inside the
// tile and sound tables.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "resources/TileCatalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace korvel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    NameTable tiles(kTileCount), sounds(kSoundCount);
    parseDefines(text, tiles);
    parseDefines(text, sounds);
    return 0;
}
