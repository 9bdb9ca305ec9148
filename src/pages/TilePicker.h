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
    // The wall target takes the masked texture (overpicnum) rather than the wall texture.
    uint8_t targetOverpicnum = 0;
};

// Painter of the page.
void drawTilePicker(Editor& ed);

}  // namespace korvel
