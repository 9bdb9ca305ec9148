// The tile zoom page, which shares its painter with the tile filter page: one tile enlarged.
#pragma once

namespace korvel {

struct Editor;

struct TileZoomState {
    float tilePreviewZoom = 1.0f;
};

// Painter of the tile zoom and of the tile filter page.
void drawTileViewPage(Editor& ed);

}  // namespace korvel
