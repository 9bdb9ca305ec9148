#include "pages/TilePicker.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "app/EditorCanvas.h"
#include "resources/TileCatalog.h"
#include "resources/TileStore.h"
#include "ui/Text.h"

namespace korvel {

namespace {

constexpr int32_t kGridLeft = 16, kGridBottom = 132;

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The tile a grid position shows; -1 for an empty cell.
int32_t tileAt(const TileCatalog& cat, bool showAll, int64_t p) {
    if (p < 0 || p >= kTileCount) return -1;
    const int64_t t = showAll ? p : (size_t(p) < cat.tileList.size() ? cat.tileList[size_t(p)] : -1);
    return t < 0 || t >= kTileCount ? -1 : int32_t(t);
}

void drawThumbnail(const TilePickerFrame& f, const TilePickerState& st, int32_t t, int32_t x0,
                   int32_t top, int32_t s) {
    const int32_t w = f.tiles.tileWidths[size_t(t)], h = f.tiles.tileHeights[size_t(t)];
    if (w <= 0 || h <= 0) return;
    const std::span<const uint8_t> px = tilePixels(f.tiles, t);
    if (px.size() < size_t(w) * size_t(h)) return;
    const TileScale sc = tileScale(w, h, s);
    const SurfaceView screen = screenView(f.cv.frame);
    const auto& map = f.cv.colors.gamePaletteMap;
    const bool clearTransparent = st.tileThumbMode != 0;
    const int32_t y0 = top - (sc.height - 1);
    for (int32_t r = 0; r < sc.height; ++r) {
        const int32_t row = sc.shrunk ? h - 1 - r * sc.k : h - 1 - r / sc.k;
        uint8_t* out = &screen.at(x0, y0 + r);
        for (int32_t c = 0; c < sc.width; ++c) {
            const int32_t col = sc.shrunk ? c * sc.k : c / sc.k;
            const uint8_t g = px[size_t(col) * size_t(h) + size_t(row)];
            if (clearTransparent && g == 255) continue;
            const ColorPair pair = map[g];
            // A column checkerboard of the two colours that swaps every frame.
            out[c] = ((int64_t(f.frameNumber) + c) & 1) == 0 ? uint8_t(pair >> 8) : uint8_t(pair);
        }
    }
}

}  // namespace

TileGrid tileGrid(bool smallImages) { return smallImages ? TileGrid{32, 24, 14} : TileGrid{64, 12, 7}; }

int32_t followTileCursor(int32_t cursor, int32_t topRow, const TileGrid& g) {
    const int64_t c = std::max(cursor, 0);
    int64_t top = topRow;
    if (c < top * g.columns) top = floorDiv(c, g.columns);
    top = std::max(top, floorDiv(c, g.columns) - g.rows + 1);
    return int32_t(top);
}

TileScale tileScale(int32_t w, int32_t h, int32_t s) {
    TileScale sc;
    if (w > s || h > s) {
        sc.shrunk = true;
        sc.k = std::max({w / (s + 1) + 1, h / (s + 1) + 1, 1});
        sc.width = w / sc.k;
        sc.height = h / sc.k;
        return sc;
    }
    sc.k = 1;
    for (int32_t k = 8; k > 1; --k)
        if (int64_t(w) * k <= s && int64_t(h) * k <= s) {
            sc.k = k;
            break;
        }
    sc.width = w * sc.k;
    sc.height = h * sc.k;
    return sc;
}

void paintTilePicker(const TilePickerFrame& f, TilePickerState& st) {
    const TileGrid g = tileGrid(f.smallImages);
    st.tilePickerTopRow = followTileCursor(st.tilePickerCursor, st.tilePickerTopRow, g);
    const bool showAll = st.tilePickerShowAll != 0;
    const int32_t n = f.frameNumber;
    const int32_t pulse = int32_t(std::nearbyint(std::sin(n / 4.0) * 4 + 18));
    const int32_t phase = int32_t(int64_t(n) & 1);
    const SurfaceView screen = screenView(f.cv.frame);
    for (int32_t i = 0; i < g.rows; ++i)
        for (int32_t j = 0; j < g.columns; ++j) {
            const int64_t p = (int64_t(st.tilePickerTopRow) + g.rows - 1 - i) * g.columns + j;
            const int32_t t = tileAt(f.catalog, showAll, p);
            if (t < 0) continue;
            const int32_t x0 = kGridLeft + g.cell * j;
            const int32_t bottom = kGridBottom + g.cell * i;
            drawThumbnail(f, st, t, x0, bottom + g.cell - 1, g.cell);
            if (!showAll) {
                const int32_t y = f.smallImages ? 158 + 32 * i : 190 + 64 * i;
                drawSmallTextOpaque(f.cv, f.fonts, std::to_string(f.catalog.tileUseCounts[size_t(p)]),
                                    x0, y, 0, 83);
            }
            if (p == st.tilePickerCursor)
                for (int32_t y = bottom + phase; y < bottom + g.cell; y += 2)
                    std::fill_n(&screen.at(x0, y), g.cell, uint8_t(pulse));
        }
}

void drawTilePicker(Editor& ed) {
    const Canvas cv = canvasOf(ed);
    const TilePickerFrame f{cv, ed.fonts, ed.tiles, ed.tileCatalog, ed.settings.smallImages != 0,
                            ed.loop.frameNumber};
    paintTilePicker(f, ed.pages.tilePicker);
}

}  // namespace korvel
