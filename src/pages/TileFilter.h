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

struct Editor;

// The Apply button: back to the tile picker, its cursor and window at the start, and its list
// made again from the filter.
void applyTileFilter(Editor& ed);
// Enter on the page: the same, with the command cue.
void confirmTileFilter(Editor& ed);

}  // namespace korvel
