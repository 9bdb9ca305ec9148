// The tile zoom page, which shares its painter with the tile filter page: one tile enlarged.
#pragma once

#include <cstdint>
#include <vector>

namespace korvel {

struct Editor;

struct TileZoomState {
    float tilePreviewZoom = 1.0f;
    // Scratch tables of the painter: the tile column of each screen column, the tile row of
    // each screen row.
    std::vector<int32_t> zoomColumns, zoomRows;
};

// Painter of the tile zoom and of the tile filter page.
void drawTileViewPage(Editor& ed);
void drawTileZoom(Editor& ed);
void drawTileFilter(Editor& ed);

}  // namespace korvel
