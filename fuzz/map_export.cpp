// Any bytes become the eight export settings, the counts and the records of a map whose walls
// and sprites hold any coordinates and links, and the rows of a band. The export must finish
// without touching anything outside its band, and a picture it reports written must be whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FuzzReader.h"
#include "MemoryFileSystem.h"
#include "map/MapStore.h"
#include "resources/ColorTables.h"
#include "ui/Skin.h"
#include "views/MapImageExport.h"

using namespace korvel;

namespace {

// Larger pictures add nothing the clipping and the bands do not meet in small ones, and would
// only slow the search down.
constexpr int64_t kMaxPictureBytes = int64_t(8) << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto map = std::make_unique<MapStore>();
    static auto skin = [] {
        auto s = std::make_unique<Skin>();
        // A mark with transparent holes, so that the blit's transparency runs too.
        for (size_t i = 0; i < s->skin.size(); ++i) s->skin[i] = uint8_t(i % 7 == 0 ? 255 : i);
        return s;
    }();
    static const auto colors = std::make_unique<ColorTables>();
    FuzzReader in{data, size};

    ViewState view;
    view.exportLeft = in.get<int32_t>();
    view.exportBottom = in.get<int32_t>();
    view.exportRight = in.get<int32_t>();
    view.exportTop = in.get<int32_t>();
    view.exportScale = in.get<int32_t>();
    view.exportGridSpacing = in.get<int32_t>();
    view.exportOptionA = in.get<uint8_t>();
    view.exportOptionB = in.get<uint8_t>();
    const int32_t bandRows = in.get<uint8_t>();
    // Counts may claim more records than the input holds, up to the capacities, to reach the
    // loops' bounds; records past the input are zero.
    map->wallCount = in.get<uint16_t>() % (kMaxWalls + 2) - 1;
    map->spriteCount = in.get<uint16_t>() % (kMaxSprites + 2) - 1;
    for (int32_t w = 0; w < kMaxWalls && w < map->wallCount; ++w) {
        WallRecord& r = map->walls[w];
        r.x = in.get<int32_t>();
        r.y = in.get<int32_t>();
        r.point2 = in.get<int16_t>();
        r.nextwall = in.get<int16_t>();
    }
    for (int32_t s = 0; s < kMaxSprites && s < map->spriteCount; ++s) {
        map->sprites[s].x = in.get<int32_t>();
        map->sprites[s].y = in.get<int32_t>();
    }

    const auto picture = exportImageSize(view);
    if (picture && imageFileBytes(*picture) > kMaxPictureBytes) return 0;
    fuzz::MemoryFileSystem fs;
    const MapImageResult r =
        exportMapImage(*map, view, *skin, *colors, fs, "/prog", "pic.bmp", {bandRows});
    if (r.auxResult() != (picture ? 1 : 0)) std::abort();
    if (picture && fs.fileLength("/prog/pic.bmp") != imageFileBytes(*picture)) std::abort();
    if (fs.files.size() != (picture ? 1u : 0u)) std::abort();  // no temporary file is left
    return 0;
}
