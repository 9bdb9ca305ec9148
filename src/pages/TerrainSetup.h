// The terrain set-up page: the parameters of terrain made from a tile's heights. The page shows
// its panel only.
#pragma once

#include <cstdint>

namespace korvel {

struct TerrainSetupState {
    int32_t terrainParamA = 8, terrainParamB = 4;
    int32_t terrainHeightScale = 8192;
    int32_t terrainOption = 0, terrainTile = 0;
};

}  // namespace korvel
