#include "geometry/SectorTileShift.h"

#include <cmath>

namespace korvel {
namespace {

// floor(v + 0.5); |v| stays far below 2^62 since |16 d / size| <= 2^35.
int64_t roundHalfUp(double v) {
    return int64_t(std::floor(v + 0.5));
}

}  // namespace

void shiftSectorTile(MapStore& map, const TileStore& tiles, int32_t sector, int32_t ceilingFlag,
                     int32_t dx, int32_t dy) {
    if (!isSector(map, sector)) return;
    SectorRecord& s = map.sectors[sector];
    const bool ceiling = ceilingFlag != 0;
    const uint16_t stat = ceiling ? s.ceilingstat : s.floorstat;
    const int32_t tile = ceiling ? s.ceilingpicnum : s.floorpicnum;
    if (tile < 0 || tile >= kTileCount || size_t(tile) >= tiles.tileWidths.size() ||
        size_t(tile) >= tiles.tileHeights.size())
        return;
    const double w = tiles.tileWidths[size_t(tile)];
    const double h = tiles.tileHeights[size_t(tile)];
    if (w <= 0 || h <= 0) return;
    if (stat & (kSurfaceParallax | kSurfaceRelativeAlign)) return;

    int64_t xs, ys;
    if (stat & kSurfaceSwapXY) {
        xs = roundHalfUp(16.0 * dy / w);
        ys = roundHalfUp(-16.0 * dx / h);
    } else {
        xs = roundHalfUp(-16.0 * dx / w);
        ys = roundHalfUp(16.0 * dy / h);
    }
    if (stat & kSurfaceDoubleSmoosh) {
        xs *= 2;
        ys *= 2;
    }
    if (stat & kSurfaceFlipX) xs = -xs;
    if (stat & kSurfaceFlipY) ys = -ys;

    uint8_t& xpan = ceiling ? s.ceilingxpanning : s.floorxpanning;
    uint8_t& ypan = ceiling ? s.ceilingypanning : s.floorypanning;
    xpan = uint8_t(uint64_t(int64_t(xpan) + xs) & 255u);
    ypan = uint8_t(uint64_t(int64_t(ypan) + ys) & 255u);
}

}  // namespace korvel
