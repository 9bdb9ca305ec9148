#include "pages/TileZoom.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "base/Mainm.h"
#include "base/ValueConv.h"
#include "ui/Text.h"
#include "views/SpritePictures.h"

namespace korvel {

namespace {

// The view area the zoomed tile keeps to.
constexpr int32_t kViewLeft = 0, kViewRight = 800, kViewBottom = 128, kViewTop = 584;

// The tile under the picker's cursor, -1 when there is none.
int32_t pickerTile(const Editor& ed) {
    const TilePickerState& p = ed.pages.tilePicker;
    if (p.tilePickerShowAll) return p.tilePickerCursor;
    const std::vector<int32_t>& list = ed.tileCatalog.tileList;
    if (p.tilePickerCursor < 0 || size_t(p.tilePickerCursor) >= list.size()) return -1;
    return list[size_t(p.tilePickerCursor)];
}

// A size divided by the zoom, to the nearest integer, kept within what a screen can show.
int64_t scaledSize(int32_t size, double z) {
    return int64_t(std::nearbyint(std::min(size / z, 1e9)));
}

}  // namespace

void drawTileZoom(Editor& ed) {
    const TileStore& tiles = ed.tiles;
    int32_t t = pickerTile(ed);
    if (t < 0 || t >= kTileCount) return;
    t = getTileAnimFrame(tiles, t, ed.input.frameTime);
    if (t < 0 || t >= kTileCount) return;
    const float zoom = ed.pages.tileZoom.tilePreviewZoom;
    if (!std::isfinite(zoom) || !(zoom > 0)) return;
    const double z = zoom;
    const int32_t W = tiles.tileWidths[size_t(t)], H = tiles.tileHeights[size_t(t)];
    if (W <= 0 || H <= 0) return;
    const int32_t anim = tiles.tileAnims[size_t(t)];
    const int32_t ox = byteToSigned(uint8_t((anim >> 8) & 0xFF));
    const int32_t oy = byteToSigned(uint8_t((anim >> 16) & 0xFF));

    int64_t left = 400 - int64_t(safeFloor((W / 2 + ox) / z));
    int64_t bottom = 356 - int64_t(safeFloor((H / 2 - oy) / z));
    int64_t w = scaledSize(W, z), h = scaledSize(H, z);
    int64_t sx = 0, sy = 0;
    if (left < kViewLeft + 1) {
        sx = -left;
        w += left;
        left = kViewLeft;
    }
    if (bottom < kViewBottom + 1) {
        sy = kViewBottom - bottom;
        h += bottom - kViewBottom;
        bottom = kViewBottom;
    }
    if (left + w > kViewRight) w = kViewRight - left;
    if (bottom + h > kViewTop) h = kViewTop - bottom;
    if (w <= 0 || h <= 0) return;

    // Tile column and row of each screen column and row, kept inside the tile.
    std::vector<int32_t>& columns = ed.pages.tileZoom.zoomColumns;
    std::vector<int32_t>& rows = ed.pages.tileZoom.zoomRows;
    columns.resize(size_t(w));
    rows.resize(size_t(h));
    for (int64_t i = 0; i < w; ++i)
        columns[size_t(i)] = std::clamp(safeFloor(double(i + sx) * z), 0, W - 1);
    for (int64_t j = 0; j < h; ++j)
        rows[size_t(j)] = H - 1 - std::clamp(safeFloor(double(j + sy) * z), 0, H - 1);

    const int64_t base = int64_t(tiles.tileOffsets[size_t(t)]) + 1;
    const int64_t end = int64_t(tiles.artPixels.size());
    const bool thumb = ed.pages.tilePicker.tileThumbMode != 0;
    const int32_t parity = ed.loop.frameNumber & 1;
    const SurfaceView screen = screenView(ed.frameBuffer);
    for (int64_t i = 0; i < w; ++i) {
        const int64_t column = base + int64_t(columns[size_t(i)]) * H;
        const bool first = (i & 1) != parity;
        for (int64_t j = 0; j < h; ++j) {
            const int64_t index = column + rows[size_t(j)];
            if (index < 0 || index >= end) continue;
            const uint8_t p = tiles.artPixels[size_t(index)];
            if (thumb && p == 255) continue;
            const ColorPair pair = ed.colorTables.gamePaletteMap[p];
            screen.at(int32_t(left + i), int32_t(bottom + j)) =
                first ? uint8_t(pair & 0xFF) : uint8_t(pair >> 8);
        }
    }
}

void drawTileFilter(Editor& ed) {
    const TileFilterState& f = ed.pages.tileFilter;
    const Canvas cv = canvasOf(ed);
    const std::string width = f.tileWidthFilter >= 0 ? std::to_string(f.tileWidthFilter) : "";
    const std::string height = f.tileHeightFilter >= 0 ? std::to_string(f.tileHeightFilter) : "";
    if (!width.empty()) drawText(cv, ed.fonts, width, 72, 320, 0);
    if (!height.empty()) drawText(cv, ed.fonts, height, 208, 320, 0);
    drawText(cv, ed.fonts, f.tileNameFilter, 72, 300, ed.colorSettings.colorUiTextBoxText);

    const int32_t time = ed.input.frameTime;
    if (((time % 400) + 400) % 400 >= 200) return;
    int64_t x = 0;
    int32_t y = 0;
    switch (ed.app.focusedField) {
        case 0: x = 72 + 8 * int64_t(width.size()), y = 320; break;
        case 1: x = 208 + 8 * int64_t(height.size()), y = 320; break;
        case 2: x = 72 + 8 * int64_t(f.tileNameFilter.size()), y = 300; break;
        default: return;
    }
    if (x >= kViewRight) return;
    const SurfaceView screen = screenView(ed.frameBuffer);
    for (int32_t r = y; r <= y + 10; ++r) screen.at(int32_t(x), r) = 0;
}

void drawTileViewPage(Editor& ed) {
    if (ed.app.currentPage == Page::TileZoom) drawTileZoom(ed);
    else if (ed.app.currentPage == Page::TileFilter) drawTileFilter(ed);
}

}  // namespace korvel
