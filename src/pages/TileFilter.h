// The tile filter page: which tiles the tile browser lists. Its painter is the tile zoom page's.
#pragma once

#include <cstdint>
#include <string>

namespace korvel {

struct TileFilterState {
    int32_t tileWidthFilter = -1, tileHeightFilter = -1;  // -1: any size
    std::string tileNameFilter;                           // empty: any name
    uint8_t tileNameSubstring = 1;
    int32_t tileFilterColor = 0, tileFilterTransparency = 0;
};

}  // namespace korvel
