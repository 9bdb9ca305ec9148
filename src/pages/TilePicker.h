// The tile picker page: the tiles of a category in a grid to choose from.
#pragma once

#include <cstdint>

#include "ui/FrameBuffer.h"

namespace korvel {

struct Editor;
struct Fonts;
struct TileCatalog;
struct TileStore;

struct TilePickerState {
    // The cell the cursor is on (an entry of tileList, or a tile number while every tile is
    // shown) and the first row shown.
    int32_t tilePickerCursor = 0;
    int32_t tilePickerTopRow = 0;
    uint8_t tilePickerShowAll = 0;
    // A wall target's tile is its masked-wall tile (overpicnum) rather than its picnum.
    uint8_t targetOverpicnum = 0;
    // 1: game colour 255 is left out of the thumbnails (T switches).
    uint8_t tileThumbMode = 0;
};

// The grid: cells of s x s pixels, C to a row, R rows on the page.
struct TileGrid {
    int32_t cell = 64, columns = 12, rows = 7;
};
TileGrid tileGrid(bool smallImages);

// The top row that brings the cursor into view, moving the old top by as few whole rows as
// possible; a negative cursor counts as 0.
int32_t followTileCursor(int32_t cursor, int32_t topRow, const TileGrid& g);

// How a w x h tile fits a cell of s pixels: shrunk by k (w div k, h div k) or enlarged k times.
struct TileScale {
    int32_t k = 1;
    bool shrunk = false;
    int32_t width = 0, height = 0;  // of the thumbnail
};
TileScale tileScale(int32_t w, int32_t h, int32_t s);

// Everything the grid is drawn from.
struct TilePickerFrame {
    const Canvas& cv;
    const Fonts& fonts;
    const TileStore& tiles;
    const TileCatalog& catalog;
    bool smallImages = false;
    int32_t frameNumber = 0;
};

// Brings the cursor into view (the only state it changes), then draws every visible cell:
// thumbnail, use count in list mode and the pulsing cursor rows.
void paintTilePicker(const TilePickerFrame& f, TilePickerState& st);
void drawTilePicker(Editor& ed);

}  // namespace korvel
