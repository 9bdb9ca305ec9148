// The tile picker page: the tiles of a category in a grid to choose from.
#pragma once

#include <cstdint>

namespace korvel {

struct Editor;

struct TilePickerState {
    // The cell the cursor is on (an entry of tileList, or a tile number while every tile is
    // shown) and the first row shown.
    int32_t tilePickerCursor = 0;
    int32_t tilePickerTopRow = 0;
    uint8_t tilePickerShowAll = 0;
    // A wall target's tile is its masked-wall tile (overpicnum) rather than its picnum.
    uint8_t targetOverpicnum = 0;
    // 1: the picker and the zoom page show thumbnails of another size (T switches).
    uint8_t tileThumbMode = 0;
};

// Painter of the page.
void drawTilePicker(Editor& ed);

}  // namespace korvel
