// What must hold after any tile load, however hostile the files: every tile with a picture lies
// inside the pixel buffer, and no size is negative.
#pragma once

#include <cstdlib>

#include "resources/TileStore.h"

namespace korvel::fuzz {

inline void checkTileInvariants(const TileStore& tiles) {
    for (int32_t t = 0; t < kTileCount; ++t) {
        const int64_t w = tiles.tileWidths[size_t(t)], h = tiles.tileHeights[size_t(t)];
        if (w < 0 || h < 0) std::abort();
        if (w == 0 || h == 0) continue;
        const int64_t first = int64_t(tiles.tileOffsets[size_t(t)]) + 1;
        if (first < 0 || first + w * h > int64_t(tiles.artPixels.size())) std::abort();
    }
}

}  // namespace korvel::fuzz
